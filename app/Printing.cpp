// Printing the document or its selection, and the About window.
#include "REMain.h"
#include "ui_REMain.h"

#include "EditorText.h"
#include "PrintReport.h"
#include "Printer.h"
#include "RichEdit.h"
#include "Siblings.h"

#include <QLabel>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace {
const QString ScratchFile = QStringLiteral("TMP.TMP");
}

void TMainForm::FilePrint()
{
    WithSibling(QStringLiteral("Yestrel.Dll"), [this](TSibling& Library) {
        Library.Proc<int()>("ColorPrinter")(); // the main window does not use the answer
        TPrintDialogOptions options;
        options.PrintToFile = true;
        options.PageNumbers = true;
        options.Selection = true;
        options.Warning = true;
        TPrintRange range = TPrintRange::AllPages;
        if (!Printer().ExecuteDialog(options, range))
            return;
        // The last status panel names the file a print went into, until the next print.
        StatusPanels[2]->clear();
        StatusPanels[2]->setToolTip(QString());
        PrintAndTellFile(
            [&] {
                if (range == TPrintRange::AllPages)
                    Printer().PrintDocument(*ui->Editor->document(), documentName_);
                else if (range == TPrintRange::Selection)
                    PrintSelectionOnly(ui->Editor, EditorPlainText(ui->Editor->textCursor().selectedText()));
            },
            [this](const QString& File) {
                const QString note = QStringLiteral("Напечатано в файл %1").arg(File);
                StatusPanels[2]->setText(note);
                StatusPanels[2]->setToolTip(note);
            });
    });
}

void TMainForm::PrintSelectionOnly(QWidget* Control, const QString& Text)
{
    if (Control != ui->Editor)
        return;
    const bool modified = ui->Editor->document()->isModified();
    WriteDocumentFile(ScratchFile);
    // The document comes back from the scratch file (as a new document) also
    // when printing fails, and keeps its modified state, so unsaved changes
    // are still asked about.
    auto restore = [&] {
        ReadDocumentFile(ScratchFile);
        ui->Editor->document()->setModified(modified);
        ShowModifiedState(modified);
    };
    try {
        ui->Editor->SetText(Text);
        Printer().PrintDocument(*ui->Editor->document(), QString());
    } catch (...) {
        restore();
        throw;
    }
    restore();
    FindAndSelectText(EditorAnsiText(Text));
}

void TMainForm::HelpAbout()
{
    WithSibling(QStringLiteral("Bramlet.Dll"), [](TSibling& Library) { Library.Proc<void()>("AboutLemvora")(); });
}

