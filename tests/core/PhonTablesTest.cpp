#include "PhonTables.h"
#include "Win1251.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <set>

TEST(PhonTables, TextScaleNamesAreThirteenWideAndRightAligned)
{
    for (const ScaleItem& s : TextScales) {
        EXPECT_EQ(s.Name.size(), 13u) << AnsiToQString(s.Name).toStdString();
        EXPECT_NE(s.Name.back(), ' ');
    }
    // The names are Windows-1251 codes in the table; here they are read as text.
    const char* const names[TextScaleCount] = {
        "ПРЕКРАСНЫЙ", "СВЕТЛЫЙ", "НЕЖНЫЙ", "РАДОСТНЫЙ", "ВОЗВЫШЕННЫЙ", "БОДРЫЙ", "ЯРКИЙ",
        "СИЛЬНЫЙ", "СТРЕМИТЕЛЬНЫЙ", "МЕДЛИТЕЛЬНЫЙ", "ТИХИЙ", "СУРОВЫЙ", "МИНОРНЫЙ", "ПЕЧАЛЬНЫЙ",
        "ТЕМНЫЙ", "ТЯЖЕЛЫЙ", "ТОСКЛИВЫЙ", "УГРЮМЫЙ", "УСТРАШАЮЩИЙ", "ЗЛОВЕЩИЙ",
    };
    for (int j = 1; j <= TextScaleCount; ++j)
        EXPECT_EQ(AnsiToQString(TextScales[j].Name).trimmed(), QString::fromUtf8(names[j - 1])) << j;
    EXPECT_EQ(TextScales[1].Name, Ansi("   ПРЕКРАСНЫЙ"));
}

TEST(PhonTables, SoundLetterTableFiguresAndStructure)
{
    double freq = 0;
    int aux1 = 0, aux2 = 0;
    std::set<unsigned char> letters;
    for (const SoundItem& s : SoundLetterTable) {
        freq += s.Freq;
        aux1 += s.Aux1;
        aux2 += s.Aux2;
        letters.insert(s.Letter);
        EXPECT_EQ(s.Count, 0);
        EXPECT_EQ(s.Z, 0.0);
    }
    EXPECT_NEAR(freq, 0.974, 1e-9);
    EXPECT_EQ(aux1, 103);
    EXPECT_EQ(aux2, 45);
    EXPECT_EQ(letters.size(), 45u);

    for (int k = 1; k <= 15; ++k) {
        EXPECT_TRUE(SoftenableConsonants.Contains(SoundLetterTable[k].Letter));
        EXPECT_EQ(SoundLetterTable[15 + k].Letter, SoundLetterTable[k].Letter + 0x20);
    }
    // Soft т and hard Т.
    EXPECT_EQ(SoundLetterTable[27].Letter, 0xF2);
    EXPECT_DOUBLE_EQ(SoundLetterTable[27].Freq, 0.020);
    EXPECT_EQ(SoundLetterTable[12].Letter, 0xD2);
    EXPECT_DOUBLE_EQ(SoundLetterTable[12].Freq, 0.055);
    EXPECT_EQ(SoundLetterTable[45].Letter, 0xC8);
    EXPECT_EQ(SoundLetterTable[41].Aux1, 11);
}

TEST(PhonTables, WeightMatrixSums)
{
    long total = 0;
    int lo = 0, hi = 0;
    std::array<long, 21> cols {};
    for (int i = 1; i <= 45; ++i)
        for (int j = 1; j <= 20; ++j) {
            const int w = TextScaleWeights[i][j];
            total += w;
            cols[j] += w;
            lo = std::min(lo, w);
            hi = std::max(hi, w);
        }
    EXPECT_EQ(total, 338);
    EXPECT_EQ(lo, -170);
    EXPECT_EQ(hi, 190);
    const long expectedCols[20] = { 32, -139, 226, -273, -465, -119, -107, -441, -143, -72,
                                    910, 170, -139, 263, 1000, -276, -168, -20, 69, 30 };
    for (int j = 1; j <= 20; ++j)
        EXPECT_EQ(cols[j], expectedCols[j - 1]) << "column " << j;

    const auto rowSum = [](int i) {
        long s = 0;
        for (int j = 1; j <= 20; ++j)
            s += TextScaleWeights[i][j];
        return s;
    };
    EXPECT_EQ(rowSum(1), 410);
    EXPECT_EQ(rowSum(27), -239);
    EXPECT_EQ(rowSum(45), -363);
    EXPECT_EQ(TextScaleWeights[4][12], 190);
    EXPECT_EQ(TextScaleWeights[43][12], -170);
}

TEST(PhonTables, CharacterClasses)
{
    EXPECT_EQ(CyrillicVowels.Size(), 18);
    EXPECT_EQ(SofteningLetters.Size(), 10);
    EXPECT_EQ(SoftenableConsonants.Size(), 15);
    EXPECT_EQ(RussianLetters.Size(), 64);
    EXPECT_EQ(HighSounds.Size(), 17);
    EXPECT_EQ(WordDelimiters.Size(), 54);

    const unsigned char HardSign = 0xDA, SoftSign = 0xDC, Yo = 0xA8, yo = 0xB8;
    EXPECT_TRUE(RussianLetters.Contains(HardSign));
    EXPECT_TRUE(RussianLetters.Contains(SoftSign));
    EXPECT_TRUE(SofteningLetters.Contains(SoftSign));
    for (unsigned char c : { 0xC5, 0xDE, 0xDF }) { // Е Ю Я
        EXPECT_TRUE(CyrillicVowels.Contains(c));
        EXPECT_TRUE(HighSounds.Contains(c));
    }
    for (const CharSet* set : { &CyrillicVowels, &SofteningLetters, &SoftenableConsonants, &RussianLetters, &HighSounds, &WordDelimiters }) {
        EXPECT_FALSE(set->Contains(Yo));
        EXPECT_FALSE(set->Contains(yo));
    }
    EXPECT_TRUE(RussianLetters.Contains(0xE1));        // б
    EXPECT_FALSE(SoftenableConsonants.Contains(0xE1)); // only capitals
    EXPECT_FALSE(HighSounds.Contains(0xE4));           // д

    for (unsigned char c : { '-', '\'', ' ', '\0', '\t', '_', '}', '=' })
        EXPECT_TRUE(WordDelimiters.Contains(c)) << int(c);
    for (unsigned char c : { '#', '0', '9', 'a', '<', '@', '|', '~', '\x7F' })
        EXPECT_FALSE(WordDelimiters.Contains(c)) << int(c);
    for (int c = 0x80; c <= 0xFF; ++c)
        EXPECT_FALSE(WordDelimiters.Contains(static_cast<unsigned char>(c)));
}
