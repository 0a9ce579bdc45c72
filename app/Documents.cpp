// The main window's documents: the save prompt, reading and writing files,
// the file commands, drops and the file named on the command line.
#include "REMain.h"
#include "RichEdit.h"
#include "ui_REMain.h"

#include "Application.h"
#include "DocumentBytes.h"
#include "Errors.h"
#include "FileDialogs.h"
#include "MymsgDlg.h"
#include "RegularFile.h"
#include "Rtf.h"
#include "SafeFile.h"
#include "Shell.h"

#include <QDragEnterEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QTextDocument>
#include <QTextEdit>

#include <utility>

namespace {

[[noreturn]] void FileError(const char* Format, const QString& Path)
{
    throw Exception(QString::fromUtf8(Format).arg(Path).toStdString());
}

} // namespace

void TMainForm::ConfirmSaveChanges()
{
    if (!ui->Editor->document()->isModified())
        return;
    const int answer = MyMessageDlg(QStringLiteral("Сохранить изменения в %1?").arg(documentName_), mdConfirmation,
                                    {mdbYes, mdbNo, mdbCancel}, 0, QString(), QString());
    if (answer == 2)
        throw EAbort();
    if (answer == 6) {
        FileSave();
        // The user asked to save: when the save did not happen (the Save As
        // dialog cancelled, overwriting declined), the command stops as it
        // does for Cancel, rather than going on to lose the document.
        if (ui->Editor->document()->isModified())
            throw EAbort();
    }
}

void TMainForm::ReadDocumentFile(const QString& FileName)
{
    // Only a regular file: a FIFO or a device would block or never end.
    QFile file;
    if (!OpenRegularFile(file, FileName))
        FileError("Cannot open file %1", FileName);
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Exception("Failed to Load Stream");
    // Built apart from the editor and handed over whole, so that it is laid out once.
    std::unique_ptr<QTextDocument> doc = ui->Editor->NewDocument();
    // Rich text first; whatever does not read as rich text comes in as plain text.
    ReadDocumentBytes(data, *doc);
    doc->clearUndoRedoStacks();
    ui->Editor->SetDocument(std::move(doc));
    // A loaded document starts with the caret at its beginning.
    ui->Editor->moveCursor(QTextCursor::Start);
}

void TMainForm::WriteDocumentFile(const QString& FileName)
{
    // Whole or not at all: a failing save leaves the old file as it was.
    try {
        WriteFileWhole(FileName, WriteRtf(*ui->Editor->document()));
    } catch (const EWriteError&) {
        FileError("Cannot create file %1", FileName);
    }
}

void TMainForm::FileNew()
{
    SetDocumentName(Untitled);
    ui->Editor->SetText(QString());
    ui->Editor->document()->setModified(false);
    ShowModifiedState(false);
}

void TMainForm::OpenDocument(const QString& FileName)
{
    ReadDocumentFile(FileName);
    SetDocumentName(FileName);
    ui->Editor->setFocus();
    ui->Editor->document()->setModified(false);
    ShowModifiedState(false);
}

void TMainForm::FileOpen()
{
    ConfirmSaveChanges();
    if (!openDialog_->Execute())
        return;
    const QString chosen = openDialog_->FileName;
    OpenDocument(chosen);
    openDialog_->InitialDir = QFileInfo(chosen).absolutePath();
}

void TMainForm::FileSave()
{
    if (documentName_ == Untitled) {
        FileSaveAs();
        return;
    }
    WriteDocumentFile(documentName_);
    ui->Editor->document()->setModified(false);
    ShowModifiedState(false);
}

void TMainForm::FileSaveAs()
{
    if (!saveDialog_->Execute())
        return;
    const QString chosen = saveDialog_->FileName;
    if (QFileInfo::exists(chosen)
        && MyMessageDlg(QStringLiteral("Записать как %1").arg(chosen), mdConfirmation, {mdbYes, mdbNo, mdbCancel}, 0,
                        QString(), QString())
            != 6)
        return;
    WriteDocumentFile(chosen);
    SetDocumentName(chosen);
    ui->Editor->document()->setModified(false);
    ShowModifiedState(false);
}

void TMainForm::HandleDroppedFiles(const QMimeData* Data)
{
    const QStringList files = DroppedFiles(Data);
    if (files.isEmpty())
        return;
    ConfirmSaveChanges();
    OpenDocument(files.first());
}

// Files dropped on the editor are the window's too: they open, not paste.
bool TMainForm::HandleFileDrag(QDropEvent* Event)
{
    if (!CarriesFiles(Event->mimeData()))
        return false;
    if (!acceptDrops()) {
        Event->ignore();
        return true;
    }
    Event->acceptProposedAction();
    if (Event->type() == QEvent::Drop) {
        const QMimeData* data = Event->mimeData();
        RunHandler([this, data] { HandleDroppedFiles(data); });
    }
    return true;
}

void TMainForm::dragEnterEvent(QDragEnterEvent* Event)
{
    HandleFileDrag(Event);
}

void TMainForm::dragMoveEvent(QDragMoveEvent* Event)
{
    HandleFileDrag(Event);
}

void TMainForm::dropEvent(QDropEvent* Event)
{
    HandleFileDrag(Event);
}

void TMainForm::OpenCommandLineFile()
{
    if (CommandLine.isEmpty())
        return;
    // A name of nothing, or of a folder, is passed over; any other file is
    // opened, so that one that cannot be read (a FIFO, a device) is reported.
    const QFileInfo first(CommandLine.first());
    if (first.exists() && !first.isDir())
        OpenDocument(first.absoluteFilePath());
}
