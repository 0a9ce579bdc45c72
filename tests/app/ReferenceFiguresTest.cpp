// Every figure of the text analysis for documents whose figures were computed
// independently from the tables and rules (reference-figures/README.md): once
// along the text command's road (the document opened in the editor, fed,
// profiled and ranked, the pages filled), once along the text model's own
// walk through a Word document, each with its own significance note.
#include "AppTestSupport.h"
#include "LemvGraf.h"
#include "NumFormat.h"
#include "PhonTables.h"
#include "PhonText.h"
#include "RecordingWord.h"
#include "TextPage.h"
#include "TopList.h"
#include "Win1251.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <functional>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct TReference {
    int N = -1, High = -1, Vowels = -1, Words = -1;
    double Spw = NAN;
    std::array<int, SoundLetterCount + 1> Count {};     // 1-based
    std::array<double, SoundLetterCount + 1> Z {};      // 1-based
    std::array<double, TextScaleCount + 1> Score {};    // 1-based

    // The scores in descending order.
    std::vector<double> Ranked() const
    {
        std::vector<double> r(Score.begin() + 1, Score.end());
        std::stable_sort(r.begin(), r.end(), std::greater<>());
        return r;
    }
};

std::string Document(const std::string& Name, const char* Extension)
{
    return std::string(REFERENCE_FIGURES) + "/" + Name + Extension;
}

TReference ReadReference(const std::string& File)
{
    TReference r;
    std::ifstream in(File);
    EXPECT_TRUE(in) << File;
    in.imbue(std::locale::classic());
    std::string key;
    while (in >> key) {
        int i = 0;
        if (key == "N")
            in >> r.N;
        else if (key == "high")
            in >> r.High;
        else if (key == "vowels")
            in >> r.Vowels;
        else if (key == "words")
            in >> r.Words;
        else if (key == "spw")
            in >> r.Spw;
        else if (key == "count" && in >> i && i >= 1 && i <= SoundLetterCount)
            in >> r.Count[i];
        else if (key == "z" && in >> i && i >= 1 && i <= SoundLetterCount)
            in >> r.Z[i];
        else if (key == "score" && in >> i && i >= 1 && i <= TextScaleCount)
            in >> r.Score[i];
        else
            ADD_FAILURE() << File << ": unexpected line at " << key;
    }
    return r;
}

// Reals agree to 1e-9, absolute or relative where larger.
void ExpectFigure(double Got, double Want, const std::string& What)
{
    EXPECT_NEAR(Got, Want, 1e-9 * std::max(1.0, std::fabs(Want))) << What;
}

// The model's snapshot, the scale scores and their ranking.
void ExpectModelFigures(const TFileViewMem& Model, const TReference& Ref)
{
    const TTextSnapshot& s = Model.Snapshot;
    EXPECT_EQ(s.SoundCount, Ref.N);
    EXPECT_EQ(s.HighCount, Ref.High);
    EXPECT_EQ(s.VowelCount, Ref.Vowels);
    EXPECT_EQ(s.WordCount, Ref.Words);
    ExpectFigure(s.SyllablesPerWord, Ref.Spw, "syllables per word");
    for (int i = 1; i <= SoundLetterCount; ++i) {
        EXPECT_EQ(Model.SnapshotSounds[i].Count, Ref.Count[i]) << "count " << i;
        ExpectFigure(Model.SnapshotSounds[i].Z, Ref.Z[i], "z " + std::to_string(i));
    }
    for (int j = 1; j <= TextScaleCount; ++j)
        ExpectFigure(TextScales[j].Value, Ref.Score[j], "score " + std::to_string(j));
    const std::vector<double> ranked = Ref.Ranked();
    ASSERT_EQ(TopList.Count, TextScaleCount);
    for (int r = 1; r <= TextScaleCount; ++r) {
        ExpectFigure(TopList.Slots[r].Value, ranked[r - 1], "rank " + std::to_string(r));
        EXPECT_EQ(TopList.Slots[r].Value, TextScales[TopList.Slots[r].Index].Value) << "rank " << r;
    }
}

// What the page filling wrote, against the reference figures.
void ExpectPageFigures(const TRecFileGraf& Page, const TReference& Ref, const std::string& Title)
{
    EXPECT_EQ(Page.Title, Title);
    ASSERT_EQ(Page.ScaleList.Count(), TextScaleCount);
    for (int j = 1; j <= TextScaleCount; ++j)
        ExpectFigure(Page.ScaleList.Objects(j - 1)->Value, Ref.Score[j], "page score " + std::to_string(j));
    ASSERT_EQ(Page.SoundList.Count(), SoundLetterCount);
    for (int i = 1; i <= SoundLetterCount; ++i) {
        ExpectFigure(Page.SoundList.Objects(i - 1)->Z, Ref.Z[i], "page z " + std::to_string(i));
        EXPECT_EQ(Page.SoundList.Strings(i - 1), SoundLine(SoundLetterTable[i].Letter, Ref.Count[i], Ref.Z[i]));
    }
    EXPECT_EQ(Page.SoundTotalLine, Ansi("Всего звукобукв: ") + std::to_string(Ref.N));
    EXPECT_EQ(Page.SyllablesLine, Ansi("Средняя длина слова в слогах: ") + FormatFixed(Ref.Spw, 7, 2));
    EXPECT_EQ(Page.HighShareLine,
              Ansi("Доля высоких звуков: ") + FormatFixed(static_cast<long double>(Ref.High) * 100 / Ref.N, 7, 2) + " %");

    // The significant scales: scores of at least 9.0, best first, at most 8.
    std::vector<std::string> values;
    for (double v : Ref.Ranked())
        if (v >= 9.0 && values.size() < 8)
            values.push_back(FormatFixed(v, 5, 2));
    ASSERT_EQ(Page.SignificantValues.Count(), static_cast<int>(values.size()));
    for (size_t k = 0; k < values.size(); ++k)
        EXPECT_EQ(Page.SignificantValues.Strings(static_cast<int>(k)), values[k]) << "significant " << k;
}

std::string NoFeaturesNote(const std::string& Title)
{
    return Ansi("ЗНАЧИМЫХ признаков для текста ") + Title + Ansi(" НЕТ!");
}

class ReferenceFigures : public MainFormFixture, public ::testing::WithParamInterface<const char*> {
protected:
    std::string Name() const { return GetParam(); }
};

TEST_P(ReferenceFigures, TextCommandShowsThemOnItsPages)
{
    const TReference ref = ReadReference(Document(Name(), ".ref"));
    Form->OpenDocument(QString::fromStdString(Document(Name(), ".txt")));
    ASSERT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
    const std::string title = Form->BuildDocumentTitle();
    ASSERT_EQ(title, Name() + ".txt");

    TFileViewMem model;
    std::string note;
    Form->AnalyzeEditorText(&model, title, 0, note);
    ExpectModelFigures(model, ref);
    // The text command's note: nothing significant below 9.0.
    const bool significant = ref.Ranked()[0] >= 9.0;
    EXPECT_EQ(note, significant ? std::string() : NoFeaturesNote(title));

    const std::unique_ptr<TGrafForm> window(BuildTextPhonosemanticsWindow(title, note, &model));
    ASSERT_EQ(window->Pages.Count(), significant ? 2 : 1);
    for (int p = 0; p < window->Pages.Count(); ++p) {
        SCOPED_TRACE(window->Pages.Strings(p));
        ExpectPageFigures(*window->Pages.Objects(p), ref, title);
    }
}

TEST_P(ReferenceFigures, WordDocumentWalkGivesThemWithItsOwnNote)
{
    const TReference ref = ReadReference(Document(Name(), ".ref"));
    QFile file(QString::fromStdString(Document(Name(), ".txt")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll()).remove(QLatin1Char('\n'));
    // The lines joined, handed out in pieces the walk takes whole (it cuts a
    // selection at 255 characters); no piece ends inside a character.
    TRecordingWord word;
    for (qsizetype at = 0; at < text.size();) {
        qsizetype n = std::min<qsizetype>(200, text.size() - at);
        if (text.at(at + n - 1).isHighSurrogate())
            ++n;
        word.Units.push_back(text.mid(at, n));
        at += n;
    }
    TFileViewMem model;
    std::string note = "x";
    const std::string title = Name();
    model.AnalyzeWordDocument(title, 0, note);

    ExpectModelFigures(model, ref);
    // The walk's own note: nothing significant below 8.0.
    EXPECT_EQ(note, ref.Ranked()[0] >= 8.0 ? std::string() : NoFeaturesNote(title));
}

// note: best score between 8 and 9; justsig: just above 9.
INSTANTIATE_TEST_SUITE_P(Documents, ReferenceFigures,
                         ::testing::Values("hard", "justsig", "latin", "lines", "long", "note", "pangram", "soft"),
                         [](const auto& Info) { return std::string(Info.param); });

} // namespace
