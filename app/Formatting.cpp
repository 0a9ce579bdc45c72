// Formatting and the status bar: the controls and the ruler follow the
// selection, the formatting commands change the current attributes, the font
// dialog, the editor's formatting rectangle, the caret position and the hints.
#include "REMain.h"
#include "RichEdit.h"
#include "TextAttributes.h"
#include "ui_REMain.h"

#include "NumFormat.h"
#include "Shell.h"

#include <QComboBox>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTextCursor>

namespace {

// Adds Style to the attributes' style when On, else takes it away; the other
// styles stay.
void ChangeStyle(TTextAttributes Attributes, unsigned Style, bool On)
{
    const unsigned style = Attributes.Style();
    Attributes.SetStyle(On ? style | Style : style & ~Style);
}

} // namespace

// One item per typeface, in order, its family as the item's data. The box
// keeps showing the face it showed, and the item of that face becomes the
// chosen one; filling applies no face.
void TMainForm::FillFontList()
{
    const QSignalBlocker quiet(FontName);
    const QString shown = FontName->currentText();
    FontName->clear();
    for (const TFontFace& face : EnumFontFaces())
        FontName->addItem(face.Name, face.Family);
    FontName->setCurrentIndex(FontName->findData(shown));
    FontName->setEditText(shown);
}

TTextAttributes TMainForm::CurrentAttributes() const
{
    return TTextAttributes(ui->Editor, ui->Editor->textCursor().hasSelection());
}

TParaAttributes TMainForm::Paragraph() const
{
    return TParaAttributes(ui->Editor);
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
    PlaceRulerMarkers(p);
    const unsigned style = s.Style();
    ui->BoldButton->setChecked(style & fsBold);
    ui->ItalicButton->setChecked(style & fsItalic);
    ui->UnderlineButton->setChecked(style & fsUnderline);
    ui->BulletsButton->setChecked(p.Bullets());
    // The boxes are set only where they differ: a box lays its text out anew
    // whenever it is set, and this runs at every move of the caret.
    const QString size = QString::number(s.Size());
    if (FontSize->text() != size)
        FontSize->setText(size);
    const QString face = s.Name();
    const int item = FontName->findData(face);
    if (FontName->currentIndex() != item)
        FontName->setCurrentIndex(item);
    if (FontName->currentText() != face)
        FontName->setEditText(face);
    switch (p.Alignment()) {
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

void TMainForm::BoldButtonClick()
{
    if (!UpdatingControls)
        ChangeStyle(CurrentAttributes(), fsBold, ui->BoldButton->isChecked());
}

void TMainForm::ItalicButtonClick()
{
    if (!UpdatingControls)
        ChangeStyle(CurrentAttributes(), fsItalic, ui->ItalicButton->isChecked());
}

void TMainForm::UnderlineButtonClick()
{
    if (!UpdatingControls)
        ChangeStyle(CurrentAttributes(), fsUnderline, ui->UnderlineButton->isChecked());
}

// The box's text as a decimal integer; any other text raises the conversion
// error and changes nothing.
void TMainForm::FontSizeChange()
{
    if (!UpdatingControls)
        CurrentAttributes().SetSize(StrToInt(FontSize->text()));
}

// The chosen item's typeface, by its family; a face typed rather than chosen
// has no item, and nothing is applied.
void TMainForm::FontNameChange()
{
    if (UpdatingControls)
        return;
    const int index = FontName->currentIndex();
    if (index >= 0)
        CurrentAttributes().SetName(FontName->itemData(index).toString());
}

// The button's tag is the alignment: LeftAlign 0, RightAlign 1, CenterAlign 2.
void TMainForm::AlignButtonClick(QAction* Sender)
{
    if (!UpdatingControls)
        Paragraph().SetAlignment(Sender->property("Tag").toInt());
}

void TMainForm::BulletsButtonClick()
{
    if (!UpdatingControls)
        Paragraph().SetBullets(ui->BulletsButton->isChecked());
}

QFontDialog& TMainForm::FontDialog1()
{
    if (!fontDialog_) {
        fontDialog_ = new QFontDialog(this);
        fontDialog_->setObjectName(QStringLiteral("FontDialog1"));
        fontDialog_->setOption(QFontDialog::DontUseNativeDialog, true);
        QFont initial(QStringLiteral("MS Sans Serif"));
        initial.setPixelSize(11);
        fontDialog_->setCurrentFont(initial);
    }
    return *fontDialog_;
}

// The dialog offers the selection's font; a confirmed choice goes to the
// current attributes, with the selection's colour, which the dialog does not
// offer. A face this system lacks shows as the dialog's nearest one; unless
// another face is chosen, the text keeps its own.
void TMainForm::SelectFont()
{
    QFontDialog& dialog = FontDialog1();
    const TTextAttributes selection(ui->Editor, true);
    const QColor color = selection.Color();
    const QFont offered = selection.Font();
    dialog.setCurrentFont(offered);
    const QString shownFace = dialog.currentFont().family();
    if (dialog.exec() == QDialog::Accepted) {
        QFont chosen = dialog.selectedFont();
        if (chosen.family() == shownFace)
            chosen.setFamilies({offered.family()});
        CurrentAttributes().Assign(chosen, color);
    }
    SelectionChange();
    ui->Editor->setFocus();
}

void TMainForm::UpdateEditRect()
{
    const QSize client = ui->Editor->ClientSize();
    ui->Editor->SetFormattingRect(6, 0, client.width() - 6, client.height());
}

void TMainForm::FormResize()
{
    UpdateEditRect();
    SelectionChange();
}

void TMainForm::FormPaint()
{
    UpdateEditRect();
}

// The line as the editor shows it (the lines a paragraph wraps into count
// apart) and the column within it, from 1.
void TMainForm::ShowCaretPosition()
{
    const TRichEdit::TLinePos at = ui->Editor->LineOfChar(ui->Editor->textCursor().selectionStart());
    StatusPanels[0]->setText(QString::asprintf("Ст: %3d   Кол: %3d", at.Line + 1, at.Column + 1));
}

// While a hint shows, the status bar is one simple panel with its text.
void TMainForm::ShowHint()
{
    const bool hint = !ui->StatusBar->currentMessage().isEmpty();
    for (QLabel* panel : StatusPanels)
        panel->setVisible(!hint);
}
