#include "GoldenSection.h"

#include "Checked.h"
#include "PhonTables.h"

int32_t GoldenSectionTarget(int32_t Count)
{
    const long double v = static_cast<long double>(Count) * GoldenSectionFactor + 0.5L;
    return static_cast<int32_t>(v); // below Count, so it fits
}

int32_t CountVowels(const std::vector<std::string>& Lines)
{
    int32_t n = 0;
    for (const std::string& line : Lines)
        for (unsigned char c : line)
            if (CyrillicVowels.Contains(c))
                CheckedInc(n);
    return n;
}

std::optional<TGoldenVowel> FindGoldenVowel(const std::vector<std::string>& Lines)
{
    const int32_t n = CountVowels(Lines);
    if (n <= 4)
        return std::nullopt;
    const int32_t target = GoldenSectionTarget(n);
    int32_t seen = 0;
    for (size_t i = 0; i < Lines.size(); ++i) {
        const std::string& line = Lines[i];
        for (size_t j = 0; j < line.size(); ++j)
            if (CyrillicVowels.Contains(static_cast<unsigned char>(line[j])) && ++seen == target)
                return TGoldenVowel {i, static_cast<int32_t>(j + 1)};
    }
    return std::nullopt; // not reached: target lies within 1..n
}
