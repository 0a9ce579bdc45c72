#pragma once
// Word analyses with chosen scale values for the suites of the word library.
#include "MeanWrd.h"
#include "NumFormat.h"

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
