#include "Application.h"
#include "ChartFileFixtures.h"
#include "ChartFx.h"
#include "FileDialogs.h"
#include "LemvGraf.h"
#include "Screen.h"
#include "Watchdog.h"
#include "Win1251.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

#include <sys/stat.h>

using namespace chartfiles;

namespace {

QStringList Items(const QListWidget* L)
{
    QStringList r;
    for (int i = 0; i < L->count(); ++i)
        r << L->item(i)->text();
    return r;
}

std::string Lines5(int n)
{
    return "line" + std::to_string(n);
}

// A chart file "Выборы.chf" in a folder of its own, the open dialog answered
// with it, and windows with pages to load into.
class OpenChartFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetVirtualScreenSize(QSize(1024, 768));
        chf_ = dir_.filePath(QStringLiteral("Выборы.chf"));
        Write(".chf", "chart");
        SetFileDialogHook([this](TFileDialog& D) {
            Asked.push_back(D);
            D.FileName = chf_;
            return !Cancel;
        });
    }
    void TearDown() override
    {
        SetFileDialogHook({});
        SetVirtualScreenSize(QSize());
    }

    void Write(const char* Ext, const std::string& Bytes)
    {
        WriteFile(QFile::encodeName(dir_.filePath(QStringLiteral("Выборы") + QLatin1String(Ext))).toStdString(),
                  Bytes);
    }

    // A window of Mode with the tab menu's empty page pair (or legend page).
    std::unique_ptr<TGrafForm> Window(int Mode)
    {
        auto w = std::make_unique<TGrafForm>();
        w->SetMode(Mode);
        w->CreatePageClick();
        return w;
    }

    // A list page that already shows a text result.
    static void Fill(TCurrentPage* P)
    {
        P->ScaleList.AddObject("old", new ScaleItem { "old", 1 });
        P->SoundList.AddObject("old", new SoundItem());
        P->Title = "old";
        P->SoundTotalLine = "old";
    }

    QTemporaryDir dir_;
    QString chf_;
    std::vector<TFileDialog> Asked;
    bool Cancel = false;
};

ListPageRecord ListRecord(const std::string& Title, const std::string& Marker, int First)
{
    ListPageRecord r;
    r.Title = Title;
    r.Marker = Marker;
    r.Scales = { { "scale" + std::to_string(First), First + 0.5 } };
    r.Sounds = { { First + 0.25, "sound" + std::to_string(First) } };
    for (int i = 0; i < 5; ++i)
        r.Lines[i] = Lines5(First * 10 + i);
    return r;
}

} // namespace

TEST_F(OpenChartFile, DialogAsksForChartFilesFromTheDataFolderInRussian)
{
    auto w = Window(0);
    Cancel = true;
    w->FileOpenSpeedButtonClick();
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0].Kind, TFileDialogKind::Open);
    EXPECT_EQ(Asked[0].Title, QStringLiteral("Открыть"));
    EXPECT_EQ(Asked[0].Filter, QStringLiteral("Графические файлы (*.chf)|*.CHF"));
    EXPECT_TRUE(Asked[0].InitialDir.endsWith(QStringLiteral("/Data/"))) << Asked[0].InitialDir.toStdString();
    EXPECT_TRUE(w->Pages.Objects(0)->ChartFx->ChartFile().isEmpty());
}

TEST_F(OpenChartFile, EmptyListFileLoadsTheChartAndEmptiesThePagesString)
{
    Write(".CNF", "");
    auto w = Window(0);
    w->FileOpenSpeedButtonClick();
    TCurrentPage* fx = w->Pages.Objects(0);
    EXPECT_EQ(fx->ChartFx->ChartFile(), chf_);
    EXPECT_FALSE(fx->ChartFx->isHidden());
    EXPECT_EQ(fx->ListBox->count(), 0);
    EXPECT_EQ(w->Pages.Strings(0), "");
    EXPECT_EQ(w->PageControl1->tabText(0), QStringLiteral("..."));
}

TEST_F(OpenChartFile, ListFileAppendsTheLinesOfEveryRecordAndTheLastTitleNamesThePage)
{
    Write(".CNF", Bytes(ChartListRecord { Ansi("Первый"), { "a", "b" }, "", "c1", "r1", {} })
                      + Bytes(ChartListRecord { Ansi("Второй"), { "c" }, "", Ansi("код"), Ansi("ритм"), {} }));
    auto w = Window(0);
    w->FileOpenSpeedButtonClick();
    TCurrentPage* fx = w->Pages.Objects(0);
    EXPECT_EQ(Items(fx->ListBox), QStringList({ "a", "b", "c" }));
    EXPECT_EQ(w->PageControl1->tabText(0), QStringLiteral("Второй"));
    EXPECT_EQ(w->Pages.Strings(0), Ansi("Второй"));
    EXPECT_EQ(fx->CodingVerdict, Ansi("код"));
    EXPECT_EQ(fx->RhythmVerdict, Ansi("ритм"));
    EXPECT_FALSE(fx->ChartFx->isHidden());
}

// A caption shows in place of the chart: in a text window any caption, in a
// word window any caption but "Слово".
TEST_F(OpenChartFile, CaptionReplacesTheChartByTheWindowsMode)
{
    struct Case {
        int mode;
        const char* caption;
        bool replaced;
    };
    for (const Case& c : { Case { 0, "Подпись", true }, Case { 0, "", false }, Case { 3, "Слово", false },
                           Case { 3, "", true }, Case { 3, "Слова", true } }) {
        Write(".CNF", Bytes(ChartListRecord { "t", { "a" }, Ansi(c.caption), "", "", {} }));
        auto w = Window(c.mode);
        w->FileOpenSpeedButtonClick();
        TCurrentPage* fx = w->Pages.Objects(0);
        EXPECT_EQ(fx->CaptionLabel->text(), QString::fromUtf8(c.caption));
        EXPECT_EQ(fx->ChartFx->isHidden(), c.replaced) << c.mode << c.caption;
        EXPECT_FALSE(fx->CaptionLabel->isHidden()) << c.mode << c.caption; // beneath the chart while it shows
        EXPECT_EQ(fx->ListBox->count(), c.replaced ? 0 : 1) << c.mode << c.caption;
    }
}

TEST_F(OpenChartFile, ListPageFileReplacesTheEntriesWithThoseOfEveryRecord)
{
    Write(".CNF", "");
    ListPageRecord second = ListRecord(Ansi("Второй"), "x", 2);
    second.Scales.push_back({ std::string(20, 'N'), -3.0 });
    Write(".FNF", Bytes(ListRecord(Ansi("Первый"), "", 1)) + Bytes(second));
    auto w = Window(0);
    Fill(w->Pages.Objects(1));
    w->FileOpenSpeedButtonClick();
    TCurrentPage* list = w->Pages.Objects(1);
    ASSERT_EQ(list->ScaleList.Count(), 3);
    EXPECT_EQ(list->ScaleList.Strings(0), "scale1");
    EXPECT_EQ(list->ScaleList.Objects(0)->Value, 1.5);
    EXPECT_EQ(list->ScaleList.Strings(2), std::string(20, 'N'));
    EXPECT_EQ(list->ScaleList.Objects(2)->Name, std::string(14, 'N'));
    ASSERT_EQ(list->SoundList.Count(), 2);
    EXPECT_EQ(list->SoundList.Strings(1), "sound2");
    EXPECT_EQ(list->SoundList.Objects(1)->Z, 2.25);
    EXPECT_EQ(list->Title, Ansi("Второй"));
    EXPECT_EQ(list->Note, "x");
    EXPECT_EQ(list->SoundTotalLine, Lines5(20));
    EXPECT_EQ(list->SyllablesLine, Lines5(21));
    EXPECT_EQ(list->HighShareLine, Lines5(22));
    EXPECT_EQ(list->CodingVerdict, Lines5(23));
    EXPECT_EQ(list->RhythmVerdict, Lines5(24));
    EXPECT_EQ(w->Pages.Strings(1), Ansi("Второй"));
    EXPECT_EQ(w->PageControl1->tabText(1), QStringLiteral("Второй"));
    EXPECT_EQ(w->CurrentPage, w->Pages.Objects(0)); // the first tab is still the active one
    EXPECT_EQ(w->OpenKind, 1);
}

// Mode 0 stops at a word record, mode 3 at a record that is not a word's:
// the title and note come from it, the lists stay empty, Pages keeps its string.
TEST_F(OpenChartFile, ListPageFileStopsAtARecordOfTheOtherKind)
{
    for (auto [mode, marker] : { std::pair { 0, "Слово" }, std::pair { 3, "" } }) {
        Write(".CNF", "");
        Write(".FNF", Bytes(ListRecord(Ansi("Чужой"), Ansi(marker), 1)) + Bytes(ListRecord("next", "", 2)));
        auto w = Window(mode);
        Fill(w->Pages.Objects(1));
        w->FileOpenSpeedButtonClick();
        TCurrentPage* list = w->Pages.Objects(1);
        EXPECT_EQ(list->Title, Ansi("Чужой")) << mode;
        EXPECT_EQ(list->Note, Ansi(marker)) << mode;
        EXPECT_EQ(w->PageControl1->tabText(1), QStringLiteral("Чужой")) << mode;
        EXPECT_EQ(list->ScaleList.Count(), 0) << mode;
        EXPECT_EQ(list->SoundList.Count(), 0) << mode;
        EXPECT_EQ(list->SoundTotalLine, "old") << mode;
        EXPECT_EQ(w->Pages.Strings(1), "# ...") << mode;
    }
}

TEST_F(OpenChartFile, MissingCompanionFilesLeaveTheirPagesAsTheyWere)
{
    // No ".CNF": neither page changes, although a ".FNF" is there.
    Write(".FNF", Bytes(ListRecord("t", "", 1)));
    auto w = Window(0);
    Fill(w->Pages.Objects(1));
    w->FileOpenSpeedButtonClick();
    EXPECT_TRUE(w->Pages.Objects(0)->ChartFx->ChartFile().isEmpty());
    EXPECT_TRUE(w->Pages.Objects(0)->ChartFx->isHidden());
    EXPECT_EQ(w->Pages.Objects(1)->ScaleList.Strings(0), "old");

    // A ".CNF" without its ".FNF": the chart page loads, the list page stays.
    QFile::remove(dir_.filePath(QStringLiteral("Выборы.FNF")));
    Write(".CNF", Bytes(ChartListRecord { "t", { "a" }, "", "", "", {} }));
    w->FileOpenSpeedButtonClick();
    EXPECT_EQ(w->Pages.Objects(0)->ChartFx->ChartFile(), chf_);
    EXPECT_EQ(w->Pages.Objects(1)->ScaleList.Strings(0), "old");
    EXPECT_EQ(w->Pages.Objects(1)->Title, "old");
}

// A companion file that is a FIFO (no writer) is an unreadable one, found at
// once: the reading ends quietly and the page it would fill stays as it was.
TEST_F(OpenChartFile, CompanionFileThatIsAFifoIsNotRead)
{
    const auto fifo = [this](const char* Ext) {
        const QByteArray name = QFile::encodeName(dir_.filePath(QStringLiteral("Выборы") + QLatin1String(Ext)));
        QFile::remove(QFile::decodeName(name));
        ASSERT_EQ(::mkfifo(name.constData(), 0644), 0);
    };
    Write(".CNF", Bytes(ChartListRecord { "t", { "a" }, "", "", "", {} }));
    fifo(".FNF");
    auto w = Window(0);
    Fill(w->Pages.Objects(1));
    {
        const TWatchdog watchdog("a FIFO as the list page file", 30);
        w->FileOpenSpeedButtonClick();
    }
    EXPECT_EQ(Items(w->Pages.Objects(0)->ListBox), QStringList { "a" });
    EXPECT_EQ(w->Pages.Objects(1)->ScaleList.Strings(0), "old");
    EXPECT_EQ(w->Pages.Objects(1)->Title, "old");

    fifo(".CNF");
    {
        const TWatchdog watchdog("a FIFO as the chart list file", 30);
        w->FileOpenSpeedButtonClick();
    }
    EXPECT_EQ(w->Pages.Objects(1)->Title, "old");

    auto legend = Window(1);
    fifo(".CNA");
    {
        const TWatchdog watchdog("a FIFO as the legend file", 30);
        legend->FileOpenSpeedButtonClick();
    }
}

TEST_F(OpenChartFile, CompanionFilesAreFoundWhateverTheCaseOfTheirExtension)
{
    Write(".cnf", Bytes(ChartListRecord { "t", { "a" }, "", "", "", {} }));
    Write(".Fnf", Bytes(ListRecord("lower", "", 1)));
    auto w = Window(0);
    w->FileOpenSpeedButtonClick();
    EXPECT_EQ(w->Pages.Objects(0)->ListBox->count(), 1);
    EXPECT_EQ(w->Pages.Objects(1)->Title, "lower");
}

// A record cut short keeps what arrived before it, and Pages keeps its string.
TEST_F(OpenChartFile, RecordCutShortKeepsWhatWasRead)
{
    const std::string whole = Bytes(ChartListRecord { "one", { "a" }, "", "", "", {} });
    Write(".CNF", whole + Str("two") + Int32(1000) + Str("b"));
    const std::string list = Bytes(ListRecord("first", "", 1));
    Write(".FNF", list + Bytes(ListRecord("second", "", 2)).substr(0, 1000));
    auto w = Window(0);
    w->FileOpenSpeedButtonClick();
    EXPECT_EQ(Items(w->Pages.Objects(0)->ListBox), QStringList({ "a" }));
    EXPECT_EQ(w->PageControl1->tabText(0), QStringLiteral("two"));
    EXPECT_EQ(w->Pages.Strings(0), "...");
    TCurrentPage* page = w->Pages.Objects(1);
    EXPECT_EQ(page->Title, "second");
    EXPECT_EQ(page->ScaleList.Count(), 2);
    EXPECT_EQ(page->SoundList.Count(), 1);
    EXPECT_EQ(page->SoundTotalLine, Lines5(10));
    EXPECT_EQ(w->Pages.Strings(1), "# ...");
}

TEST_F(OpenChartFile, LegendFileSetsTheTabAndTheFiveLabels)
{
    auto w = Window(1);
    TCurrentPage* page = w->Pages.Objects(0);
    w->FileOpenSpeedButtonClick(); // no ".CNA" yet
    EXPECT_TRUE(page->ChartFx->ChartFile().isEmpty());

    Write(".CNA", LegendBytes({ "old", "", "", "", "", "" })
                      + LegendBytes({ Ansi("Легенда"), Ansi("один"), Ansi("два"), Ansi("три"), Ansi("четыре"), Ansi("пять") }));
    w->FileOpenSpeedButtonClick();
    EXPECT_EQ(page->ChartFx->ChartFile(), chf_);
    EXPECT_FALSE(page->ChartFx->isHidden());
    EXPECT_EQ(w->PageControl1->tabText(0), QStringLiteral("Легенда"));
    const QStringList expected = { "один", "два", "три", "четыре", "пять" };
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(page->LegendLabels[i]->text(), expected[i]) << i;
    EXPECT_EQ(w->Pages.Strings(0), "...");
}

TEST_F(OpenChartFile, ATextWindowWithoutASecondPageReportsTheFailedLookup)
{
    Write(".CNF", "");
    auto w = std::make_unique<TGrafForm>();
    w->SetMode(0);
    TCurrentPage* page = w->AddChartFxListPage("...");
    w->Pages.AddObject("...", page);
    EXPECT_THROW(w->FileOpenSpeedButtonClick(), std::exception);
    EXPECT_EQ(page->ChartFx->ChartFile(), chf_);
}
