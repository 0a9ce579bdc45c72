// Any bytes as the confirmed entry of the word dialog, along the word road
// without its windows: upper-casing, the middle word, the Russian-word check,
// the word at every stress the stress window's moves reach, the analysis, the
// ranking and the page filling. Aborts where the road breaks its own rules:
// the moves visit every vowel once each way round, a word with Ё gives the
// figures of its Е spelling to the bit, the values are 0 or within the
// ratings' bounds, the ranking is ordered, and the page holds what it ranked.
#include "MeanWrd.h"
#include "NumFormat.h"
#include "PageRecords.h"
#include "PhonTables.h"
#include "Win1251.h"
#include "WordGraf.h"
#include "Wording.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Check(bool Condition)
{
    if (!Condition)
        std::abort();
}

// The values at the word's current stress, ranked and filled into a page.
std::vector<double> Analyse(TStrShowAsscent& A)
{
    A.AnalyseAtStress();
    std::vector<double> values;
    for (int k = 1; k <= BipolarScaleCount; ++k)
        values.push_back(A.Scales[k].Value);
    // No sound gives 0 everywhere, else every value is a mean of ratings 1.2..4.8.
    const bool none = std::all_of(values.begin(), values.end(), [](double v) { return v == 0.0; });
    for (double v : values)
        Check(none || (v >= 1.2 - 1e-9 && v <= 4.8 + 1e-9));

    Check(WordTopList.Count == BipolarScaleCount);
    std::vector<bool> ranked(BipolarScaleCount + 1, false);
    int significant = 0;
    for (int i = 1; i <= BipolarScaleCount; ++i) {
        const TTopEntry& e = WordTopList.Slots[i];
        Check(e.Index >= 1 && e.Index <= BipolarScaleCount && !ranked[e.Index]);
        ranked[e.Index] = true;
        Check(e.Value == Significance(values[e.Index - 1]));
        if (i > 1) {
            const TTopEntry& before = WordTopList.Slots[i - 1];
            Check(before.Value > e.Value || (before.Value == e.Value && before.Index < e.Index));
        }
        if (i <= 14 && e.Value >= 3.4 && significant == i - 1)
            ++significant;
    }

    TRecFileGraf page;
    FillWordPage(&page, A.AnalysedWord, &A);
    Check(page.Title == A.AnalysedWord);
    Check(page.ScaleList.Count() == BipolarScaleCount && page.SoundList.Count() == BipolarScaleCount);
    Check(page.SignificantNames.Count() == significant && page.SignificantValues.Count() == significant);
    for (int i = 0; i < significant; ++i) {
        const double shown = StrToFloat(page.SignificantValues.Strings(i));
        Check(std::fabs(shown - WordTopList.Slots[i + 1].Value) <= 0.005 + 1e-9);
    }
    return values;
}

// The stresses the window's moves reach from the first vowel, Step at a time,
// until they come back to it.
std::vector<int> Round(TStrShowAsscent& A, int Step)
{
    const int first = A.StressPos;
    std::vector<int> seen { first };
    while (A.MoveStress(Step) && A.StressPos != first) {
        Check(seen.size() < A.VowelsInWord);
        seen.push_back(A.StressPos);
    }
    Check(A.StressPos == first);
    return seen;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string entry(reinterpret_cast<const char*>(data), size);
    const std::string upper = AnsiUpperCase(Cut255(entry));
    Check(upper.size() == std::min<size_t>(size, 255));
    const std::string word = EntryWord(entry);
    Check(word == MiddleWord(upper) && upper.find(word) != std::string::npos);
    for (const char c : word)
        Check(static_cast<unsigned char>(c) >= 128 || !WordDelimiters.Contains(static_cast<unsigned char>(c)));
    if (!IsRusWord(word))
        return 0;

    TStrShowAsscent typed;
    typed.SetWord(word);
    std::vector<int> vowels;
    for (size_t i = 0; i < word.size(); ++i)
        if (IsWordVowel(static_cast<unsigned char>(word[i])))
            vowels.push_back(static_cast<int>(i + 1));
    Check(typed.VowelsInWord == vowels.size());
    Check(typed.StressPos == (vowels.empty() ? 0 : vowels.front()));

    // The same word as print reads it, Ё as Е.
    std::string printed = word;
    for (char& c : printed)
        c = static_cast<char>(WordLetter(static_cast<unsigned char>(c)));
    TStrShowAsscent spelled;
    spelled.SetWord(printed);

    if (vowels.empty()) {
        Check(!typed.MoveStress(1) && !typed.MoveStress(-1) && typed.StressPos == 0);
        Check(Analyse(typed) == Analyse(spelled));
        return 0;
    }
    Check(Round(typed, +1) == vowels);
    std::vector<int> left = Round(typed, -1);
    std::reverse(left.begin() + 1, left.end());
    Check(left == vowels);
    for (const int stress : vowels) {
        typed.StressPos = spelled.StressPos = static_cast<uint8_t>(stress);
        Check(Analyse(typed) == Analyse(spelled));
    }
    return 0;
}
