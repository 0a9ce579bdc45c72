// The export of a page to the word processor, on the recording stand-in.
#include "GrafExport.h"
#include "LemvGraf.h"
#include "ModalDriver.h"
#include "RecordingWord.h"
#include "Registry.h"
#include "Win1251.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

namespace {

QString U(const char* Utf8) { return QString::fromUtf8(Utf8); }

// A page with one scale per value and one sound-letter per deviation.
std::unique_ptr<TCurrentPage> MakePage(const std::vector<double>& Values, const std::vector<double>& Zs,
                                       const std::string& Note = {})
{
    auto page = std::make_unique<TCurrentPage>();
    page->Title = Ansi("Проба");
    page->Note = Note;
    for (size_t i = 0; i < Values.size(); ++i)
        page->ScaleList.AddObject("s", new ScaleItem { "Scale" + std::to_string(i), Values[i] });
    for (size_t i = 0; i < Zs.size(); ++i) {
        auto* item = new SoundItem();
        item->Z = Zs[i];
        page->SoundList.AddObject("Sound" + std::to_string(i), item);
    }
    page->SoundTotalLine = "total";
    page->SyllablesLine = "syll";
    page->HighShareLine = "share";
    page->CodingVerdict = "coding";
    page->RhythmVerdict = "rhythm";
    return page;
}

const QStringList kHeading = { "Font", "Bold", "Insert", "Insert", "Font", "Bold", "Insert", "Insert", "Insert", "Insert" };
const QStringList kSummary = QStringList(14, "Insert");

QStringList Repeat(const QStringList& Part, int Times)
{
    QStringList r;
    for (int i = 0; i < Times; ++i)
        r += Part;
    return r;
}

// The sound table: a colour and a text for each, a cell step between them.
QStringList SoundTable(int Count)
{
    QStringList r = { "TableInsertTable", "StartOfColumn" };
    for (int i = 0; i < Count; ++i) {
        r << "CharColor" << "Insert";
        if (i < Count - 1)
            r << "NextCell";
    }
    return r << "EndOfDocument";
}

bool AllMissing(const QVariantList& Args, int From)
{
    for (int i = From; i < Args.size(); ++i)
        if (Args[i].isValid())
            return false;
    return true;
}

class WordExport : public ::testing::Test {
protected:
    TGrafForm w_;
    TRecordingWord word_;
};

} // namespace

TEST_F(WordExport, ChartPageSendsHeadingsPictureSoundTableAndSummary)
{
    const auto page = MakePage(std::vector<double>(20, 5.0), std::vector<double>(45, 0.5));
    w_.ExportToWord(page.get(), "C:\\Data\\a.bmp");

    // The class key is there while an engine answers "Word.Basic.8": no question.
    EXPECT_EQ(word_.Created, QStringList({ "Word.Basic.8" }));
    EXPECT_EQ(word_.Commands(), QStringList({ "AppShow", "FileNew" }) + kHeading
                                    + QStringList({ "InsertPicture", "Insert", "Insert", "Insert" }) + kHeading
                                    + SoundTable(45) + kSummary + QStringList({ "FileSaveAs", "AppClose" }));
    EXPECT_EQ(word_.Calls[2].Args, QVariantList({ "Times New Roman", 20 }));
    EXPECT_EQ(word_.Calls[4].Args, QVariantList({ U("Фоносемантика текста - ") }));
    EXPECT_EQ(word_.Calls[5].Args, QVariantList({ "\t" }));
    EXPECT_EQ(word_.Calls[6].Args, QVariantList({ "Times New Roman", 16 }));
    EXPECT_EQ(word_.Calls[8].Args, QVariantList({ U("Проба") }));
    EXPECT_EQ(word_.Calls[9].Args, QVariantList({ "\r" }));
    EXPECT_EQ(word_.ArgsOf("InsertPicture"), std::vector<QVariantList>({ { "C:\\Data\\a.bmp" } }));
    EXPECT_EQ(word_.Calls[18].Args, QVariantList({ U("Фоносемантика текста (полный анализ) - ") }));

    const auto table = word_.ArgsOf("TableInsertTable");
    ASSERT_EQ(table.size(), 1u); // no scale table
    ASSERT_EQ(table[0].size(), 7);
    EXPECT_EQ(table[0][1], 3);
    EXPECT_FALSE(table[0][0].isValid());
    EXPECT_TRUE(AllMissing(table[0], 2));

    const QVariantList save = word_.ArgsOf("FileSaveAs").at(0);
    ASSERT_EQ(save.size(), 10);
    EXPECT_EQ(save[0], "C:\\Data\\a.DOC");
    EXPECT_EQ(save[1], 0);
    EXPECT_TRUE(AllMissing(save, 2));
    EXPECT_EQ(word_.Live, 0);
}

TEST_F(WordExport, NotePageSendsBothTables)
{
    const auto page = MakePage(std::vector<double>(20, 5.0), std::vector<double>(45, 0.5), Ansi("Слишком мал текст для анализа!"));
    w_.ExportToWord(page.get(), "report.doc");

    QStringList scales = { "TableInsertTable", "StartOfColumn" };
    scales += Repeat({ "CharColor", "Insert", "NextCell", "Insert", "NextCell" }, 20);
    scales << "EndOfDocument" << "Insert" << "Insert" << "Insert";
    EXPECT_EQ(word_.Commands(), QStringList({ "AppShow", "FileNew" }) + kHeading + scales + SoundTable(45) + kSummary
                                    + QStringList({ "FileSaveAs", "AppClose" }));
    EXPECT_EQ(word_.Calls[4].Args, QVariantList({ U("Фоносемантика текста (полный анализ) - ") }));
    EXPECT_EQ(word_.ArgsOf("TableInsertTable").at(0).at(1), 2);
    EXPECT_EQ(word_.Count("NextCell"), 40 + 44);
    EXPECT_EQ(word_.ArgsOf("FileSaveAs").at(0).at(0), "report.DOC");
}

TEST_F(WordExport, ColoursMarkTheThresholdsInclusively)
{
    const auto page = MakePage({ 9.0, 8.99, 12.5 }, { -1.0, 0.99, 1.0, -0.999 }, "note");
    w_.ExportToWord(page.get(), "x.bmp");
    QVariantList colours;
    for (const QVariantList& a : word_.ArgsOf("CharColor"))
        colours << a.at(0);
    EXPECT_EQ(colours, QVariantList({ 6, 1, 6, 9, 1, 9, 1 }));
}

TEST(WordDocumentName, ReplacesTheExtensionOfTheFileName)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        { "C:\\Data\\a.bmp", "C:\\Data\\a.DOC" },
        { "report.doc", "report.DOC" },
        { "/home/u/my.dir/report", "/home/u/my.dir/report.DOC" },
        { "C:\\my.dir\\report", "C:\\my.dir\\report.DOC" },
        { "a.b.c", "a.b.DOC" },
        { std::string(260, 'x'), std::string(255, 'x') },
    };
    for (const auto& [name, doc] : cases)
        EXPECT_EQ(WordDocumentName(name), doc) << name;
}

namespace {
// The real registry view without the class key of "Word.Basic.8".
class NoWord8 : public IRegistry {
public:
    IRegistry& real = RegistryLayer();
    bool KeyExists(HKEY Root, const QString& Key) override
    {
        return !Key.contains("Word.Basic.8", Qt::CaseInsensitive) && real.KeyExists(Root, Key);
    }
    bool ReadString(HKEY Root, const QString& Key, const QString& Name, QString& Value) override
    {
        return real.ReadString(Root, Key, Name, Value);
    }
};
} // namespace

// Without the class key the user is asked; No falls back to the older ProgID.
TEST_F(WordExport, QuestionChoosesTheProgID)
{
    NoWord8 registry;
    SetRegistryLayer(&registry);
    const auto page = MakePage({ 5.0 }, { 0.5 });
    for (int answer : { 7, 6 }) {
        QStringList asked;
        ModalDriver driver([&](QWidget* d) {
            asked << MessageText(d);
            static_cast<QDialog*>(d)->done(answer);
        });
        w_.ExportToWord(page.get(), "x.bmp");
        EXPECT_EQ(asked, QStringList({ U("Установлен ли WinWord for Office 97?") }));
    }
    SetRegistryLayer(nullptr);
    EXPECT_EQ(word_.Created, QStringList({ "Word.Basic", "Word.Basic.8" }));
}

// A failing command ends the export there: no AppClose, the reference
// released, the error to the caller.
TEST_F(WordExport, AFailingCommandEndsTheExport)
{
    const auto page = MakePage({ 5.0 }, { 0.5 });
    word_.FailAt = "FileSaveAs";
    EXPECT_THROW(w_.ExportToWord(page.get(), "x.bmp"), EOleError);
    EXPECT_EQ(word_.Commands().last(), "FileSaveAs");
    EXPECT_EQ(word_.Count("AppClose"), 0);
    EXPECT_EQ(word_.Live, 0);

    // Not a page of the window: nothing is sent.
    word_.Calls.clear();
    TRecFileGraf record;
    w_.ExportToWord(&record, "x.bmp");
    EXPECT_TRUE(word_.Calls.empty());
}
