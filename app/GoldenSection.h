#pragma once
// The golden section of a text's vowels: which vowel it falls on and where,
// over the editor's lines in Windows-1251, walked one after another.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The section factor, in extended precision (a little below the golden ratio's 0.6180339887).
constexpr long double GoldenSectionFactor = 0.618029029793735676L;

// The 1-based number of the vowel at the golden section of Count vowels:
// Count * factor + 0.5, truncated toward zero.
int32_t GoldenSectionTarget(int32_t Count);

// The vowels of Lines, line by line (Ё and Latin letters are not vowels).
int32_t CountVowels(const std::vector<std::string>& Lines);

struct TGoldenVowel {
    size_t Line = 0; // 0-based
    int32_t Pos = 0; // 1-based, within the line
};

// The vowel at the golden section of Lines; none for 4 vowels or fewer.
std::optional<TGoldenVowel> FindGoldenVowel(const std::vector<std::string>& Lines);
