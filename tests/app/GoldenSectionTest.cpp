// The golden section of a text's vowels.
#include "GoldenSection.h"
#include "Win1251.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

std::vector<std::string> Lines(const QStringList& L)
{
    std::vector<std::string> lines;
    for (const QString& l : L)
        lines.push_back(QStringToAnsi(l));
    return lines;
}

TEST(GoldenSection, TargetIsTruncatedInExtendedPrecision)
{
    EXPECT_EQ(GoldenSectionTarget(5), 3);
    EXPECT_EQ(GoldenSectionTarget(100), 62);
    // The golden ratio itself, 0.6180339887, would give 189.
    EXPECT_EQ(GoldenSectionTarget(305), 188);
}

TEST(GoldenSection, FindsTheVowelByLineAndPosition)
{
    // Four vowels: no section.
    EXPECT_FALSE(FindGoldenVowel(Lines({"мама", "папа"})));
    // Ё and Latin vowels are not counted: still four.
    EXPECT_FALSE(FindGoldenVowel(Lines({"ёж AEIOU aeiou", "мама папа"})));

    // Five: the third vowel, the "у" of line 2, at position 4.
    const auto v = FindGoldenVowel(Lines({"ёж Ам", "сыру", "мёд ЕЮ"}));
    ASSERT_TRUE(v);
    EXPECT_EQ(v->Line, 1u);
    EXPECT_EQ(v->Pos, 4);
}

TEST(GoldenSection, ThreeHundredFiveVowelsMarkTheHundredEightyEighth)
{
    // "ба" 187 times, then "бу", then "бо" for the rest: vowel 188 is the "у".
    QString text = QStringLiteral("ба").repeated(187) + QStringLiteral("бу") + QStringLiteral("бо").repeated(117);
    const auto v = FindGoldenVowel(Lines({text.left(100), text.mid(100)}));
    ASSERT_TRUE(v);
    EXPECT_EQ(v->Line, 1u);
    EXPECT_EQ(QStringToAnsi(text.mid(100)).at(v->Pos - 1), QStringToAnsi(QStringLiteral("у")).at(0));
}

} // namespace
