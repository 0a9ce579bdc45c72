// The document engine through the automation layer, as the diagram window and
// the word library drive it.
#include "Automation.h"
#include "DocEngine.h"
#include "Errors.h"
#include "FakeClipboard.h"
#include "FullDisk.h"
#include "PhonText.h"
#include "Registry.h"
#include "Rtf.h"
#include "RecordingWord.h"
#include "Win1251.h"
#include "WordBasic.h"
#include "WordComponents.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>

#include <gtest/gtest.h>

#include <utility>

namespace {

QString U(const char* Utf8) { return QString::fromUtf8(Utf8); }

class DocumentEngine : public ::testing::Test {
protected:
    void SetUp() override { RegisterDocumentEngine(); }
    void TearDown() override { UnregisterDocumentEngine(); }

    // A WordBasic object of the running application.
    std::unique_ptr<IAutomationObject> Word() { return CreateAutomationObject(QStringLiteral("Word.Basic")); }
    // The active document of the running application (a WordBasic object must hold it).
    static const QTextDocument& Active() { return TEngineApplication::RunningOrNew()->ActiveDocument().Document(); }

    static QByteArray Read(const QString& Name)
    {
        QFile f(Name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir_;
};

const QVariant M = MissingArg();

} // namespace

// The commands of a chart page's export: headings, the picture, a coloured
// three-column table and the summary, saved as RTF under the given name.
TEST_F(DocumentEngine, ExportCommandsBuildAndSaveADocument)
{
    QImage picture(70, 30, QImage::Format_RGB32);
    picture.fill(Qt::white);
    const QString bmp = dir_.filePath("a.bmp");
    ASSERT_TRUE(picture.save(bmp, "BMP"));

    auto w = CreateAutomationObject(QStringLiteral("Word.Basic.8"));
    w->Call("AppShow");
    w->Call("FileNew");
    w->Call("Font", { "Times New Roman", 20 });
    w->Call("Bold");
    w->Call("Insert", { U("Фоносемантика текста - ") });
    w->Call("Insert", { "\t" });
    w->Call("Font", { "Times New Roman", 16 });
    w->Call("Bold");
    w->Call("Insert", { U("Проба") });
    w->Call("Insert", { "\r" });
    w->Call("InsertPicture", { bmp });
    w->Call("Insert", { "\r" });
    w->Call("TableInsertTable", { M, 3, M, M, M, M, M });
    w->Call("StartOfColumn");
    const char* sounds[] = { "В  3 (1.50)", "С  0 (-0.40)", "Д  2 (0.90)", "Р  1 (-1.00)" };
    for (int i = 0; i < 4; ++i) {
        w->Call("CharColor", { i % 2 ? 9 : 1 });
        w->Call("Insert", { U(sounds[i]) });
        if (i < 3)
            w->Call("NextCell");
    }
    w->Call("EndOfDocument");
    w->Call("Insert", { U("Всего звукобукв: 6") });

    // Before saving: the structure.
    const QTextDocument& doc = Active();
    const QTextBlock first = doc.begin();
    ASSERT_TRUE(first.isValid());
    const auto heading = first.begin().fragment().charFormat();
    EXPECT_EQ(first.text(), U("Фоносемантика текста - \tПроба"));
    EXPECT_EQ(heading.fontPointSize(), 20);
    EXPECT_EQ(heading.fontWeight(), QFont::Bold);
    // The second Bold turned it off again.
    auto title = first.begin();
    ++title;
    EXPECT_EQ(title.fragment().text(), U("Проба"));
    EXPECT_EQ(title.fragment().charFormat().fontWeight(), QFont::Normal);
    EXPECT_EQ(title.fragment().charFormat().fontPointSize(), 16);

    const QString doc1 = dir_.filePath("a.DOC");
    w->Call("FileSaveAs", { doc1, 0, M, M, M, M, M, M, M, M });
    w->Call("AppClose");
    EXPECT_EQ(TEngineApplication::RunningOrNew()->DocumentCount(), 0);

    const QByteArray rtf = Read(doc1);
    ASSERT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1251"));
    EXPECT_TRUE(rtf.contains("\\pict\\pngblip\\picw70\\pich30"));
    EXPECT_EQ(rtf.count("\\row"), 2); // four cells in three columns: two rows
    EXPECT_TRUE(rtf.contains("\\red0\\green0\\blue0;"));
    EXPECT_TRUE(rtf.contains("\\red0\\green0\\blue128;"));
    QTextDocument back;
    ASSERT_EQ(ReadRtf(rtf, back), RtfLoad::Loaded);
    const QString text = back.toPlainText();
    EXPECT_TRUE(text.contains(U("Проба")));
    EXPECT_TRUE(text.contains(U("В  3 (1.50)\tС  0 (-0.40)\tД  2 (0.90)")));
    EXPECT_TRUE(text.contains(U("Всего звукобукв: 6")));
}

TEST_F(DocumentEngine, BoldTogglesAndColoursAreWordBasicNumbers)
{
    auto w = Word();
    w->Call("FileNew");
    w->Call("Insert", { "a" });
    w->Call("Bold");
    w->Call("Insert", { "b" });
    w->Call("Bold", { 1 }); // stays bold
    w->Call("Insert", { "c" });
    w->Call("Bold", { 0 });
    w->Call("Insert", { "d" });
    for (int n : { 1, 6, 9, 0 }) {
        w->Call("CharColor", { n });
        w->Call("Insert", { QString::number(n) });
    }
    QString bold;
    std::vector<std::pair<QString, QString>> colours;
    for (auto it = Active().begin().begin(); !it.atEnd(); ++it) {
        const QTextCharFormat f = it.fragment().charFormat();
        if (f.fontWeight() == QFont::Bold)
            bold += it.fragment().text();
        colours.emplace_back(it.fragment().text(),
                             f.foreground().style() == Qt::NoBrush ? QString("auto") : f.foreground().color().name());
    }
    EXPECT_EQ(bold, "bc");
    const std::vector<std::pair<QString, QString>> expected = {
        { "a", "auto" }, { "bc", "auto" }, { "d", "auto" }, { "1", "#000000" }, { "6", "#ff0000" }, { "9", "#000080" }, { "0", "auto" },
    };
    EXPECT_EQ(colours, expected);
}

// NextCell past the last cell adds a row with the formatting of the one above;
// a selected row takes the colour for every cell typed into later.
TEST_F(DocumentEngine, TablesGrowAndSelectedRowsKeepTheirColour)
{
    auto w = Word();
    w->Call("FileNew");
    w->Call("TableInsertTable", { M, 2, 1, M, M, M, M });
    for (int i = 0; i < 2; ++i) {
        w->Call("TableSelectRow");
        w->Call("CharColor", { i == 0 ? 6 : 1 });
        w->Call("Insert", { QString("n%1").arg(i) });
        w->Call("NextCell");
        w->Call("Insert", { QString("v%1").arg(i) });
        w->Call("Insert", { "\t" });
        if (i == 0)
            w->Call("NextCell");
    }
    w->Call("StartOfColumn");
    w->Call("Insert", { "x" }); // the top cell of the second column: its contents are not selected
    QTextTable* table = nullptr;
    for (auto it = Active().rootFrame()->begin(); !it.atEnd() && !table; ++it)
        table = qobject_cast<QTextTable*>(it.currentFrame());
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rows(), 2);
    auto cell = [&](int r, int c) {
        const QTextTableCell cell = table->cellAt(r, c);
        const QTextBlock b = cell.firstCursorPosition().block();
        const QColor colour = b.begin().atEnd() ? QColor() : b.begin().fragment().charFormat().foreground().color();
        return std::make_pair(b.text(), colour.name());
    };
    EXPECT_EQ(cell(0, 0), std::make_pair(QString("n0"), QString("#ff0000")));
    EXPECT_EQ(cell(0, 1), std::make_pair(QString("xv0\t"), QString("#ff0000")));
    EXPECT_EQ(cell(1, 0), std::make_pair(QString("n1"), QString("#000000")));
    EXPECT_EQ(cell(1, 1), std::make_pair(QString("v1\t"), QString("#000000")));

    // Omitted or 0 rows and columns are two.
    w->Call("EndOfDocument");
    w->Call("TableInsertTable", { M, 0 });
    for (int i = 0; i < 3; ++i)
        w->Call("NextCell");
    std::vector<QTextTable*> tables;
    for (auto it = Active().rootFrame()->begin(); !it.atEnd(); ++it)
        if (auto* t = qobject_cast<QTextTable*>(it.currentFrame()))
            tables.push_back(t);
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[1]->columns(), 2);
    EXPECT_EQ(tables[1]->rows(), 2);
    w->Call("NextCell");
    EXPECT_EQ(tables[1]->rows(), 3);
}

TEST_F(DocumentEngine, UnknownCommandsAndBadArgumentsAreErrors)
{
    auto w = Word();
    w->Call("FileNew");
    const std::vector<std::pair<QString, QVariantList>> bad = {
        { "FileOpen", { "x.doc" } },
        { "Insert", {} },
        { "Insert", { 5 } },
        { "Font", {} },
        { "Font", { "Arial", 0 } },
        { "CharColor", {} },
        { "CharColor", { 17 } },
        { "CharColor", { "red" } },
        { "TableInsertTable", { M, 64 } },
        { "TableInsertTable", { M, 2, -1 } },
        { "NextCell", {} },
        { "StartOfColumn", {} },
        { "TableSelectRow", {} },
        { "EditCopy", {} },
        { "InsertPicture", { dir_.filePath("none.bmp") } },
        { "FileSaveAs", { dir_.filePath("x.DOC"), 1 } },
        { "FileSaveAs", { "" } },
    };
    for (const auto& [command, args] : bad)
        EXPECT_THROW(w->Call(command, args), EOleError) << command.toStdString();
    EXPECT_NO_THROW(w->Call("insert", { "names in any case" }));
    EXPECT_FALSE(QFile::exists(dir_.filePath("x.DOC")));
}

// The walk through a document: sentence by sentence and word by word, to the
// end of the document; the text model reads it as it reads the same text fed.
TEST_F(DocumentEngine, WalkReadsSentencesAndWords)
{
    auto w = Word();
    w->Call("FileNew");
    w->Call("Insert", { U("Мама мыла раму. Папа («спит»)!\r\rДОМ") });

    auto walk = [&](const char* Select, const char* Right) {
        QStringList parts;
        w->Call("MenuMode");
        w->Call("StartOfDocument");
        while (w->Call("AtEndOfDocument").toInt() != -1 && parts.size() < 50) {
            w->Call(Select);
            parts << w->Call("Selection").toString();
            w->Call(Right);
        }
        return parts;
    };
    EXPECT_EQ(walk("SelectCurSentence", "SentRight"),
              QStringList({ U("Мама мыла раму. "), U("Папа («спит»)!\r"), "\r", U("ДОМ") }));
    EXPECT_EQ(walk("SelectCurWord", "WordRight"),
              QStringList({ U("Мама"), U("мыла"), U("раму"), ".", U("Папа"), "(", U("«"), U("спит"), U("»"), ")", "!", "\r",
                            "\r", U("ДОМ") }));

    FakeClipboard clip;
    SetClipboardLayer(&clip);
    w->Call("StartOfDocument");
    w->Call("SelectCurSentence");
    w->Call("EditCopy");
    SetClipboardLayer(nullptr);
    EXPECT_EQ(clip.text, U("Мама мыла раму. "));

    // The text model's walk uses a WordBasic object of its own on the same document.
    TFileViewMem walked, fed;
    std::string note;
    walked.AnalyzeWordDocument("t", 0, note);
    fed.Reset();
    fed.ProcessString(Ansi("Мама мыла раму. Папа («спит»)!\r\rДОМ"), 0);
    EXPECT_EQ(walked.SoundCount, fed.SoundCount);
    EXPECT_EQ(walked.WordCount, fed.WordCount);
    EXPECT_EQ(walked.VowelCount, fed.VowelCount);
}

// Without the engine the word processor is missing: creation and the
// components' connection fail, and the registry has no class key.
TEST_F(DocumentEngine, ComponentsConnectToTheRunningApplicationOrFail)
{
    const QString key = QStringLiteral("\\Software\\Classes\\Word.Basic.8");
    EXPECT_TRUE(RegistryLayer().KeyExists(HKEY_LOCAL_MACHINE, key));
    {
        TWordApplication app;
        TWordDocument doc;
        app.Connect();
        doc.Connect();
        EXPECT_FALSE(app.Visible());
        app.SetVisible(true);
        EXPECT_TRUE(app.Visible());
        // The commands go into the document the document component opened.
        app.WordBasic()->Call("Insert", { "x" });
        EXPECT_EQ(TEngineApplication::RunningOrNew()->DocumentCount(), 1);
        EXPECT_EQ(Active().toPlainText(), "x");
        // After AppClose the next command finds a new document.
        app.WordBasic()->Call("AppClose");
        app.WordBasic()->Call("Insert", { "y" });
        EXPECT_EQ(Active().toPlainText(), "y");
    }
    // Nothing holds the application any more: the next one starts afresh.
    EXPECT_EQ(TEngineApplication::RunningOrNew()->DocumentCount(), 0);

    UnregisterDocumentEngine();
    EXPECT_FALSE(RegistryLayer().KeyExists(HKEY_LOCAL_MACHINE, key));
    EXPECT_THROW(CreateAutomationObject("Word.Basic.8"), EOleError);
    TWordApplication app;
    EXPECT_THROW(app.Connect(), EOleError);
    EXPECT_FALSE(app.Connected());
    EXPECT_THROW(app.WordBasic(), EOleError);
    TWordDocument doc;
    EXPECT_THROW(doc.Connect(), EOleError);
}

// The recording stand-in answers the components as the engine would.
TEST(RecordingWord, StandsInForTheComponents)
{
    TRecordingWord word;
    word.FailAt = "FileSaveAs";
    {
        TWordApplication app;
        TWordDocument doc;
        app.Connect();
        doc.Connect();
        app.SetVisible(true);
        AutomationRef basic = app.WordBasic();
        basic->Call("Insert", { "x" });
        EXPECT_THROW(basic->Call("FileSaveAs", { "a.DOC", 0 }), EOleError);
    }
    EXPECT_EQ(word.Created, QStringList({ "Word.Application", "Word.Document" }));
    EXPECT_TRUE(word.Visible);
    EXPECT_EQ(word.Commands(), QStringList({ "Insert", "FileSaveAs" }));
    EXPECT_EQ(word.Live, 0);
}

// A save that fails leaves what was under the name before, and no scratch file.
TEST_F(DocumentEngine, FailedSavesLeaveNoHalfWrittenFile)
{
    auto w = Word();
    w->Call("FileNew");
    w->Call("Insert", { QString(200000, QLatin1Char('x')) });

    try {
        w->Call("FileSaveAs", { dir_.filePath("missing/a.DOC"), 0 });
        ADD_FAILURE() << "saved into a missing folder";
    } catch (const EOleError& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(U("папка не найдена"))) << e.what();
    }

    const QString name = dir_.filePath("a.DOC");
    QFile old(name);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    QString message;
    try {
        const TFullDiskAfter full(64 * 1024);
        w->Call("FileSaveAs", { name, 0 });
    } catch (const EOleError& e) {
        message = QString::fromUtf8(e.what());
    }
    EXPECT_TRUE(message.contains(U("недостаточно места"))) << message.toStdString();
    EXPECT_EQ(Read(name), "old");
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList({ "a.DOC" }));

    // A drive that exists nowhere on this host.
    EXPECT_THROW(w->Call("FileSaveAs", { "Q:\\Data\\a.DOC", 0 }), EOleError);
}
