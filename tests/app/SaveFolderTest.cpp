// Saving into a folder that takes no new file (a writable document in a
// folder the user may not write to), as a user without rights: the save goes
// in place; the replace as a whole stays wherever the folder allows it. And a
// loaded document, built apart from the editor, keeps the editor's wiring.
#include "AppTestSupport.h"
#include "FullDisk.h"
#include "NoFileRights.h"
#include "SafeFile.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTest>

#include <sys/stat.h>

namespace {

// A folder holding "doc.rtf" whose mode takes no new file while the object lives.
class TLockedFolder {
public:
    explicit TLockedFolder(const QString& Folder) : folder_(QFile::encodeName(Folder))
    {
        ::chmod(folder_.constData(), 0555);
    }
    ~TLockedFolder() { ::chmod(folder_.constData(), 0755); }
    // Whether a new file can be made there now (for the test's own check).
    bool TakesNewFiles() const
    {
        QFile probe(QFile::decodeName(folder_) + "/probe");
        const bool made = probe.open(QIODevice::WriteOnly);
        if (made)
            probe.remove();
        return made;
    }

private:
    QByteArray folder_;
};

QByteArray Contents(const QString& File)
{
    QFile f(File);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class SaveFolder : public MainFormFixture {};

} // namespace

TEST(SafeFile, FolderThatTakesNoNewFileIsWrittenInPlace)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("только чтение"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString doc = folder + "/doc.rtf";
    WriteFileWhole(doc, "old");

    TLockedFolder locked(folder);
    TNoFileRights user;
    ASSERT_FALSE(locked.TakesNewFiles()) << "the folder's mode must decide, as for a user without rights";

    WriteFileWhole(doc, "new content");
    EXPECT_EQ(Contents(doc), "new content");
    WriteFileWhole(doc, "short");
    EXPECT_EQ(Contents(doc), "short") << "the rest of the longer old content is cut off";
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList { QStringLiteral("doc.rtf") });

    // A file that is not there yet cannot be made.
    try {
        WriteFileWhole(folder + "/new.rtf", "x");
        ADD_FAILURE() << "a new file was made";
    } catch (const EWriteError& e) {
        EXPECT_TRUE(QString::fromStdString(e.what()).contains(QStringLiteral("нет прав на запись"))) << e.what();
    }

    // A full disk fails before the old content is touched (writes past 1 KiB fail).
    {
        const TFullDiskAfter full(1024);
        EXPECT_THROW(WriteFileWhole(doc, QByteArray(4000, 'x')), EWriteError);
    }
    EXPECT_EQ(Contents(doc), "short");
}

TEST_F(SaveFolder, DocumentInAFolderThatTakesNoNewFileIsSaved)
{
    const QString folder = Path(QStringLiteral("чужая папка"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString doc = folder + "/doc.rtf";
    Write(doc, "saved text");
    Form->OpenDocument(doc);
    Type(QStringLiteral("правка"));

    TLockedFolder locked(folder);
    TNoFileRights user;
    ASSERT_FALSE(locked.TakesNewFiles());
    Run(&TMainForm::FileSave);
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join('|').toStdString();
    EXPECT_FALSE(Editor()->document()->isModified());
    Form->OpenDocument(doc);
    EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("правка"));
}

TEST_F(SaveFolder, LoadedDocumentKeepsTheEditorsSettingsAndWiring)
{
    QFont font = Editor()->document()->defaultFont();
    font.setPointSize(13);
    Editor()->document()->setDefaultFont(font);
    const QPointer<QTextDocument> first = Editor()->document();
    for (const char* name : { "a.rtf", "b.txt" }) {
        SCOPED_TRACE(name);
        const QString file = Path(QString::fromLatin1(name));
        Write(file, name[2] == 'r' ? QByteArray("{\\rtf1 текст}") : QByteArray("текст"));
        Form->OpenDocument(file);
        EXPECT_EQ(Editor()->document()->defaultFont().pointSize(), 13);
        EXPECT_FALSE(Editor()->document()->isUndoAvailable()) << "nothing to undo into the old text";
        EXPECT_EQ(Probe().Status(1), QString());
        QTest::keyClick(Editor(), Qt::Key_A);
        EXPECT_EQ(Probe().Status(1), QStringLiteral("Изменен"));
    }
    EXPECT_TRUE(first.isNull()) << "the documents that were replaced are freed";
}
