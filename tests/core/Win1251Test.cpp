#include "Win1251.h"

#include <gtest/gtest.h>

TEST(Win1251, RoundTripOfEveryByte)
{
    std::string all;
    for (int c = 0; c < 256; ++c)
        all += static_cast<char>(c);
    EXPECT_EQ(QStringToAnsi(AnsiToQString(all)), all);
}

TEST(Win1251, KnownCodesAndCharactersOutsideTheCodePage)
{
    EXPECT_EQ(AnsiToQString("\xC0\xFF\xA8\xB8\xB9\x85"), QString::fromUtf8("АяЁё№…"));
    EXPECT_EQ(Ansi("Ёж"), "\xA8\xE6");
    EXPECT_EQ(QStringToAnsi(QString::fromUtf8("a€中😀b")), "a\x88??b"); // one '?' per character
    EXPECT_EQ(Cut255(std::string(300, 'x')).size(), 255u);
    EXPECT_EQ(Cut255("abc"), "abc");
}

TEST(Win1251, LineBreaksLeftOutOnRequest)
{
    const QString text = QString::fromUtf8("дом\nа\u2028мы\u2029!");
    std::string out = "old contents";
    QStringToAnsi(text, out, true);
    EXPECT_EQ(out, Ansi("домамы!"));
    QStringToAnsi(text, out);
    EXPECT_EQ(out, Ansi("дом\nа?мы?!"));
}
