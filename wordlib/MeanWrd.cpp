#include "MeanWrd.h"

#include "Automation.h"
#include "CaseMap.h"
#include "ChartFiles.h"
#include "Errors.h"
#include "WordGraf.h"
#include "Win1251.h"

#include <QTabWidget>

TStrShowAsscent* CurrentWordAnalysis = nullptr;

double Significance(double Value)
{
    return Value >= 3.0 ? Value : 6.0 - Value;
}

unsigned char WordLetter(unsigned char Letter)
{
    if (Letter == 0xA8) // Ё
        return 0xC5;    // Е
    if (Letter == 0xB8) // ё
        return 0xE5;    // е
    return Letter;
}

bool IsWordVowel(unsigned char Letter)
{
    return CyrillicVowels.Contains(WordLetter(Letter));
}

TStrShowAsscent::TStrShowAsscent()
{
    for (int k = 1; k <= BipolarScaleCount; ++k) {
        Scales[k].LeftName = BipolarScales[k].LeftName.substr(0, 14);
        Scales[k].RightName = BipolarScales[k].RightName.substr(0, 14);
    }
}

void TStrShowAsscent::SetWord(const std::string& Word)
{
    AnalysedWord = Cut255(Word);
    VowelsInWord = 0;
    StressPos = 0;
    for (size_t i = 0; i < AnalysedWord.size(); ++i)
        if (IsWordVowel(static_cast<unsigned char>(AnalysedWord[i]))) {
            ++VowelsInWord;
            if (StressPos == 0)
                StressPos = static_cast<uint8_t>(i + 1);
        }
}

bool TStrShowAsscent::MoveStress(int Step)
{
    const int length = static_cast<int>(AnalysedWord.size());
    if (VowelsInWord == 0 || length == 0)
        return false;
    int pos = StressPos;
    do {
        pos += Step;
        if (pos < 1)
            pos = length;
        else if (pos > length)
            pos = 1;
    } while (!IsWordVowel(static_cast<unsigned char>(AnalysedWord[pos - 1])));
    StressPos = static_cast<uint8_t>(pos);
    return true;
}

void TStrShowAsscent::ClearScaleValues()
{
    for (BipolarScale& s : BipolarScales)
        s.Value = 0;
}

void TStrShowAsscent::CopyScaleValues()
{
    for (int k = 1; k <= BipolarScaleCount; ++k)
        Scales[k].Value = BipolarScales[k].Value;
}

void TStrShowAsscent::RankScales() const
{
    ClearTopList(WordTopList);
    for (int k = 1; k <= BipolarScaleCount; ++k)
        AddToTopList(WordTopList, k, Significance(Scales[k].Value));
}

void TStrShowAsscent::AnalyseAtStress()
{
    ClearScaleValues();
    ComputeWordProfile();
    CopyScaleValues();
    RankScales();
}

namespace {

const VowelStress& VowelRow(unsigned char Letter)
{
    for (const VowelStress& r : VowelStressFreq)
        if (r.Letter == Letter)
            return r;
    throw ERangeError();
}

} // namespace

void TStrShowAsscent::ComputeWordProfile()
{
    const int L = static_cast<int>(AnalysedWord.size());
    // The figures of a word with Ё are those of the same word spelled with Е.
    const auto at = [&](int i) { return WordLetter(static_cast<unsigned char>(AnalysedWord[i - 1])); };
    double S = 0;
    for (int i = 1; i <= L; ++i) {
        unsigned char b = RusUpCase(at(i));
        // A consonant before a softening letter is the soft one; the last letter stays hard.
        if (SoftenableConsonants.Contains(b) && i < L && SofteningLetters.Contains(at(i + 1)))
            b = RusLowCase(b);
        const int c = FindSound(b);
        if (c == 0)
            continue;
        double d;
        if (CyrillicVowels.Contains(b)) {
            const VowelStress& r = VowelRow(b);
            d = 1.0 / (i == StressPos ? r.Stressed : r.Unstressed);
        } else {
            d = 1.0 / SoundLetterTable[c].Freq;
        }
        if (i == 1)
            d = d * 4.0;
        else if (i == StressPos)
            d = d * 2.0;
        S = S + d;
        for (int k = 1; k <= BipolarScaleCount; ++k)
            BipolarScales[k].Value = BipolarScales[k].Value + SoundScaleMatrix[c][k] * d;
    }
    const double F = S > 0.0 ? 1.0 / S : 0.0;
    // The mean is formed at extended precision, one tenth included.
    for (int k = 1; k <= BipolarScaleCount; ++k)
        BipolarScales[k].Value = static_cast<double>(static_cast<long double>(BipolarScales[k].Value) * F * 0.1L);
}

bool TStrShowAsscent::FillGrafForm(QObject* Target, int32_t, int32_t Mode)
{
    try {
        auto* window = qobject_cast<TGrafForm*>(Target);
        if (!window)
            return true;
        window->SetMode(Mode);
        window->FreePages();
        window->Pages.Clear();
        window->Pages.Sorted = false;
        if (window->Mode != 3)
            return true;
        const auto built = [](TCurrentPage* Page) {
            if (!Page)
                throw Exception("The page could not be built");
            return Page;
        };
        const std::string word = AnalysedWord;
        TCurrentPage* chart = built(window->AddChartPage(word));
        window->CurrentPage = chart;
        chart->Note = WordMarker();
        FillWordPage(chart, word, this);
        window->DrawChartPage(chart);
        window->Pages.AddObject(word, chart);

        const std::string listTitle = Cut255("# " + word);
        TCurrentPage* list = built(window->AddListPage(listTitle));
        window->CurrentPage = list;
        list->Note = WordMarker();
        FillWordPage(list, listTitle, this);
        window->Pages.AddObject(listTitle, list);

        SelectNextPage(window->PageControl1, true);
        SelectNextPage(window->PageControl1, false);
        return true;
    } catch (...) {
        return false;
    }
}

void TStrShowAsscent::AnalyzeWordDocument(const std::string& Title_, int32_t Mode, std::string& Note)
{
    Title = Cut255(Title_);
    Reset();
    std::unique_ptr<IAutomationObject> word = CreateAutomationObject(QStringLiteral("Word.Basic"));
    word->Call(QStringLiteral("MenuMode"));
    word->Call(QStringLiteral("StartOfDocument"));
    const QString select = Mode == 0 ? QStringLiteral("SelectCurSentence") : QStringLiteral("SelectCurWord");
    const QString next = Mode == 0 ? QStringLiteral("SentRight") : QStringLiteral("WordRight");
    while (word->Call(QStringLiteral("AtEndOfDocument")).toInt() != -1) {
        word->Call(select);
        const std::string s = Cut255(QStringToAnsi(word->Call(QStringLiteral("Selection")).toString()));
        if (!s.empty())
            ProcessString(s, 0);
        word->Call(next);
    }
    Note = DocumentNote();
}
