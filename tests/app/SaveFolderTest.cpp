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

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

QStringList Entries(const QString& Folder)
{
    return QDir(Folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

TEST(SafeFile, SymbolicLinkStaysAndTheFileItNamesIsWritten)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("texts") && QDir(dir.path()).mkpath("links"));
    const QString real = dir.filePath("texts/real.rtf");
    WriteFileWhole(real, "old");
    const QString link = dir.filePath("links/link.rtf"), chain = dir.filePath("links/chain.rtf");
    ASSERT_TRUE(QFile::link("../texts/real.rtf", link)); // relative to the link's folder
    ASSERT_TRUE(QFile::link(link, chain));

    for (const QString& name : {link, chain}) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray content = "new through " + QFileInfo(name).fileName().toUtf8();
        WriteFileWhole(name, content);
        EXPECT_TRUE(QFileInfo(link).isSymLink());
        EXPECT_TRUE(QFileInfo(chain).isSymLink());
        EXPECT_EQ(Contents(real), content);
        EXPECT_EQ(Entries(dir.filePath("texts")), QStringList {"real.rtf"});
        EXPECT_EQ(Entries(dir.filePath("links")), (QStringList {"chain.rtf", "link.rtf"}));
    }

    // A link to a file not there yet makes that file.
    const QString dangling = dir.filePath("links/later.rtf");
    ASSERT_TRUE(QFile::link("../texts/later.rtf", dangling));
    WriteFileWhole(dangling, "made");
    EXPECT_TRUE(QFileInfo(dangling).isSymLink());
    EXPECT_EQ(Contents(dir.filePath("texts/later.rtf")), "made");
}

TEST(SafeFile, EveryHardLinkSeesTheNewContent)
{
    QTemporaryDir dir;
    const QString first = dir.filePath("first.rtf"), second = dir.filePath("second.rtf");
    WriteFileWhole(first, "old content");
    ASSERT_EQ(::link(QFile::encodeName(first).constData(), QFile::encodeName(second).constData()), 0);

    WriteFileWhole(second, "new");
    EXPECT_EQ(Contents(first), "new");
    EXPECT_EQ(Contents(second), "new");
    EXPECT_EQ(Entries(dir.path()), (QStringList {"first.rtf", "second.rtf"}));

    // A full disk fails before the old content is touched (writes past 1 KiB fail).
    {
        const TFullDiskAfter full(1024);
        EXPECT_THROW(WriteFileWhole(first, QByteArray(4000, 'x')), EWriteError);
    }
    EXPECT_EQ(Contents(first), "new");
    EXPECT_EQ(Contents(second), "new");
}

// The id of a process that has ended.
pid_t GonePid()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST(SafeFile, SavingRemovesTheTemporariesOfEndedProcesses)
{
    QTemporaryDir dir;
    const QString doc = dir.filePath("doc.rtf");
    WriteFileWhole(doc, "old");
    const QString gone = QString::number(GonePid()), alive = QString::number(::getpid());
    const QStringList kept {".doc.rtf." + alive + "-900.tmp", // a save of a running process
                            ".other.rtf." + gone + "-1.tmp",  // another document's
                            ".doc.rtf.x-1.tmp"};               // not a save's name
    for (const QString& name : kept + QStringList {".doc.rtf." + gone + "-3.tmp"})
        WriteFileWhole(dir.filePath(name), "left");

    WriteFileWhole(doc, "new");
    EXPECT_EQ(Contents(doc), "new");
    QStringList expected = kept + QStringList {"doc.rtf"};
    expected.sort();
    EXPECT_EQ(Entries(dir.path()), expected);
}

// Saves killed with SIGKILL at different moments, then one that runs to its
// end: the folder holds the document alone.
TEST(SafeFile, SavesKilledAtAnyMomentLeaveNothingBehind)
{
    QTemporaryDir dir;
    const QString doc = dir.filePath("doc.rtf");
    WriteFileWhole(doc, "old");
    const QByteArray big(8 << 20, 'x');
    for (int moment = 0; moment < 8; ++moment) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            try {
                for (;;)
                    WriteFileWhole(doc, big);
            } catch (...) {
            }
            ::_exit(1);
        }
        ::usleep(static_cast<useconds_t>(1000 * (1 << moment) / 2)); // 0.5 ms up to 64 ms into the saving
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    WriteFileWhole(doc, "last");
    EXPECT_EQ(Contents(doc), "last");
    EXPECT_EQ(Entries(dir.path()), QStringList {"doc.rtf"});
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
