#include "TextAttributes.h"

#include "Checked.h"

#include <QFont>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace {
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
} // namespace

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
    if (selection_) {
        QTextCharFormat f;
        f.setFontFamilies({Name});
        editor_->textCursor().mergeCharFormat(f);
    } else {
        QFont font = editor_->document()->defaultFont();
        font.setFamilies({Name});
        editor_->document()->setDefaultFont(font);
    }
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
    if (selection_) {
        QTextCharFormat f;
        f.setFontPointSize(Points);
        editor_->textCursor().mergeCharFormat(f);
    } else {
        QFont font = editor_->document()->defaultFont();
        font.setPointSize(Points);
        editor_->document()->setDefaultFont(font);
    }
}

unsigned TTextAttributes::Style() const
{
    const QFont def = editor_->document()->defaultFont();
    bool bold = def.bold(), italic = def.italic(), underline = def.underline();
    if (selection_) {
        const QTextCharFormat f = SelectionFormat(editor_);
        if (f.hasProperty(QTextFormat::FontWeight))
            bold = f.fontWeight() >= QFont::DemiBold;
        if (f.hasProperty(QTextFormat::FontItalic))
            italic = f.fontItalic();
        if (f.hasProperty(QTextFormat::TextUnderlineStyle) || f.hasProperty(QTextFormat::FontUnderline))
            underline = f.fontUnderline();
    }
    return (bold ? fsBold : 0u) | (italic ? fsItalic : 0u) | (underline ? fsUnderline : 0u);
}

void TTextAttributes::SetStyle(unsigned Style)
{
    if (selection_) {
        QTextCharFormat f;
        f.setFontWeight(Style & fsBold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(Style & fsItalic);
        f.setFontUnderline(Style & fsUnderline);
        editor_->textCursor().mergeCharFormat(f);
    } else {
        QFont font = editor_->document()->defaultFont();
        font.setBold(Style & fsBold);
        font.setItalic(Style & fsItalic);
        font.setUnderline(Style & fsUnderline);
        editor_->document()->setDefaultFont(font);
    }
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
        QTextCharFormat f;
        f.setForeground(Color);
        editor_->textCursor().mergeCharFormat(f);
    } else {
        QPalette pal = editor_->palette();
        pal.setColor(QPalette::Text, Color);
        editor_->setPalette(pal);
    }
}
