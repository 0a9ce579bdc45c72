// The word model: its scale values against figures computed independently
// from the tables, the page lists built from them, and the painted list.
#include "LemvGraf.h"
#include "WordTestHelpers.h"
#include "MeanWrd.h"
#include "NumFormat.h"
#include "PaintBox.h"
#include "RecordingWord.h"
#include "Win1251.h"
#include "WordGraf.h"

#include <QLocale>
#include <QStringList>
#include <QTabWidget>
#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<double> Profile(const char* Word, int Stress)
{
    TStrShowAsscent a;
    a.SetWord(Ansi(Word));
    a.StressPos = static_cast<uint8_t>(Stress);
    a.ClearScaleValues();
    a.ComputeWordProfile();
    a.CopyScaleValues();
    std::vector<double> v;
    for (int k = 1; k <= BipolarScaleCount; ++k)
        v.push_back(a.Scales[k].Value);
    return v;
}

struct Reference {
    const char* word;
    int stress;
    double values[BipolarScaleCount];
};

// Computed apart from the program: doubles for the weights and sums, the
// mean's last step in exact rationals rounded to 64 and then 53 bits.
const Reference References[] = {
    { "КОТ", 2, { 2.6318725099601594, 2.756414342629482, 3.494820717131474, 3.5172111553784862, 3.2672509960159357, 2.6776095617529876, 2.8038247011952193, 3.1475697211155378, 3.4258167330677289, 2.4207171314741038, 2.9878884462151394, 3.4546613545816731, 2.8862151394422311, 3.2862151394422314, 3.5016733067729082, 2.8441434262948206, 3.4038247011952194, 3.5846215139442226, 3.4665338645418324, 3.286852589641434, 3.6900398406374504, 2.9232669322709164, 3.0862151394422308, 3.2035856573705179, 2.2282868525896413 } },
    { "МАМА", 2, { 2.2579018157363815, 2.3305312710154675, 3.1031607262945529, 3.548419636852723, 3.03369199731002, 3.540013449899126, 2.6884330867518491, 3.0547410894418294, 3.65474108944183, 3.627370544720915, 3.1368527236045729, 2.5094821788836588, 3.4368527236045732, 3.3821116341627437, 2.4484196368527238, 2.7579018157363819, 3.2126429051782108, 2.6884330867518491, 3.4158036314727638, 2.8094821788836581, 2.9368527236045732, 2.9368527236045732, 2.5305312710154673, 2.1031607262945529, 3.8094821788836586 } },
    // A stressed first vowel weighs four times, not eight.
    { "ОКНО", 1, { 1.9675791892943859, 1.7778529460827015, 3.3286527162530355, 3.7045947398661796, 2.5813634088929249, 2.3929790743795527, 1.7973161826033768, 2.164068726484162, 3.6035104628102235, 3.3472893073601098, 2.2721739291605658, 2.1754267603284339, 2.743521212907531, 3.0194632365206755, 2.9837895946471926, 2.0089318480900045, 2.3283950846106798, 2.1857005171167496, 2.9297369933089912, 2.0248846218004557, 2.4167794191240519, 2.1997423683576445, 2.8883843345133728, 2.1824476859488815, 2.654052601338202 } },
    // Т before Е is the soft т.
    { "ТЕ", 2, { 3.0142857142857142, 3.8346938775510204, 2.1999999999999997, 2.5020408163265309, 3.2530612244897958, 3.036734693877551, 3.33265306122449, 3.7714285714285714, 2.4428571428571431, 2.7653061224489797, 2.6551020408163266, 3.5142857142857142, 2.7979591836734694, 3.1367346938775511, 2.9959183673469387, 3.2367346938775512, 3.8387755102040817, 3.2346938775510203, 3.5755102040816329, 4.0938775510204088, 3.9326530612244897, 3.6326530612244903, 2.7000000000000002, 3.8122448979591836, 2.8224489795918366 } },
    // Т before Ь is soft too, and Ь adds nothing: the soft т's own ratings.
    { "ТЬ", 0, { 3.3000000000000003, 4.0999999999999996, 2.2000000000000002, 2.3999999999999999, 3.6000000000000001, 3.2000000000000002, 3.7000000000000002, 4.2000000000000002, 2.3000000000000003, 2.5, 2.8999999999999999, 3.8000000000000003, 2.8999999999999999, 3.3000000000000003, 3.2000000000000002, 3.3999999999999999, 3.8999999999999999, 3.5, 3.8000000000000003, 4.4000000000000004, 4.2999999999999998, 4, 2.7000000000000002, 4.2000000000000002, 2.7000000000000002 } },
};

} // namespace

TEST(WordModel, ValuesMatchTheIndependentFigures)
{
    for (const Reference& r : References) {
        const std::vector<double> v = Profile(r.word, r.stress);
        for (int k = 0; k < BipolarScaleCount; ++k)
            EXPECT_EQ(v[k], r.values[k]) << r.word << " scale " << k + 1; // to the bit
    }
    // The published figures of «КОТ», to three decimals.
    const std::vector<double> kot = Profile("КОТ", 2);
    EXPECT_EQ(FormatFixed(kot[0], 15, 3, '.'), "2.632");
    EXPECT_EQ(FormatFixed(kot[2], 15, 3, '.'), "3.495");
    EXPECT_EQ(FormatFixed(kot[9], 15, 3, '.'), "2.421");
    EXPECT_EQ(FormatFixed(kot[24], 15, 3, '.'), "2.228");
}

TEST(WordModel, EqualVowelsGiveEqualValuesWhicheverIsStressed)
{
    const std::vector<double> second = Profile("МАМА", 2), fourth = Profile("МАМА", 4);
    for (int k = 0; k < BipolarScaleCount; ++k)
        EXPECT_NEAR(second[k], fourth[k], 1e-14) << k + 1;
}

TEST(WordModel, WordsWithoutSoundsGiveZero)
{
    for (const char* w : { "", "Ъ", "ЪЬ", "12", "CAT" })
        for (double v : Profile(w, 0))
            EXPECT_EQ(v, 0.0) << w;
}

TEST(WordModel, SetWordCountsVowelsAndStressesTheFirst)
{
    const struct {
        const char* word;
        int vowels, stress;
    } cases[] = { { "КОЛОКОЛ", 3, 2 }, { "ОКНО", 2, 1 }, { "ЁЖ", 1, 1 }, { "ЕЩЁ", 2, 1 }, { "", 0, 0 }, { "СТРАНА", 2, 4 } };
    for (const auto& c : cases) {
        TStrShowAsscent a;
        a.SetWord(Ansi(c.word));
        EXPECT_EQ(a.VowelsInWord, c.vowels) << c.word;
        EXPECT_EQ(a.StressPos, c.stress) << c.word;
    }
}

// ---------------------------------------------------------------------------
// Word pages


TEST(FillWordPage, ListsThePolesTheValuesLeanTo)
{
    // Scale 1 toward ХОРОШИЙ, 2 just right of the bound, 3 at 2.6, 4 toward МУЖЕСТВЕННЫЙ.
    RankedAnalysis r({ 2.0, 2.61, 2.6, 4.0 });
    TRecFileGraf page;
    FillWordPage(&page, Ansi("СЛОВО"), &r.a);

    EXPECT_EQ(page.Title, Ansi("СЛОВО"));
    ASSERT_EQ(page.SignificantNames.Count(), 3);
    EXPECT_EQ(page.SignificantNames.Strings(0), Ansi("       ХОРОШИЙ")); // 4.00
    EXPECT_EQ(page.SignificantValues.Strings(0), Sep("4.00"));
    EXPECT_EQ(page.SignificantNames.Strings(1), Ansi("  МУЖЕСТВЕННЫЙ"));
    EXPECT_EQ(page.SignificantValues.Strings(1), Sep("4.00"));
    EXPECT_EQ(page.SignificantNames.Strings(2), Ansi("        НЕЖНЫЙ")); // 2.6 is the left pole's 3.40
    EXPECT_EQ(page.SignificantValues.Strings(2), Sep("3.40"));

    ASSERT_EQ(page.ScaleList.Count(), 25);
    ASSERT_EQ(page.SoundList.Count(), 25);
    const struct {
        int index;
        const char* name;
        double value;
    } items[] = { { 0, "       ХОРОШИЙ", 4.0 }, { 1, "     МАЛЕНЬКИЙ", 2.61 }, { 2, "        НЕЖНЫЙ", 3.4 },
                  { 3, "  МУЖЕСТВЕННЫЙ", 4.0 }, { 24, "  МЕДЛИТЕЛЬНЫЙ", 3.0 } };
    for (const auto& i : items) {
        EXPECT_EQ(page.ScaleList.Objects(i.index)->Name, Ansi(i.name)) << i.index;
        EXPECT_DOUBLE_EQ(page.ScaleList.Objects(i.index)->Value, i.value) << i.index;
    }
    // The list's strings are the left poles whatever the item leans to.
    EXPECT_EQ(page.ScaleList.Strings(3), Ansi("   ЖЕНСТВЕННЫЙ"));
    EXPECT_EQ(page.SoundList.Strings(13).substr(0, 14), Ansi("      ГРУСТНЫЙ"));
    EXPECT_EQ(page.SoundList.Strings(3), Ansi("  МУЖЕСТВЕННЫЙ (") + Sep("2.00") + ")");
    EXPECT_DOUBLE_EQ(page.SoundList.Objects(0)->Z, 4.0);
}

TEST(FillWordPage, TakesAtMostFourteenAndStopsBelowTheBound)
{
    std::vector<double> values(25, 4.5);
    RankedAnalysis many(values);
    TRecFileGraf page;
    FillWordPage(&page, "W", &many.a);
    EXPECT_EQ(page.SignificantNames.Count(), 14);
    EXPECT_EQ(page.ScaleList.Count(), 25);

    // 4.8, then exactly 3.4, then 3.39: the walk ends at 3.39.
    RankedAnalysis bound({ 4.8, 3.4, 3.39 });
    TRecFileGraf two;
    FillWordPage(&two, "W", &bound.a);
    EXPECT_EQ(two.SignificantNames.Count(), 2);

    TRecFileGraf untouched;
    FillWordPage(&untouched, "W", nullptr);
    EXPECT_TRUE(untouched.Title.empty());
    EXPECT_EQ(untouched.ScaleList.Count(), 0);
}

TEST(PaintScaleList, DrawsTheLeaningValuesAndMarksTheStrongOnes)
{
    RankedAnalysis r({ 2.0, 3.4, 3.5 });
    TGrafForm window;
    TCurrentPage* page = window.AddListPage("# W");
    ASSERT_TRUE(page);
    window.Pages.AddObject("# W", page);
    TRecordingCanvas canvas;
    page->PaintBox->TestCanvas = &canvas;
    FillWordPage(page, "# W", &r.a);
    page->Title = Ansi("# СЛОВО");
    r.a.PaintScaleList(page, 560, 703); // rows of 20, values at 175

    EXPECT_EQ(window.PageControl1->tabText(0), QStringLiteral("# W")) << "painting leaves the tab alone";
    const auto texts = canvas.Texts();
    ASSERT_EQ(texts.size(), 50u);
    EXPECT_EQ(texts[0].From, QPoint(3, 0));
    EXPECT_EQ(texts[1].From, QPoint(175, 0));
    EXPECT_EQ(texts[1].Text, AnsiToQString(Sep("4.00")));
    EXPECT_EQ(texts[0].Color, clRed);  // the left pole's 4.00
    EXPECT_EQ(texts[2].Color, clBlack); // 3.40 is not above 3.4
    EXPECT_EQ(texts[4].Color, clRed);  // 3.50
    EXPECT_EQ(texts[4].From, QPoint(3, 40));
    EXPECT_EQ(texts[6].Color, clBlack); // 3.00

    // Anything but a page is left alone.
    canvas.Items.clear();
    TRecFileGraf notAPage;
    r.a.PaintScaleList(&notAPage, 560, 703);
    EXPECT_TRUE(canvas.Items.empty());
}

// The library's document walk counts words in both modes and has no guard.
TEST(WordModel, DocumentWalkCountsWordsInBothModesAndPassesFailuresOn)
{
    for (int mode : { 0, 1 }) {
        TStrShowAsscent m;
        std::string note = "x";
        QStringList commands;
        {
            TRecordingWord word;
            word.Units = { QString::fromUtf8("Мама "), QString::fromUtf8("мыла ") };
            m.AnalyzeWordDocument(Ansi("Проба"), mode, note);
            commands = word.Commands();
        }
        EXPECT_EQ(m.Title, Ansi("Проба"));
        EXPECT_EQ(m.WordCount, 2) << "mode " << mode;
        EXPECT_EQ(commands.count(mode == 0 ? "SentRight" : "WordRight"), 2);
        EXPECT_EQ(TopList.Count, 20);
        // The library's bound is the program's 8.0; a short text has no significant scale.
        EXPECT_EQ(note.empty(), TopList.Slots[1].Value >= 8.0);
    }
    TStrShowAsscent failing;
    std::string note;
    TRecordingWord word;
    word.Units = { "abc" };
    word.FailAt = "Selection";
    EXPECT_THROW(failing.AnalyzeWordDocument("t", 0, note), EOleError);
    EXPECT_FALSE(word.Commands().contains("EditCopy")) << "no clipboard fallback";
}
