#pragma once
// Generated Russian text in Windows-1251: words of Cyrillic letters with a
// fixed seed, blanks, punctuation and line breaks.
#include <cstdint>
#include <random>
#include <string>

inline std::string GenerateRussianText(size_t bytes, uint32_t seed = 20261210)
{
    std::mt19937 rng(seed);
    // Letters weighted roughly as in Russian prose.
    static const char letters[] =
        "\xEE\xEE\xEE\xE5\xE5\xE5\xE0\xE0\xE0\xE8\xE8\xED\xED\xF2\xF2\xF1\xF1\xF0\xE2\xEB\xEA\xEC\xE4\xEF"
        "\xF3\xFF\xFB\xFC\xE3\xE7\xE1\xF7\xE9\xF5\xE6\xF8\xFE\xF6\xF9\xFD\xF4\xFA";
    std::uniform_int_distribution<int> letter(0, sizeof letters - 2);
    std::uniform_int_distribution<int> length(1, 10);
    std::uniform_int_distribution<int> mark(0, 15);
    std::string text;
    text.reserve(bytes + 16);
    bool sentenceStart = true;
    while (text.size() < bytes) {
        const int n = length(rng);
        for (int k = 0; k < n; ++k) {
            char c = letters[letter(rng)];
            if (sentenceStart && k == 0)
                c = static_cast<char>(static_cast<unsigned char>(c) - 0x20);
            text += c;
        }
        sentenceStart = false;
        switch (mark(rng)) {
        case 0: text += ". "; sentenceStart = true; break;
        case 1: text += ", "; break;
        case 2: text += "\r\n"; sentenceStart = true; break;
        case 3: text += " - "; break;
        default: text += ' ';
        }
    }
    text.resize(bytes);
    return text;
}
