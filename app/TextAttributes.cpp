#include "TextAttributes.h"

#include "Checked.h"
#include "Rtf.h"

#include <QFont>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>

#include <algorithm>

namespace {

// A size as the characters hold it: at most the largest a document keeps.
int HeldPoints(int Points)
{
    return std::min(Points, RtfMaxPoints);
}

QTextCharFormat SelectionFormat(QTextEdit* E)
{
    const QTextCursor cur = E->textCursor();
    if (!cur.hasSelection())
        return E->currentCharFormat();
    QTextCursor first(E->document());
    first.setPosition(cur.selectionStart());
    first.setPosition(cur.selectionStart() + 1, QTextCursor::KeepAnchor);
    return first.charFormat();
}

// The changes of the selected characters, one attribute each.
QTextCharFormat NameFormat(const QString& Name)
{
    QTextCharFormat f;
    f.setFontFamilies({Name});
    return f;
}

QTextCharFormat SizeFormat(int Points)
{
    QTextCharFormat f;
    f.setFontPointSize(Points);
    return f;
}

QTextCharFormat StyleFormat(unsigned Style)
{
    QTextCharFormat f;
    f.setFontWeight(Style & fsBold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(Style & fsItalic);
    f.setFontUnderline(Style & fsUnderline);
    f.setFontStrikeOut(Style & fsStrikeOut);
    return f;
}

QTextCharFormat ColorFormat(const QColor& Color)
{
    QTextCharFormat f;
    f.setForeground(Color);
    return f;
}

unsigned StyleOf(const QFont& Font)
{
    return (Font.bold() ? fsBold : 0u) | (Font.italic() ? fsItalic : 0u) | (Font.underline() ? fsUnderline : 0u)
        | (Font.strikeOut() ? fsStrikeOut : 0u);
}

} // namespace

void TTextAttributes::MergeIntoSelection(const QTextCharFormat& Format)
{
    editor_->textCursor().mergeCharFormat(Format);
}

void TTextAttributes::ChangeDefaultFont(const std::function<void(QFont&)>& Change)
{
    QFont font = editor_->document()->defaultFont();
    Change(font);
    editor_->document()->setDefaultFont(font);
}

QString TTextAttributes::Name() const
{
    if (selection_) {
        const QTextCharFormat f = SelectionFormat(editor_);
        const QStringList families = f.fontFamilies().toStringList();
        if (!families.isEmpty() && !families.first().isEmpty())
            return families.first();
    }
    return editor_->document()->defaultFont().family();
}

void TTextAttributes::SetName(const QString& Name)
{
    if (selection_)
        MergeIntoSelection(NameFormat(Name));
    else
        ChangeDefaultFont([&](QFont& F) { F.setFamilies({Name}); });
}

int TTextAttributes::Size() const
{
    if (selection_) {
        const QTextCharFormat f = SelectionFormat(editor_);
        if (f.hasProperty(QTextFormat::FontPointSize) && f.fontPointSize() > 0)
            return static_cast<int>(f.fontPointSize());
    }
    const QFont font = editor_->document()->defaultFont();
    if (font.pointSizeF() > 0)
        return static_cast<int>(font.pointSizeF());
    return MulDiv(font.pixelSize(), 72, 96);
}

void TTextAttributes::SetSize(int Points)
{
    if (Points <= 0)
        return;
    if (selection_)
        MergeIntoSelection(SizeFormat(HeldPoints(Points)));
    else
        ChangeDefaultFont([&](QFont& F) { F.setPointSize(HeldPoints(Points)); });
}

unsigned TTextAttributes::Style() const
{
    const QFont def = editor_->document()->defaultFont();
    bool bold = def.bold(), italic = def.italic(), underline = def.underline(), strikeOut = def.strikeOut();
    if (selection_) {
        const QTextCharFormat f = SelectionFormat(editor_);
        if (f.hasProperty(QTextFormat::FontWeight))
            bold = f.fontWeight() >= QFont::DemiBold;
        if (f.hasProperty(QTextFormat::FontItalic))
            italic = f.fontItalic();
        if (f.hasProperty(QTextFormat::TextUnderlineStyle) || f.hasProperty(QTextFormat::FontUnderline))
            underline = f.fontUnderline();
        if (f.hasProperty(QTextFormat::FontStrikeOut))
            strikeOut = f.fontStrikeOut();
    }
    return (bold ? fsBold : 0u) | (italic ? fsItalic : 0u) | (underline ? fsUnderline : 0u)
        | (strikeOut ? fsStrikeOut : 0u);
}

void TTextAttributes::SetStyle(unsigned Style)
{
    if (selection_)
        MergeIntoSelection(StyleFormat(Style));
    else
        ChangeDefaultFont([&](QFont& F) {
            F.setBold(Style & fsBold);
            F.setItalic(Style & fsItalic);
            F.setUnderline(Style & fsUnderline);
            F.setStrikeOut(Style & fsStrikeOut);
        });
}

QColor TTextAttributes::Color() const
{
    if (selection_) {
        const QTextCharFormat f = SelectionFormat(editor_);
        if (f.hasProperty(QTextFormat::ForegroundBrush))
            return f.foreground().color();
    }
    return editor_->palette().color(QPalette::Text);
}

void TTextAttributes::SetColor(const QColor& Color)
{
    if (selection_) {
        MergeIntoSelection(ColorFormat(Color));
    } else {
        QPalette pal = editor_->palette();
        pal.setColor(QPalette::Text, Color);
        editor_->setPalette(pal);
    }
}

QFont TTextAttributes::Font() const
{
    QFont font(Name());
    font.setPointSize(std::max(1, Size()));
    const unsigned style = Style();
    font.setBold(style & fsBold);
    font.setItalic(style & fsItalic);
    font.setUnderline(style & fsUnderline);
    font.setStrikeOut(style & fsStrikeOut);
    return font;
}

void TTextAttributes::Assign(const QFont& Font, const QColor& Color)
{
    if (!selection_) {
        SetName(Font.family());
        SetSize(Font.pointSize());
        SetStyle(StyleOf(Font));
        SetColor(Color);
        return;
    }
    QTextCharFormat f = NameFormat(Font.family());
    if (Font.pointSize() > 0)
        f.merge(SizeFormat(HeldPoints(Font.pointSize())));
    f.merge(StyleFormat(StyleOf(Font)));
    f.merge(ColorFormat(Color));
    MergeIntoSelection(f);
}

// ---- paragraphs

namespace {

// Whole points of a length in pixels: the twips held, divided by 20 toward zero.
int Points(qreal Pixels)
{
    return RtfTwipsFromPixels(Pixels) / 20;
}

qreal Pixels(int Points)
{
    return RtfPixelsFromTwips(CheckedInt32(Points * 20LL));
}

} // namespace

QTextBlock TParaAttributes::First() const
{
    return editor_->document()->findBlock(editor_->textCursor().selectionStart());
}

template <typename F>
void TParaAttributes::Change(F&& Change)
{
    const QTextCursor selection = editor_->textCursor();
    QTextDocument* doc = editor_->document();
    const QTextBlock last = doc->findBlock(selection.selectionEnd());
    QTextCursor edit(doc);
    edit.beginEditBlock();
    for (QTextBlock b = First(); b.isValid(); b = b.next()) {
        QTextBlockFormat f = b.blockFormat();
        Change(f);
        QTextCursor(b).setBlockFormat(f);
        if (b == last)
            break;
    }
    edit.endEditBlock();
}

int TParaAttributes::FirstIndent() const
{
    const QTextBlockFormat f = First().blockFormat();
    return Points(f.leftMargin() + f.textIndent());
}

// The following lines keep their offset from the first line.
void TParaAttributes::SetFirstIndent(int Points)
{
    const qreal first = Pixels(Points);
    Change([first](QTextBlockFormat& F) { F.setLeftMargin(first - F.textIndent()); });
}

int TParaAttributes::LeftIndent() const
{
    return Points(-First().blockFormat().textIndent());
}

// The first line stays where it is.
void TParaAttributes::SetLeftIndent(int Points)
{
    const qreal offset = Pixels(Points);
    Change([offset](QTextBlockFormat& F) {
        F.setLeftMargin(F.leftMargin() + F.textIndent() + offset);
        F.setTextIndent(-offset);
    });
}

int TParaAttributes::RightIndent() const
{
    return Points(First().blockFormat().rightMargin());
}

void TParaAttributes::SetRightIndent(int Points)
{
    const qreal right = Pixels(Points);
    Change([right](QTextBlockFormat& F) { F.setRightMargin(right); });
}

int TParaAttributes::Alignment() const
{
    switch (First().blockFormat().alignment() & Qt::AlignHorizontal_Mask) {
    case Qt::AlignRight:
        return 1;
    case Qt::AlignHCenter:
        return 2;
    case Qt::AlignJustify:
        return 3;
    default:
        return 0;
    }
}

void TParaAttributes::SetAlignment(int Alignment)
{
    static constexpr Qt::Alignment Flags[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter, Qt::AlignJustify};
    if (Alignment < 0 || Alignment > 3)
        throw ERangeError();
    Change([a = Flags[Alignment]](QTextBlockFormat& F) { F.setAlignment(a); });
}

bool TParaAttributes::Bullets() const
{
    const QTextList* list = First().textList();
    return list && RtfIsBulletList(list->format());
}

void TParaAttributes::SetBullets(bool Bullets)
{
    if (Bullets) {
        // One bulleted list of the touched paragraphs, held as a loaded document holds it.
        editor_->textCursor().createList(RtfListFormat(true));
        return;
    }
    Change([](QTextBlockFormat& F) { F.clearProperty(QTextFormat::ObjectIndex); });
}
