// Every word of the reference file (reference-words/README.md), whose figures
// were computed independently from the tables and rules, along the library's
// own road: the entry confirmed in the entry dialog, the stress set with the
// stress window's "->", the analysis run to its word window. The scale values,
// the ranking and both pages' significant poles are compared with the file.
#include "ModalDriver.h"

#include "LemvGraf.h"
#include "MeanWrd.h"
#include "NumFormat.h"
#include "Tabedit.h"
#include "U3.h"
#include "Win1251.h"
#include "WordTestHelpers.h"

#include <QFile>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <locale>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

// The file writes the shown values with the comma of a Russian locale and the
// pages take the user's separator, so this program runs under that locale; it
// is set before main, ahead of the application's first look at the locale.
[[maybe_unused]] const bool RussianLocale = [] { return setenv("LC_ALL", "ru_RU.UTF-8", 1) == 0; }();

const char* const FileName = "words.ref";

// The four lines of one word.
struct TWordReference {
    int Line = 0, ValuesLine = 0, RankLine = 0, PolesLine = 0; // where they stand in the file
    QString Word;    // as the file writes it
    int Stress = -1;
    std::vector<double> Values;
    std::vector<int> Rank;
    std::vector<std::pair<std::string, std::string>> Poles; // Windows-1251 name, shown value
};

std::vector<TWordReference> ReadReferences()
{
    std::vector<TWordReference> words;
    QFile file(QStringLiteral(REFERENCE_WORDS "/") + QLatin1String(FileName));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << file.fileName().toStdString();
        return words;
    }
    int line = 0;
    while (!file.atEnd()) {
        ++line;
        const std::string text = QString::fromUtf8(file.readLine()).trimmed().toStdString();
        std::istringstream in(text);
        in.imbue(std::locale::classic());
        std::string key;
        in >> key;
        if (key.empty())
            continue;
        if (key == "word") {
            std::string word;
            words.emplace_back();
            words.back().Line = line;
            in >> word >> words.back().Stress;
            words.back().Word = QString::fromStdString(word);
            continue;
        }
        if (words.empty()) {
            ADD_FAILURE() << FileName << ":" << line << ": " << key << " before the first word";
            continue;
        }
        TWordReference& w = words.back();
        if (key == "values") {
            w.ValuesLine = line;
            for (double v; in >> v;)
                w.Values.push_back(v);
        } else if (key == "rank") {
            w.RankLine = line;
            for (int k; in >> k;)
                w.Rank.push_back(k);
        } else if (key == "poles") {
            w.PolesLine = line;
            // "NAME x,xx; NAME x,xx"; nothing after the key when no scale is significant.
            const QString rest = QString::fromStdString(text).mid(5).trimmed();
            for (const QString& pole : rest.split(QStringLiteral("; "), Qt::SkipEmptyParts)) {
                const qsizetype blank = pole.lastIndexOf(QLatin1Char(' '));
                w.Poles.emplace_back(QStringToAnsi(pole.left(blank)), pole.mid(blank + 1).toStdString());
            }
        } else {
            ADD_FAILURE() << FileName << ":" << line << ": unexpected " << key;
        }
    }
    return words;
}

// A word window's page: its title and significant poles as filled.
struct TShownPage {
    std::string Title;
    std::vector<std::string> Names, Values;
};

// What the road gave for one word.
struct TRoad : TWordOutcome {
    QString Note; // a message instead of the word window
    std::vector<TShownPage> Pages;
};

class ReferenceWords : public WordWindowsFixture {
protected:
    // The word typed in lower case and confirmed; with two or more vowels the
    // stress window's "->" until the stress stands on the file's letter (at
    // most once round), then "Далее...".
    static TRoad Run(const TWordReference& R)
    {
        TRoad road;
        ModalDriver driver([&](QWidget* W) {
            if (auto* graf = qobject_cast<TGrafForm*>(W)) {
                for (int p = 0; p < graf->Pages.Count(); ++p) {
                    const TRecFileGraf& page = *graf->Pages.Objects(p);
                    TShownPage& shown = road.Pages.emplace_back();
                    shown.Title = page.Title;
                    for (int i = 0; i < page.SignificantNames.Count(); ++i)
                        shown.Names.push_back(page.SignificantNames.Strings(i));
                    for (int i = 0; i < page.SignificantValues.Count(); ++i)
                        shown.Values.push_back(page.SignificantValues.Strings(i));
                }
            } else {
                road.Note = MessageText(W);
            }
            if (auto* d = qobject_cast<QDialog*>(W))
                d->reject();
        });
        EditDB->SetEntry(R.Word.toLower());
        EditDB->BitBtn1->click();
        if (Form3->isVisible()) {
            for (int m = 0; m < CurrentWordAnalysis->VowelsInWord && CurrentWordAnalysis->StressPos != R.Stress; ++m)
                Form3->SpeedButton2->click();
            Form3->SpeedButton3->click();
        }
        static_cast<TWordOutcome&>(road) = TWordOutcome::Current();
        return road;
    }
};

// Reals agree to 1e-9, absolute or relative where larger.
bool SameFigure(double Got, double Want)
{
    return std::fabs(Got - Want) <= 1e-9 * std::max(1.0, std::fabs(Want));
}

std::string Shown(const std::string& Ansi)
{
    return AnsiToQString(Ansi).toStdString();
}

// The first field in which the road differs from the file's line, or nothing.
std::string FirstValueDifference(const TRoad& Road, const TWordReference& R)
{
    if (R.Values.size() != BipolarScaleCount)
        return "the file has " + std::to_string(R.Values.size()) + " values";
    for (int k = 0; k < BipolarScaleCount; ++k)
        if (!SameFigure(Road.Values[k], R.Values[k])) {
            std::ostringstream s;
            s.precision(13);
            s << "scale " << k + 1 << " is " << Road.Values[k] << ", the file has " << R.Values[k];
            return s.str();
        }
    return {};
}

std::string FirstRankDifference(const TRoad& Road, const TWordReference& R)
{
    for (size_t r = 0; r < std::max(Road.Ranking.size(), R.Rank.size()); ++r) {
        if (r >= Road.Ranking.size())
            return "the ranking ends after " + std::to_string(r) + " scales";
        if (r >= R.Rank.size())
            return "the ranking holds more than the file's " + std::to_string(r) + " scales";
        if (Road.Ranking[r] != R.Rank[r])
            return "place " + std::to_string(r + 1) + " is scale " + std::to_string(Road.Ranking[r]) + ", the file has " +
                   std::to_string(R.Rank[r]);
    }
    return {};
}

// The page's names are 14 characters wide, right-aligned.
std::string FirstPoleDifference(const TShownPage& Page, const TWordReference& R)
{
    if (Page.Values.size() != Page.Names.size())
        return Shown(Page.Title) + ": " + std::to_string(Page.Names.size()) + " names but " +
               std::to_string(Page.Values.size()) + " values";
    for (size_t i = 0; i < std::max(Page.Names.size(), R.Poles.size()); ++i) {
        const std::string where = Shown(Page.Title) + ", pole " + std::to_string(i + 1) + ": ";
        if (i >= Page.Names.size())
            return where + "missing, the file has " + Shown(R.Poles[i].first);
        if (i >= R.Poles.size())
            return where + "'" + Shown(Page.Names[i]) + " " + Page.Values[i] + "' beyond the file's list";
        const std::string& name = R.Poles[i].first;
        const std::string want = std::string(14 - std::min<size_t>(14, name.size()), ' ') + name;
        if (Page.Names[i] != want)
            return where + "name '" + Shown(Page.Names[i]) + "', the file has '" + Shown(want) + "'";
        if (Page.Values[i] != R.Poles[i].second)
            return where + "value " + Page.Values[i] + ", the file has " + R.Poles[i].second;
    }
    return {};
}

} // namespace

TEST_F(ReferenceWords, TheRoadGivesEveryFigureOfTheFile)
{
    ASSERT_EQ(LocaleDecimalSeparator(), ',') << "the shown values need the Russian locale's comma";
    const std::vector<TWordReference> words = ReadReferences();
    ASSERT_FALSE(words.empty());
    for (const TWordReference& r : words) {
        const std::string name = r.Word.toStdString() + " " + std::to_string(r.Stress) + ", " + FileName + ":";
        const auto report = [&](int At, const char* Line, const std::string& Difference) {
            if (!Difference.empty())
                ADD_FAILURE() << name << At << " (" << Line << "): " << Difference;
        };
        const TRoad road = Run(r);
        if (road.Word != QStringToAnsi(r.Word) || road.Stress != r.Stress) {
            report(r.Line, "word", "the road analysed " + Shown(road.Word) + " stressed at " + std::to_string(road.Stress));
            continue;
        }
        report(r.ValuesLine, "values", FirstValueDifference(road, r));
        report(r.RankLine, "rank", FirstRankDifference(road, r));
        // No significant pole: the note instead of the word window.
        if (r.Poles.empty()) {
            report(r.PolesLine, "poles", road.Note == QStringLiteral("ЗНАЧИМЫХ признаков НЕТ!") && road.Pages.empty()
                                   ? std::string()
                                   : "a word window or another note instead of the note of no significant scale");
            continue;
        }
        if (road.Pages.size() != 2) {
            report(r.PolesLine, "poles", "no word window with its two pages; note '" + road.Note.toStdString() + "'");
            continue;
        }
        const std::string word = QStringToAnsi(r.Word);
        if (road.Pages[0].Title != word || road.Pages[1].Title != "# " + word)
            report(r.PolesLine, "poles", "pages titled " + Shown(road.Pages[0].Title) + " and " + Shown(road.Pages[1].Title));
        for (const TShownPage& page : road.Pages)
            report(r.PolesLine, "poles", FirstPoleDifference(page, r));
    }
}
