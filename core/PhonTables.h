#pragma once
// Reference data of the phonosemantic analysis: the 20 text scales, the 45
// sound-letters with their norm frequencies, the weight matrix and the
// character classes over Windows-1251 codes.
#include "Checked.h"

#include <array>
#include <bit>
#include <cstdint>
#include <initializer_list>
#include <string>

struct ScaleItem {
    std::string Name; // at most 14 characters, Windows-1251
    double Value = 0;
};

struct SoundItem {
    unsigned char Letter = 0;
    double Freq = 0;
    int32_t Count = 0;
    double Z = 0;
    int32_t Aux1 = 0;
    int32_t Aux2 = 0;
};

constexpr int TextScaleCount = 20;
constexpr int SoundLetterCount = 45;

// Names stored 13 characters wide, right-aligned; Value is the working score.
extern Array1<ScaleItem, TextScaleCount> TextScales;
extern const Array1<SoundItem, SoundLetterCount> SoundLetterTable;
// Weight of sound-letter i on text scale j, in hundredths: TextScaleWeights[i][j].
extern const Array1<Array1<int32_t, TextScaleCount>, SoundLetterCount> TextScaleWeights;

// A set of Windows-1251 codes.
class CharSet {
public:
    constexpr CharSet() = default;
    constexpr CharSet(std::initializer_list<int> codes)
    {
        for (int c : codes)
            bits_[static_cast<unsigned>(c) >> 6] |= uint64_t(1) << (c & 63);
    }
    static constexpr CharSet Range(int from, int to)
    {
        CharSet s;
        for (int c = from; c <= to; ++c)
            s.bits_[static_cast<unsigned>(c) >> 6] |= uint64_t(1) << (c & 63);
        return s;
    }
    constexpr CharSet operator|(const CharSet& o) const
    {
        CharSet s;
        for (int i = 0; i < 4; ++i)
            s.bits_[i] = bits_[i] | o.bits_[i];
        return s;
    }
    constexpr bool Contains(unsigned char c) const { return (bits_[c >> 6] >> (c & 63)) & 1; }
    constexpr int Size() const
    {
        int n = 0;
        for (uint64_t w : bits_)
            n += std::popcount(w);
        return n;
    }

private:
    uint64_t bits_[4] {};
};

extern const CharSet CyrillicVowels;
extern const CharSet SofteningLetters;
extern const CharSet SoftenableConsonants;
extern const CharSet RussianLetters;
extern const CharSet HighSounds;
extern const CharSet WordDelimiters;

// "А".."Я" and "а".."я": position k of one is the case partner of position k of the other.
extern const std::array<unsigned char, 32> RusUpperLetters;
extern const std::array<unsigned char, 32> RusLowerLetters;
