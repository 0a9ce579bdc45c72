// Formatting, ruler and status bar: the controls follow the selection, the
// ruler's markers show the paragraph's indents, the caret position and the
// hints show in the status bar.
#include "REMain.h"
#include "RulerPanel.h"
#include "TextAttributes.h"
#include "ui_REMain.h"

#include "Errors.h"
#include "Rtf.h"
#include "Shell.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QTextList>

#include <cstdint>

namespace {

// The ruler's factor from points to pixels, held in extended precision.
constexpr long double RulerScale = 4.0L / 3.0L;
// The gutter left of the editor's text, where the ruler's zero lies.
constexpr int RulerMargin = 6;

int Int32(long long V)
{
    if (V < INT32_MIN || V > INT32_MAX)
        throw EIntOverflow();
    return static_cast<int>(V);
}

// Trunc of an extended value into a 32-bit integer.
int Trunc(long double V)
{
    if (!(V > -2147483649.0L && V < 2147483648.0L))
        throw ERangeError();
    return static_cast<int>(V);
}

// The ruler's pixels for a length in points: the points (a 32-bit sum of
// indents) times 4/3 in extended precision, truncated.
int RulerPixels(long long Points)
{
    return Trunc(Int32(Points) * RulerScale);
}

// The left edge of a left-hand marker (first line, following lines) for an
// indent from the margin in points; the marker's tip is 4 pixels in.
int LeftMarkerX(long long Points)
{
    return Int32(static_cast<long long>(RulerPixels(Points)) - 4 + RulerMargin);
}

// Whole points of a length in pixels, as the editor reports its indents.
int Points(qreal Pixels)
{
    return RtfTwipsFromPixels(Pixels) / 20;
}

} // namespace

void TMainForm::FillFontList()
{
    FontName->clear();
    FontName->addItems(EnumFontFaces());
    FontName->model()->sort(0);
}

void TMainForm::DrawRulerTicks()
{
    ui->Ruler->SetCaption(QStringLiteral("\t|").repeated(100));
}

TTextAttributes TMainForm::CurrentAttributes() const
{
    return TTextAttributes(ui->Editor, ui->Editor->textCursor().hasSelection());
}

TParaAttributes TMainForm::Paragraph() const
{
    const QTextCursor cursor = ui->Editor->textCursor();
    const QTextBlockFormat block = cursor.blockFormat();
    TParaAttributes p;
    p.FirstIndent = Points(block.leftMargin() + block.textIndent());
    p.LeftIndent = Points(-block.textIndent());
    p.RightIndent = Points(block.rightMargin());
    switch (block.alignment() & Qt::AlignHorizontal_Mask) {
    case Qt::AlignRight:
        p.Alignment = 1;
        break;
    case Qt::AlignHCenter:
        p.Alignment = 2;
        break;
    case Qt::AlignJustify:
        p.Alignment = 3;
        break;
    default:
        p.Alignment = 0;
        break;
    }
    if (const QTextList* list = cursor.currentList()) {
        const QTextListFormat::Style style = list->format().style();
        p.Bullets = style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle
            || style == QTextListFormat::ListSquare;
    }
    return p;
}

void TMainForm::SelectionChange()
{
    UpdatingControls = true;
    struct Guard {
        bool& Flag;
        ~Guard() { Flag = false; }
    } guard {UpdatingControls};

    const TParaAttributes p = Paragraph();
    const TTextAttributes s(ui->Editor, true);
    ui->FirstInd->move(LeftMarkerX(p.FirstIndent), ui->FirstInd->y());
    ui->LeftInd->move(LeftMarkerX(static_cast<long long>(p.LeftIndent) + p.FirstIndent), ui->LeftInd->y());
    ui->RightInd->move(Int32(static_cast<long long>(ui->Ruler->contentsRect().width() - RulerMargin)
                             - RulerPixels(static_cast<long long>(p.RightIndent) + 6)),
                       ui->RightInd->y());
    const unsigned style = s.Style();
    ui->BoldButton->setChecked(style & fsBold);
    ui->ItalicButton->setChecked(style & fsItalic);
    ui->UnderlineButton->setChecked(style & fsUnderline);
    ui->BulletsButton->setChecked(p.Bullets);
    FontSize->setText(QString::number(s.Size()));
    const QString face = s.Name();
    FontName->setCurrentIndex(FontName->findText(face));
    FontName->setEditText(face);
    switch (p.Alignment) {
    case 0:
        ui->LeftAlign->setChecked(true);
        break;
    case 1:
        ui->RightAlign->setChecked(true);
        break;
    case 2:
        ui->CenterAlign->setChecked(true);
        break;
    default:
        break;
    }
    ShowCaretPosition();
}

void TMainForm::ShowCaretPosition()
{
    const QTextCursor cursor = ui->Editor->textCursor();
    const int start = cursor.selectionStart();
    const QTextBlock block = ui->Editor->document()->findBlock(start);
    int line = 0;
    int column = start - block.position();
    // Lines as the editor shows them: wrapped lines of a paragraph count apart.
    for (QTextBlock b = ui->Editor->document()->begin(); b.isValid() && b != block; b = b.next())
        line += qMax(1, b.layout() ? b.layout()->lineCount() : 1);
    if (const QTextLayout* layout = block.layout(); layout && layout->lineCount() > 0) {
        const QTextLine l = layout->lineForTextPosition(column);
        if (l.isValid()) {
            line += l.lineNumber();
            column -= l.textStart();
        }
    }
    StatusPanels[0]->setText(QString::asprintf("Ст: %3d   Кол: %3d", line + 1, column + 1));
}

// Filled in with the formatting commands and the edit commands.
void TMainForm::ShowHint() {}
void TMainForm::FontNameChange() {}
void TMainForm::FontSizeChange() {}
void TMainForm::BoldButtonClick() {}
void TMainForm::ItalicButtonClick() {}
void TMainForm::UnderlineButtonClick() {}
void TMainForm::AlignButtonClick(QAction*) {}
void TMainForm::BulletsButtonClick() {}
void TMainForm::SelectFont() {}
void TMainForm::RulerResize() {}
void TMainForm::EditUndo() {}
void TMainForm::EditCut() {}
void TMainForm::EditCopy() {}
void TMainForm::EditPaste() {}
void TMainForm::ActionList2Update() {}
