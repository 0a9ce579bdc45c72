// Loading, saving safely, printing, About, drops and the command line.
#include "AppTestSupport.h"
#include "FullDisk.h"
#include "Watchdog.h"

#include <QDir>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QUrl>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

class Documents : public MainFormFixture {};

TEST_F(Documents, PlainTextLoadsAsUtf8OrElseWindows1251)
{
    struct {
        const char* Name;
        QByteArray Bytes;
        QString Text;
    } cases[] = {
        {"utf8", QByteArray("Привет, мир\r\nвторая"), QStringLiteral("Привет, мир\nвторая")},
        {"cp1251", QByteArray("\xcf\xf0\xe8\xe2\xe5\xf2"), QStringLiteral("Привет")},
        {"ascii", QByteArray("plain"), QStringLiteral("plain")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const QString file = Path(QString::fromLatin1(c.Name));
        Write(file, c.Bytes);
        RunHandler([&] { Form->OpenDocument(file); });
        EXPECT_EQ(Editor()->toPlainText(), c.Text);
        EXPECT_EQ(Form->DocumentName(), file);
        EXPECT_FALSE(Editor()->document()->isModified());
    }
    EXPECT_TRUE(Errors.isEmpty());
}

TEST_F(Documents, UnreadableFileLeavesDocumentAndNameAsTheyWere)
{
    const QString doc = OpenedAndChanged(QStringLiteral("doc.rtf"), QStringLiteral("несохранённое"));
    const QString missing = Path(QStringLiteral("missing.rtf"));
    for (const QString& bad : {missing, Dir.path()}) {
        SCOPED_TRACE(bad.toStdString());
        Errors.clear();
        RunHandler([&] { Form->OpenDocument(bad); });
        EXPECT_EQ(Errors, QStringList {QStringLiteral("Cannot open file ") + bad});
        EXPECT_EQ(Form->DocumentName(), doc);
        EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("несохранённое"));
        EXPECT_TRUE(Editor()->document()->isModified());
    }
}

// A FIFO (no writer), a device and a socket are refused as an unreadable
// file is, at once: opening a FIFO would wait for a writer, /dev/zero never ends.
TEST_F(Documents, DroppedFileThatIsNoRegularFileIsNotRead)
{
    const QString doc = Path(QStringLiteral("doc.txt"));
    Write(doc, "the document");
    Form->OpenDocument(doc);
    const QString fifo = Path(QStringLiteral("fifo.rtf")), socketFile = Path(QStringLiteral("socket.rtf"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, QFile::encodeName(socketFile).constData(), sizeof address.sun_path);
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);

    for (const QString& bad : {fifo, QStringLiteral("/dev/zero"), socketFile}) {
        SCOPED_TRACE(bad.toStdString());
        Errors.clear();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(bad)});
        {
            const TWatchdog watchdog("dropping " + bad.toStdString(), 30);
            RunHandler([&] { Probe().HandleDroppedFiles(&data); });
        }
        EXPECT_EQ(Errors, QStringList {QStringLiteral("Cannot open file ") + bad});
        EXPECT_EQ(Form->DocumentName(), doc);
        EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("the document"));
    }
    ::close(listener);
}

TEST_F(Documents, FailingSaveLeavesTheOldFileWholeAndReportsIt)
{
    const QString doc = OpenedAndChanged(QStringLiteral("doc.rtf"), QString(4000, QLatin1Char('x')));
    {
        const TFullDiskAfter full(1024);
        Run(&TMainForm::FileSave);
    }

    EXPECT_EQ(Errors, QStringList {QStringLiteral("Cannot create file ") + doc});
    EXPECT_EQ(Read(doc), "saved text");
    EXPECT_TRUE(Editor()->document()->isModified());
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files), QStringList {QStringLiteral("doc.rtf")}) << "no scratch left";
}

TEST_F(Documents, FailingSaveOnClosingKeepsWindowOpenAndSaysWhy)
{
    Form->show();
    const QString doc = OpenedAndChanged(QStringLiteral("doc.rtf"), QStringLiteral("текст"));
    QFile::remove(doc);
    QDir(Dir.path()).mkdir(QStringLiteral("doc.rtf")); // the target is now a folder
    Modal.Answers << 6;
    EXPECT_FALSE(Form->close());
    EXPECT_TRUE(Form->isVisible());
    EXPECT_EQ(Errors, QStringList {QStringLiteral("Cannot create file ") + doc});
}

// A loaded document puts the caret into its own text, whose attributes the
// controls show; a new document starts with the editor's default attributes,
// not with those of the text the caret stood in.
TEST_F(Documents, LoadedAndNewDocumentsSetTheControlsFromTheirText)
{
    Form->show();
    Ui::TMainForm& f = Probe().Form();
    auto shown = [&] {
        return QStringList {Probe().FontName()->currentText(), Probe().FontSize()->text(),
                            f.BoldButton->isChecked() ? "bold" : "", f.CenterAlign->isChecked() ? "centre" : "left"}
            .join(QLatin1Char('|'))
            .toStdString();
    };
    const QString file = Path(QStringLiteral("heading.rtf"));
    Write(file, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard\\qc\\f0\\fs32\\b Heading\\par\\pard\\b0\\fs20 body\\par}");
    ASSERT_EQ(Editor()->textCursor().position(), 0);
    Form->OpenDocument(file);
    EXPECT_EQ(shown(), "Arial|16|bold|centre");

    Form->FileNew();
    EXPECT_EQ(shown(), "MS Sans Serif|8||left");
    QTest::keyClicks(Editor(), QStringLiteral("new"));
    QTextCursor typed(Editor()->document());
    typed.setPosition(1);
    EXPECT_FALSE(typed.charFormat().hasProperty(QTextFormat::FontWeight));
    EXPECT_FALSE(typed.charFormat().hasProperty(QTextFormat::FontPointSize));
    EXPECT_EQ(TTextAttributes(Editor(), true).Name(), QStringLiteral("MS Sans Serif"));
    EXPECT_TRUE(Errors.isEmpty());
}

TEST_F(Documents, DroppedFilesOpenTheFirstOnly)
{
    QList<QUrl> urls;
    for (const char* name : {"one.txt", "two.txt", "three.txt"}) {
        Write(Path(QString::fromLatin1(name)), name);
        urls << QUrl::fromLocalFile(Path(QString::fromLatin1(name)));
    }
    QMimeData data;
    data.setUrls(urls);
    RunHandler([&] { Probe().HandleDroppedFiles(&data); });
    EXPECT_EQ(Form->DocumentName(), Path(QStringLiteral("one.txt")));
    EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("one.txt"));
}

TEST_F(Documents, CommandLineOpensAnExistingFileAndIgnoresAnythingElse)
{
    const QString file = Path(QStringLiteral("arg.txt"));
    Write(file, "from the command line");
    struct {
        QStringList Args;
        QString Name;
    } cases[] = {
        {{Path(QStringLiteral("nothing-here.rtf"))}, QStringLiteral("Без Имени")},
        {{Dir.path()}, QStringLiteral("Без Имени")},
        {{file, Path(QStringLiteral("second.rtf"))}, file},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Args.join(' ').toStdString());
        TMainForm form;
        form.CommandLine = c.Args;
        form.show();
        // The window goes to the screen first; the file follows.
        EXPECT_EQ(form.DocumentName(), QStringLiteral("Без Имени"));
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(form.DocumentName(), c.Name);
    }
    EXPECT_TRUE(Errors.isEmpty());
    EXPECT_TRUE(Modal.Seen.isEmpty());
}

TEST_F(Documents, CommandLineFileThatIsNoRegularFileIsReported)
{
    const QString fifo = Path(QStringLiteral("fifo.rtf"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    TMainForm form;
    form.CommandLine = {fifo};
    {
        const TWatchdog watchdog("a FIFO on the command line", 30);
        form.show();
        QCoreApplication::sendPostedEvents();
    }
    EXPECT_EQ(Errors, QStringList {QStringLiteral("Cannot open file ") + fifo});
    EXPECT_EQ(form.DocumentName(), QStringLiteral("Без Имени"));
}

// Printing through the fake colour library and the recording printer.
class Printing : public MainFormFixture {
protected:
    QString Doc;
    QString OldDir;

    void SetUp() override
    {
        MainFormFixture::SetUp();
        OldDir = QDir::currentPath();
        QDir::setCurrent(Dir.path());
        Doc = Path(QStringLiteral("doc.txt"));
        Write(Doc, "первая строка\nвторая строка");
        Form->OpenDocument(Doc);
    }
    void TearDown() override
    {
        QDir::setCurrent(OldDir);
        MainFormFixture::TearDown();
    }
};

TEST_F(Printing, AllPagesPrintsTheDocumentUnderItsName)
{
    Run(&TMainForm::FilePrint);
    EXPECT_EQ(FakeLibs::Log(), (QStringList {"+yestrel", "ColorPrinter", "-yestrel"}));
    EXPECT_EQ(Print.Calls, (QStringList {"Dialog", "PrintDocument " + Doc}));
    EXPECT_TRUE(Print.LastOptions.Selection);
    EXPECT_EQ(Print.PrintedTexts, QStringList {QStringLiteral("первая строка\nвторая строка")});
}

TEST_F(Printing, SelectionPrintsPlainTextAndRestoresTheDocument)
{
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextCursor all(Editor()->document());
    all.select(QTextCursor::Document);
    all.mergeCharFormat(bold);
    Editor()->document()->setModified(true);
    Select(21, 27); // "строка" of the second line
    Print.DialogRange = TPrintRange::Selection;
    Run(&TMainForm::FilePrint);

    EXPECT_EQ(Print.Calls, (QStringList {"Dialog", "PrintDocument "}));
    EXPECT_EQ(Print.PrintedTexts, QStringList {QStringLiteral("строка")});
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("TMP.TMP"))));
    EXPECT_TRUE(Read(Path(QStringLiteral("TMP.TMP"))).startsWith("{\\rtf"));
    EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("первая строка\nвторая строка"));
    QTextCursor second(Editor()->document());
    second.setPosition(22);
    EXPECT_EQ(second.charFormat().fontWeight(), QFont::Bold) << "formatting comes back from the scratch file";
    EXPECT_EQ(Form->DocumentName(), Doc);
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("doc.txt - ") + AppTitle);
    // The first match is selected, not necessarily the printed passage.
    EXPECT_EQ(Editor()->textCursor().selectionStart(), 7);
    EXPECT_EQ(Editor()->textCursor().selectedText(), QStringLiteral("строка"));
    EXPECT_TRUE(Editor()->document()->isModified()) << "unsaved changes are still asked about";
    EXPECT_TRUE(Errors.isEmpty());
}

// The passage is printed in the editor's default attributes, whatever the
// attributes of the text it was selected from.
TEST_F(Printing, SelectionIsPrintedWithoutItsFormatting)
{
    struct TFormatPrinter : TRecordingPrinter {
        QList<QTextCharFormat> Formats;
        void PrintDocument(const QTextDocument& Doc, const QString& Title) override
        {
            TRecordingPrinter::PrintDocument(Doc, Title);
            for (QTextBlock b = Doc.begin(); b.isValid(); b = b.next())
                for (auto it = b.begin(); !it.atEnd(); ++it)
                    Formats << it.fragment().charFormat();
        }
    } printer;
    printer.DialogRange = TPrintRange::Selection;
    SetPrinter(&printer);
    QTextCharFormat f;
    f.setFontWeight(QFont::Bold);
    f.setFontPointSize(20);
    f.setForeground(QColor(255, 0, 0));
    QTextCursor all(Editor()->document());
    all.select(QTextCursor::Document);
    all.mergeCharFormat(f);
    Select(21, 27);
    Run(&TMainForm::FilePrint);
    SetPrinter(&Print);

    EXPECT_EQ(printer.PrintedTexts, QStringList {QStringLiteral("строка")});
    ASSERT_FALSE(printer.Formats.isEmpty());
    for (const QTextCharFormat& printed : printer.Formats) {
        EXPECT_FALSE(printed.hasProperty(QTextFormat::FontWeight));
        EXPECT_FALSE(printed.hasProperty(QTextFormat::FontPointSize));
        EXPECT_FALSE(printed.hasProperty(QTextFormat::ForegroundBrush));
    }
    QTextCursor second(Editor()->document());
    second.setPosition(22);
    EXPECT_EQ(second.charFormat().fontPointSize(), 20) << "the document comes back with its formatting";
    EXPECT_TRUE(Errors.isEmpty());
}

TEST_F(Printing, PrintedPassageWithNoBreakSpacesIsSelectedAgain)
{
    const QString text = QString::fromUtf8("первая\u00A0строка\nвторая\u00A0строка");
    const struct {
        int From, To;
        QString Printed; // the passage as printed: its paragraph end a line feed
    } cases[] = {
        {14, 27, QString::fromUtf8("вторая\u00A0строка")},
        {7, 21, QString::fromUtf8("строка\nвторая\u00A0")},
    };
    Print.DialogRange = TPrintRange::Selection;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Printed.toStdString());
        Editor()->setPlainText(text);
        Select(c.From, c.To);
        Print.PrintedTexts.clear();
        Run(&TMainForm::FilePrint);
        // The recording printer keeps the document's plain text, blanks for no-break spaces.
        EXPECT_EQ(Print.PrintedTexts, QStringList {QString(c.Printed).replace(QChar::Nbsp, QLatin1Char(' '))});
        EXPECT_EQ(Editor()->toPlainText(), QString(text).replace(QChar::Nbsp, QLatin1Char(' ')));
        EXPECT_EQ(Editor()->document()->toRawText().count(QChar::Nbsp), 2) << "no-break spaces come back";
        EXPECT_EQ(Editor()->textCursor().selectionStart(), c.From);
        EXPECT_EQ(Editor()->textCursor().selectionEnd(), c.To);
    }
    EXPECT_TRUE(Errors.isEmpty());
}

class FailingPrinter : public TRecordingPrinter {
public:
    void PrintDocument(const QTextDocument& Doc, const QString& Title) override
    {
        TRecordingPrinter::PrintDocument(Doc, Title);
        throw Exception("printer jammed");
    }
};

TEST_F(Printing, FailingSelectionPrintStillRestoresTheDocument)
{
    FailingPrinter failing;
    failing.DialogRange = TPrintRange::Selection;
    SetPrinter(&failing);
    Select(0, 6);
    Run(&TMainForm::FilePrint);
    EXPECT_EQ(failing.PrintedTexts, QStringList {QStringLiteral("первая")});
    EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("первая строка\nвторая строка"));
    EXPECT_EQ(FakeLibs::Log().last(), QStringLiteral("-yestrel"));
    EXPECT_TRUE(Errors.isEmpty()) << "the print command ends without a message";
    SetPrinter(&Print);
}

// A print into a file (a PDF where there is no printer) is named in the last
// status panel until the next print; a file that could not be written is an
// error message and names nothing.
TEST_F(Printing, PrintIntoAFileIsNamedInTheStatusBar)
{
    const QString pdf = QStringLiteral("/home/u/Lemvora.pdf");
    const struct {
        QString File;
        bool Fails;
        QString Panel;
        QStringList Messages;
    } cases[] = {
        {pdf, false, QStringLiteral("Напечатано в файл ") + pdf, {}},
        {QString(), false, QString(), {}}, // to a printer: the earlier note goes
        {pdf, false, QStringLiteral("Напечатано в файл ") + pdf, {}},
        {pdf, true, QString(), {QStringLiteral("Не удалось записать файл «%1»: нет прав на запись.").arg(pdf)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2").arg(c.File).arg(c.Fails).toStdString());
        Print.OutputFile = c.File;
        Print.WriteFails = c.Fails;
        Modal.Seen.clear();
        Run(&TMainForm::FilePrint);
        EXPECT_EQ(Probe().Status(2), c.Panel);
        EXPECT_EQ(Modal.Seen, c.Messages);
    }
    // The selection print names its file alike.
    Print.OutputFile = pdf;
    Print.WriteFails = false;
    Print.DialogRange = TPrintRange::Selection;
    Select(0, 6);
    Run(&TMainForm::FilePrint);
    EXPECT_EQ(Probe().Status(2), QStringLiteral("Напечатано в файл ") + pdf);
    EXPECT_EQ(FakeLibs::Log().last(), QStringLiteral("-yestrel"));
    EXPECT_TRUE(Errors.isEmpty());
}

TEST_F(Printing, CancelledDialogOrPageRangePrintsNothing)
{
    Print.DialogAnswer = false;
    Run(&TMainForm::FilePrint);
    Print.DialogAnswer = true;
    Print.DialogRange = TPrintRange::PageNums;
    Run(&TMainForm::FilePrint);
    EXPECT_EQ(Print.Calls, (QStringList {"Dialog", "Dialog"}));
}

TEST_F(Printing, WithoutColourLibraryTheMessageComesBeforeAnyDialog)
{
    FakeLibs::Use({QStringLiteral("Yestrel.Dll")});
    Run(&TMainForm::FilePrint);
    EXPECT_EQ(Modal.Seen, QStringList {QStringLiteral("Ошибка при загрузке библиотеки Yestrel.Dll")});
    EXPECT_TRUE(Print.Calls.isEmpty());
}

TEST_F(Printing, FailingColourLibraryEndsSilentlyAfterUnloading)
{
    FakeLibs::SetThrow(QStringLiteral("ColorPrinter"));
    Run(&TMainForm::FilePrint);
    EXPECT_EQ(FakeLibs::Log(), (QStringList {"+yestrel", "ColorPrinter", "-yestrel"}));
    EXPECT_TRUE(Print.Calls.isEmpty());
    EXPECT_TRUE(Errors.isEmpty());
    EXPECT_TRUE(Modal.Seen.isEmpty());
}

TEST_F(Documents, AboutCallsTheLibraryOrReportsItMissing)
{
    Run(&TMainForm::HelpAbout);
    EXPECT_EQ(FakeLibs::Log(), (QStringList {"+bramlet", "AboutLemvora", "-bramlet"}));
    FakeLibs::Use({QStringLiteral("Bramlet.Dll")});
    Run(&TMainForm::HelpAbout);
    EXPECT_EQ(Modal.Seen, QStringList {QStringLiteral("Ошибка при загрузке библиотеки Bramlet.Dll")});
}

} // namespace
