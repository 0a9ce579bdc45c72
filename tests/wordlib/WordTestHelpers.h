#pragma once
// Word analyses with chosen scale values, and the library's three windows,
// for the suites of the word library.
#include "MeanWrd.h"
#include "NumFormat.h"
#include "Screen.h"
#include "Tabedit.h"
#include "U2.h"
#include "U3.h"
#include "WordBasic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// An analysis whose scales 1.. take Values (the rest 3.0), ranked the way the
// stress window ranks them.
struct RankedAnalysis {
    TStrShowAsscent a;
    explicit RankedAnalysis(const std::vector<double>& Values)
    {
        for (int k = 1; k <= BipolarScaleCount; ++k)
            a.Scales[k].Value = k <= static_cast<int>(Values.size()) ? Values[k - 1] : 3.0;
        a.RankScales();
    }
};

// A number text with the locale's decimal separator in place of the ".".
inline std::string Sep(const char* Text)
{
    std::string s = Text;
    for (char& c : s)
        if (c == '.')
            c = LocaleDecimalSeparator();
    return s;
}

// What the last analysis of CurrentWordAnalysis left: the word, its stress,
// the 25 values and the scales in ranking order.
struct TWordOutcome {
    std::string Word;
    int Stress = -1;
    std::vector<double> Values;
    std::vector<int> Ranking;

    static TWordOutcome Current()
    {
        TWordOutcome o;
        o.Word = CurrentWordAnalysis->AnalysedWord;
        o.Stress = CurrentWordAnalysis->StressPos;
        for (int k = 1; k <= BipolarScaleCount; ++k)
            o.Values.push_back(CurrentWordAnalysis->Scales[k].Value);
        for (int i = 1; i <= WordTopList.Count; ++i)
            o.Ranking.push_back(WordTopList.Slots[i].Index);
        return o;
    }
};

// The entry dialog, the stress window and the hint window as the library's
// entry creates them, on a 1024 x 768 screen with the word processor there.
class WordWindowsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetVirtualScreenSize(QSize(1024, 768));
        RegisterDocumentEngine();
        EditDB = new TEditDB();
        Form3 = new TForm3(EditDB);
        Form2 = new TForm2(EditDB);
    }
    void TearDown() override
    {
        delete Form2;
        delete Form3;
        delete EditDB;
        UnregisterDocumentEngine();
        SetVirtualScreenSize({});
    }
};
