// The golden section of a text's vowels, and the command that marks it in the editor.
#include "AppTestSupport.h"
#include "GoldenSection.h"
#include "Speaker.h"
#include "Win1251.h"

#include <QPalette>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

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
    EXPECT_FALSE(FindGoldenVowel(AnsiLines({"мама", "папа"})));
    // Ё and Latin vowels are not counted: still four.
    EXPECT_FALSE(FindGoldenVowel(AnsiLines({"ёж AEIOU aeiou", "мама папа"})));

    // Five: the third vowel, the "у" of line 2, at position 4.
    const auto v = FindGoldenVowel(AnsiLines({"ёж Ам", "сыру", "мёд ЕЮ"}));
    ASSERT_TRUE(v);
    EXPECT_EQ(v->Line, 1u);
    EXPECT_EQ(v->Pos, 4);
}

TEST(GoldenSection, ThreeHundredFiveVowelsMarkTheHundredEightyEighth)
{
    // "ба" 187 times, then "бу", then "бо" for the rest: vowel 188 is the "у".
    QString text = QStringLiteral("ба").repeated(187) + QStringLiteral("бу") + QStringLiteral("бо").repeated(117);
    const auto v = FindGoldenVowel(AnsiLines({text.left(100), text.mid(100)}));
    ASSERT_TRUE(v);
    EXPECT_EQ(v->Line, 1u);
    EXPECT_EQ(QStringToAnsi(text.mid(100)).at(v->Pos - 1), QStringToAnsi(QStringLiteral("у")).at(0));
}

class GoldenSectionCommand : public MainFormFixture {
protected:
    struct TTones : ISpeaker {
        int Count = 0;
        void SquareWave(int, int) override { ++Count; }
    } Tones;

    void SetUp() override
    {
        MainFormFixture::SetUp();
        SetSpeakerLayer(&Tones);
    }
    void TearDown() override
    {
        SetSpeakerLayer(nullptr);
        MainFormFixture::TearDown();
    }

    // The text's colours, a letter per character: k black, g green, r red,
    // b blue, - none of its own; lines apart as in the text.
    QString Colours()
    {
        QString out;
        const QTextDocument* d = Editor()->document();
        for (QTextBlock b = d->begin(); b.isValid(); b = b.next()) {
            if (b != d->begin())
                out += QLatin1Char('\n');
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat f = it.fragment().charFormat();
                QChar mark = QLatin1Char('-');
                if (f.hasProperty(QTextFormat::ForegroundBrush)) {
                    const QColor c = f.foreground().color();
                    mark = c == QColor(0, 0, 0) ? 'k' : c == QColor(0, 128, 0) ? 'g' : c == QColor(255, 0, 0) ? 'r'
                        : c == QColor(0, 0, 255) ? 'b' : '?';
                }
                out += QString(it.fragment().length(), mark);
            }
        }
        return out;
    }

    // The editor holding Text, all of it blue.
    void BlueText(const QString& Text)
    {
        Editor()->setPlainText(Text);
        Editor()->selectAll();
        QTextCharFormat blue;
        blue.setForeground(QColor(0, 0, 255));
        Editor()->textCursor().mergeCharFormat(blue);
    }
};

TEST_F(GoldenSectionCommand, FiveVowelsMarkTheThirdInItsLine)
{
    BlueText(QStringLiteral("ёж Ам\nсыру\nмёд ЕЮ"));
    Run(&TMainForm::RunGoldenSection);
    EXPECT_EQ(Colours(), QStringLiteral("kkkkk\ngggr\nkkkkkk"));
    EXPECT_EQ(Tones.Count, 1);
    EXPECT_EQ(Editor()->textCursor().selectedText(), QStringLiteral("у"));
    EXPECT_TRUE(Modal.Seen.isEmpty());
    EXPECT_EQ(FakeLibs::Log(),
              (QStringList {"+tavrin", "CreateMyMessage", "ShowMyMessage", "DestroyMyMessage", "-tavrin"}));

    // A second run starts from black: only the newest mark stays.
    Editor()->setPlainText(QStringLiteral("ёж Ам\nсыру\nмёд ЕЮ ы"));
    Run(&TMainForm::RunGoldenSection);
    EXPECT_EQ(Colours(), QStringLiteral("kkkkk\nkkkk\nggggrggg"));
}

TEST_F(GoldenSectionCommand, FourVowelsOnlyTurnTheTextBlack)
{
    BlueText(QStringLiteral("ёлк мама\nAEIOU папа"));
    Run(&TMainForm::RunGoldenSection);
    EXPECT_EQ(Colours(), QStringLiteral("kkkkkkkk\nkkkkkkkkkk"));
    EXPECT_EQ(Tones.Count, 0);
    EXPECT_FALSE(Editor()->textCursor().hasSelection());
    EXPECT_EQ(Editor()->textCursor().position(), 0);
    EXPECT_TRUE(Modal.Seen.isEmpty());
}

TEST_F(GoldenSectionCommand, ALineThatOccursEarlierIsMarkedThere)
{
    // The target is the first vowel of the last line; its text stands earlier.
    Editor()->setPlainText(QStringLiteral("мама мыла\nмама мыла"));
    Run(&TMainForm::RunGoldenSection);
    EXPECT_EQ(Colours(), QStringLiteral("grggggggg\nkkkkkkkkk"));

    Editor()->setPlainText(QStringLiteral("ох, мама мыла\nмама мыла"));
    Run(&TMainForm::RunGoldenSection);
    EXPECT_EQ(Colours(), QStringLiteral("kkkkgrggggggg\nkkkkkkkkk"));
}

TEST_F(GoldenSectionCommand, NoBreakSpacesAndLineBreaksKeepTheMarkInPlace)
{
    // Two lines of one paragraph; the target is the vowel after the second
    // no-break space of the second line.
    Editor()->setPlainText(QString::fromUtf8("да\u2028п\u00A0ап\u00A0амаму"));
    Run(&TMainForm::RunGoldenSection);
    EXPECT_EQ(Colours(), QStringLiteral("kkkgggggrgggg"));
}

// A character of two UTF-16 units is two "?" in the lines, so the offset of
// the vowel in its line is the editor's: five vowels, the third the first "а"
// of the second line, after an emoji and before a 𝔸.
TEST_F(GoldenSectionCommand, TwoUnitCharactersKeepTheMarkInPlace)
{
    Editor()->setPlainText(QString::fromUtf8("ма😀ма\n😀па𝔸па\nо"));
    Run(&TMainForm::RunGoldenSection);
    EXPECT_EQ(Colours(), QStringLiteral("kkkkkk\ngggrgggg\nk"));
    EXPECT_EQ(Editor()->textCursor().selectedText(), QStringLiteral("а"));
}

TEST_F(GoldenSectionCommand, EmptyEditorOnlyTurnsTheDefaultColourBlack)
{
    QPalette pal = Editor()->palette();
    pal.setColor(QPalette::Text, Qt::blue);
    Editor()->setPalette(pal);
    Run(&TMainForm::RunGoldenSection);
    EXPECT_EQ(Editor()->palette().color(QPalette::Text), QColor(0, 0, 0));
    EXPECT_TRUE(Editor()->toPlainText().isEmpty());
    EXPECT_EQ(Tones.Count, 0);
    EXPECT_TRUE(Modal.Seen.isEmpty());
}

TEST_F(GoldenSectionCommand, WithoutTheWaitLibraryNothingIsMarked)
{
    FakeLibs::Use({"Tavrin.Dll"});
    BlueText(QStringLiteral("ёж Ам\nсыру\nмёд ЕЮ"));
    Run(&TMainForm::RunGoldenSection);
    EXPECT_EQ(Modal.Seen, QStringList {QStringLiteral("Ошибка при загрузке библиотеки Tavrin.Dll")});
    EXPECT_EQ(Colours(), QStringLiteral("bbbbb\nbbbb\nbbbbbb"));
    EXPECT_EQ(Tones.Count, 0);

    // A failure of the wait message ends the command, the message removed.
    FakeLibs::Use();
    FakeLibs::SetThrow(QStringLiteral("ShowMyMessage"));
    Run(&TMainForm::RunGoldenSection);
    EXPECT_EQ(FakeLibs::Log(),
              (QStringList {"+tavrin", "CreateMyMessage", "ShowMyMessage", "DestroyMyMessage", "-tavrin"}));
    EXPECT_EQ(Colours(), QStringLiteral("bbbbb\nbbbb\nbbbbbb"));
}

} // namespace
