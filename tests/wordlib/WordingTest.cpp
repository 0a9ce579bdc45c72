// The middle word of an entry, the Russian-word check and the upper-casing.
#include "Win1251.h"
#include "Wording.h"

#include <gtest/gtest.h>

TEST(MiddleWord, TakesTheRunAroundTheMiddle)
{
    const struct {
        const char* entry;
        const char* word;
    } cases[] = {
        { "КОТ ПЕС", "КОТ" },  // middle position 3 lies in the first word
        { "ДОМ И САД", "" },   // middle position 4 is a blank
        { "КОТ1", "КОТ1" },    // digits are word characters
        { "CAT", "CAT" },
        { "Ё", "" },           // one character gives nothing
        { "", "" },
        { "КО", "КО" },
        { "(СЛОН)", "СЛОН" },  // delimiters next to the word stay out
        { "АБ-ВГД", "" },      // the middle character ends a word
        { "А-Б", "А" },        // L = 3: the middle position is 1
        { "ДОМ#САД", "ДОМ#САД" },
        { "СЕРЫЙ ВОЛК", "СЕРЫЙ" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(MiddleWord(Ansi(c.entry)), Ansi(c.word)) << c.entry;
}

TEST(IsRusWord, AcceptsOnlyRussianLetters)
{
    const struct {
        const char* word;
        bool russian;
    } cases[] = {
        { "КОТ", true }, { "кот", true }, { "КОТ1", false }, { "CAT", false }, { "ЁЖ", true },
        { "ёж", true },  { "ЕЖ", true },  { "Я", true },   { "", false },     { "КОТ ПЕС", true }, { "КО#Т", false },
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsRusWord(Ansi(c.word)), c.russian) << c.word;
}

TEST(AnsiUpperCase, RaisesCyrillicAndLatinKeepingTheLength)
{
    EXPECT_EQ(AnsiUpperCase(Ansi("кот ёж cat 12")), Ansi("КОТ ЁЖ CAT 12"));
    // µ has no capital in the code page: it stays.
    const std::string micro = "\xB5";
    EXPECT_EQ(AnsiUpperCase(micro), micro);
}
