#include "GrafTestHelpers.h"
#include "TextPage.h"
#include "NumFormat.h"
#include "TopList.h"
#include "Win1251.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

namespace {

// Scores by scale number (1..20), ranked into TopList as the text command does.
void Rank(const std::vector<std::pair<int, double>>& Scores)
{
    for (int k = 1; k <= TextScaleCount; ++k)
        TextScales[k].Value = 0;
    for (auto [k, v] : Scores)
        TextScales[k].Value = v;
    ClearTopList();
    for (int k = 1; k <= TextScaleCount; ++k)
        AddToTopList(k, TextScales[k].Value);
}

std::string Sep(const char* Text)
{
    std::string s = Text;
    for (char& c : s)
        if (c == '.')
            c = LocaleDecimalSeparator();
    return s;
}

std::vector<std::string> Names(const TRecFileGraf& P)
{
    std::vector<std::string> r;
    for (int i = 0; i < P.SignificantNames.Count(); ++i)
        r.push_back(P.SignificantNames.Strings(i));
    return r;
}

} // namespace

TEST(FillTextPage, SignificantWalkStopsBelowEightAndAfterEightRanksSkippingScoresBelowNine)
{
    TFileViewMem model;
    {
        TRecFileGraf page;
        Rank({ { 3, 7.99 }, { 5, 6 } }); // first value below 8.0
        FillTextPage(&page, "T", &model);
        EXPECT_EQ(page.SignificantNames.Count(), 0);
        EXPECT_EQ(page.SignificantValues.Count(), 0);
        EXPECT_EQ(page.CodingVerdict, VerdictNeutral());
    }
    {
        // Ranks 2 and 4 have a ranking value >= 8.0 but their own score below
        // 9.0: skipped, and the walk goes on to ranks 3 and 5.
        TRecFileGraf page;
        Rank({});
        for (int r = 1; r <= 6; ++r) {
            TopList.Slots[r] = { 20.0 - r, r };
            TextScales[r].Value = (r == 2 || r == 4) ? 8.99 : 20.0 - r;
        }
        TopList.Count = 6;
        FillTextPage(&page, "T", &model);
        EXPECT_EQ(Names(page), (std::vector<std::string> { TextScales[1].Name, TextScales[3].Name, TextScales[5].Name,
                                                            TextScales[6].Name }));
        EXPECT_EQ(page.SignificantValues.Strings(0), Sep("19.00"));
    }
    {
        // Exactly 9.0 counts; 8.0 continues the walk without listing.
        TRecFileGraf page;
        Rank({ { 4, 9.0 }, { 7, 8.0 } });
        FillTextPage(&page, "T", &model);
        EXPECT_EQ(Names(page), std::vector<std::string> { TextScales[4].Name });
        EXPECT_EQ(TextScales[4].Name.size(), 13u);
    }
}

TEST(FillTextPage, SumsTakeEveryRankUpToTwentyAndDecideTheCodingVerdict)
{
    struct Case {
        const char* what;
        std::vector<std::pair<int, double>> scores;
        size_t names;
        double soft, hard;
        std::string verdict;
    };
    std::vector<std::pair<int, double>> softTopHardMany;
    for (int k = 1; k <= 8; ++k)
        softTopHardMany.push_back({ k, 20.0 });
    for (int k = 12; k <= 20; ++k)
        softTopHardMany.push_back({ k, 19.0 });
    const Case cases[] = {
        // Ranks 9..17 (beyond the chart's 8) tip the balance to the hard side.
        { "hard beyond rank 8", softTopHardMany, 8, 160.0, 171.0, VerdictHard() },
        { "equal sums", { { 1, 10.0 }, { 12, 10.0 } }, 2, 10.0, 10.0, VerdictHard() },
        { "soft", { { 2, 12.5 }, { 20, 9.5 } }, 2, 12.5, 9.5, VerdictSoft() },
        { "only 9..11", { { 9, 15.0 }, { 10, 12.0 }, { 11, 9.0 } }, 3, 0.0, 0.0, VerdictNeutral() },
        { "all below 9", { { 1, 8.9 }, { 12, 8.5 } }, 0, 0.0, 0.0, VerdictNeutral() },
    };
    for (const Case& c : cases) {
        TFileViewMem model;
        model.SoftSum = model.HardSum = 99; // reset by the filling
        TRecFileGraf page;
        Rank(c.scores);
        FillTextPage(&page, "T", &model);
        EXPECT_EQ(static_cast<size_t>(page.SignificantNames.Count()), c.names) << c.what;
        EXPECT_DOUBLE_EQ(model.SoftSum, c.soft) << c.what;
        EXPECT_DOUBLE_EQ(model.HardSum, c.hard) << c.what;
        EXPECT_EQ(page.CodingVerdict, c.verdict) << c.what;
    }
}

TEST(FillTextPage, RhythmThresholdsAreInclusiveForTheMiddleBand)
{
    const struct {
        double v;
        const char* verdict;
    } cases[] = {
        { 0.0, "РИТМИЧНОСТЬ ВЫСОКАЯ" },
        { std::nextafter(103.0 / 50, 0.0), "РИТМИЧНОСТЬ ВЫСОКАЯ" },
        { 103.0 / 50, "РИТМИЧНОСТЬ СРЕДНЯЯ" },
        { 122.0 / 50, "РИТМИЧНОСТЬ СРЕДНЯЯ" },
        { std::nextafter(122.0 / 50, 3.0), "РИТМИЧНОСТЬ НИЗКАЯ" },
        { 2.4400001, "РИТМИЧНОСТЬ НИЗКАЯ" },
    };
    Rank({});
    for (const auto& c : cases) {
        TFileViewMem model;
        model.Snapshot.SyllablesPerWord = c.v;
        TRecFileGraf page;
        FillTextPage(&page, "T", &model);
        EXPECT_EQ(page.RhythmVerdict, Ansi(c.verdict)) << c.v;
    }
}

TEST(FillTextPage, SoundLinesAndSummary)
{
    Rank({});
    TFileViewMem model;
    model.Snapshot = { 200, 57, 0, 0, 1.875 };
    int hardB = 0, softB = 0, vowelA = 0;
    for (int i = 1; i <= SoundLetterCount; ++i) {
        const unsigned char l = SoundLetterTable[i].Letter;
        if (l == static_cast<unsigned char>(Ansi("Б")[0]))
            hardB = i;
        if (l == static_cast<unsigned char>(Ansi("б")[0]))
            softB = i;
        if (l == static_cast<unsigned char>(Ansi("А")[0]))
            vowelA = i;
    }
    ASSERT_TRUE(hardB && softB && vowelA);
    model.SnapshotSounds[hardB].Count = 12;
    model.SnapshotSounds[hardB].Z = -0.456;
    model.SnapshotSounds[softB].Count = 3;
    model.SnapshotSounds[softB].Z = 1.2;
    model.SnapshotSounds[vowelA].Count = 7;

    TRecFileGraf page;
    FillTextPage(&page, Ansi("проба"), &model);
    EXPECT_EQ(page.Title, Ansi("проба"));
    ASSERT_EQ(page.ScaleList.Count(), 20);
    ASSERT_EQ(page.SoundList.Count(), 45);
    EXPECT_EQ(page.SoundList.Strings(hardB - 1), Ansi(Sep("Б  12 (-0.46)").c_str()));
    EXPECT_EQ(page.SoundList.Strings(softB - 1), Ansi(Sep("Б' 3 (1.20)").c_str()));
    EXPECT_EQ(page.SoundList.Strings(vowelA - 1), Ansi(Sep("А  7 (0.00)").c_str()));
    EXPECT_DOUBLE_EQ(page.SoundList.Objects(softB - 1)->Z, 1.2);
    EXPECT_EQ(page.ScaleList.Strings(0), TextScales[1].Name);
    EXPECT_EQ(page.SoundTotalLine, Ansi("Всего звукобукв: 200"));
    EXPECT_EQ(page.SyllablesLine, Ansi(Sep("Средняя длина слова в слогах: 1.88").c_str()));
    EXPECT_EQ(page.HighShareLine, Ansi(Sep("Доля высоких звуков: 28.50 %").c_str()));
}

TEST(FillTextPage, NoSoundsLeavesTheShareLineEmptyAfterTheOtherLines)
{
    Rank({});
    TFileViewMem model;
    model.Snapshot = { 0, 0, 0, 0, 0.0 };
    TRecFileGraf page;
    FillTextPage(&page, "T", &model);
    EXPECT_EQ(page.SoundTotalLine, Ansi("Всего звукобукв: 0"));
    EXPECT_EQ(page.SyllablesLine, Ansi(Sep("Средняя длина слова в слогах: 0.00").c_str()));
    EXPECT_EQ(page.HighShareLine, "");
    ASSERT_EQ(page.SoundList.Count(), 45);
    EXPECT_NE(page.SoundList.Strings(44).find(" 0 ("), std::string::npos);
}

TEST(FillTextPage, ModelOtherThanATextViewLeavesThePageUntouched)
{
    Rank({ { 1, 12.0 } });
    TPhonText base;
    TRecFileGraf page;
    FillTextPage(&page, "T", &base);
    FillTextPage(&page, "T", nullptr);
    EXPECT_EQ(page.Title, "");
    EXPECT_EQ(page.SignificantNames.Count(), 0);
    EXPECT_EQ(page.ScaleList.Count(), 0);
    EXPECT_EQ(page.RhythmVerdict, "");
}

TEST(FillTextPage, FailureKeepsWhatWasWritten)
{
    Rank({ { 1, 12.0 } });
    TopList.Slots[2] = { 11.0, 0 }; // no such scale: the walk fails at rank 2
    TFileViewMem model;
    TRecFileGraf page;
    FillTextPage(&page, "T", &model);
    EXPECT_EQ(page.Title, "T");
    EXPECT_EQ(page.SignificantNames.Count(), 1);
    EXPECT_EQ(page.CodingVerdict, "");
    EXPECT_EQ(page.ScaleList.Count(), 0);
}

TEST(FillTextPage, FreeingItemsKeepsEntriesWithoutObjects)
{
    Rank({});
    TFileViewMem model;
    auto page = std::make_unique<TRecFileGraf>();
    FillTextPage(page.get(), "T", &model);
    page->FreeScaleItems();
    page->FreeSoundItems();
    EXPECT_EQ(page->ScaleList.Count(), 20);
    EXPECT_EQ(page->ScaleList.Objects(0), nullptr);
    EXPECT_EQ(page->CurScaleItem, nullptr);
    page.reset(); // no second release of the freed items
}

TEST(FillTextPage, PairFromOneModelCarriesTheSameContent)
{
    TTextAnalysisWindow w = BuildTextAnalysisWindow(SampleRussianText(), Ansi("проба.rtf"));
    ASSERT_TRUE(w.Note.empty());
    ASSERT_EQ(w.Window->Pages.Count(), 2);
    const TCurrentPage* chart = w.Window->Pages.Objects(0);
    const TCurrentPage* list = w.Window->Pages.Objects(1);
    EXPECT_EQ(w.Window->Pages.Strings(1), Ansi("# проба.rtf"));
    EXPECT_EQ(chart->Title, list->Title);
    EXPECT_EQ(list->Title, Ansi("проба.rtf"));
    EXPECT_EQ(Names(*chart), Names(*list));
    EXPECT_GT(chart->SignificantNames.Count(), 0);
    for (int i = 0; i < 45; ++i)
        EXPECT_EQ(chart->SoundList.Strings(i), list->SoundList.Strings(i));
    EXPECT_EQ(chart->CodingVerdict, list->CodingVerdict);
    EXPECT_EQ(chart->RhythmVerdict, list->RhythmVerdict);
    EXPECT_EQ(chart->HighShareLine, list->HighShareLine);
}
