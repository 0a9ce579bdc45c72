// The edit commands undo, cut, copy and paste, and their enabling.
#include "REMain.h"
#include "RichEdit.h"
#include "ui_REMain.h"

#include <QTextCursor>
#include <QTextDocument>

void TMainForm::EditUndo()
{
    ui->Editor->undo();
}

void TMainForm::EditCut()
{
    ui->Editor->cut();
}

void TMainForm::EditCopy()
{
    ui->Editor->copy();
}

void TMainForm::EditPaste()
{
    ui->Editor->paste();
}

// Cut and copy need a selection, undo a change to take back, paste a
// clipboard whose content the editor can take.
void TMainForm::ActionList2Update()
{
    const bool selected = ui->Editor->textCursor().hasSelection();
    ui->EditCutCmd->setEnabled(selected);
    ui->EditCopyCmd->setEnabled(selected);
    ui->EditUndoCmd->setEnabled(ui->Editor->document()->isUndoAvailable());
    // The clipboard is asked once the window is on the screen (FormOnScreen);
    // until then paste waits, as for an empty clipboard.
    ui->EditPasteCmd->setEnabled(onScreen_ && ui->Editor->canPaste());
}
