#include "Automation.h"
#include "FakeClipboard.h"
#include "RecordingWord.h"
#include "Errors.h"
#include "PhonText.h"
#include "TopList.h"
#include "Win1251.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

struct Counts {
    int sounds, high, vowels, words;
};

Counts CountsOf(const TPhonText& m)
{
    return { m.SoundCount, m.HighCount, m.VowelCount, m.WordCount };
}

int CountOf(const TPhonText& m, const char* utf8Letter)
{
    return m.Sounds[TPhonText::FindSound(static_cast<unsigned char>(Ansi(utf8Letter)[0]))].Count;
}

// Counters, word state, pending character and the 45 counts agree.
void ExpectSameState(const TPhonText& a, const TPhonText& b)
{
    EXPECT_EQ(a.SoundCount, b.SoundCount);
    EXPECT_EQ(a.HighCount, b.HighCount);
    EXPECT_EQ(a.VowelCount, b.VowelCount);
    EXPECT_EQ(a.WordCount, b.WordCount);
    EXPECT_EQ(a.PendingChar, b.PendingChar);
    EXPECT_EQ(a.InWord, b.InWord);
    EXPECT_EQ(a.WordVowelSeen, b.WordVowelSeen);
    for (int i = 1; i <= 45; ++i)
        EXPECT_EQ(a.Sounds[i].Count, b.Sounds[i].Count) << "sound " << i;
}

TFileViewMem Fed(const char* utf8, int mode = 0)
{
    TFileViewMem m;
    m.Reset();
    m.ProcessString(Ansi(utf8), mode);
    return m;
}

} // namespace

TEST(TextModel, CountsFollowTheLookAheadAndTheWordRules)
{
    struct Case {
        const char* text;
        int mode;
        Counts expected;
    };
    const Case cases[] = {
        { "ДОМ", 0, { 2, 1, 1, 1 } },             // М stays pending
        { "ДОМ ", 0, { 3, 1, 1, 1 } },
        { "дом ", 0, { 3, 1, 1, 1 } },            // small letters count alike
        { "ДЕНЬ", 0, { 3, 3, 1, 1 } },            // soft д, Е, soft н; Ь pending
        { "Мама мыла раму.", 0, { 12, 2, 6, 3 } },
        { "ДОМ2ДОМ ", 0, { 6, 2, 2, 1 } },        // a digit does not end a word
        { "ёж ", 0, { 1, 1, 0, 0 } },             // ё no letter; ж no vowel
        { "Мама мыла раму.", 1, { 12, 2, 6, 0 } }, // mode 1 counts no words
        { "abc 123 #!", 0, { 0, 0, 0, 0 } },
        { "", 0, { 0, 0, 0, 0 } },
    };
    for (const Case& c : cases) {
        const TFileViewMem m = Fed(c.text, c.mode);
        const Counts got = CountsOf(m);
        EXPECT_EQ(got.sounds, c.expected.sounds) << c.text;
        EXPECT_EQ(got.high, c.expected.high) << c.text;
        EXPECT_EQ(got.vowels, c.expected.vowels) << c.text;
        EXPECT_EQ(got.words, c.expected.words) << c.text;
    }

    const TFileViewMem den = Fed("ДЕНЬ");
    EXPECT_EQ(CountOf(den, "д"), 1);
    EXPECT_EQ(CountOf(den, "н"), 1);
    EXPECT_EQ(CountOf(den, "Д"), 0);
    EXPECT_EQ(den.PendingChar, static_cast<unsigned char>(Ansi("Ь")[0]));
    EXPECT_EQ(CountOf(Fed("ёж "), "Ж"), 1);
}

TEST(TextModel, LinesFedOneAfterAnotherClassifyAcrossTheSeam)
{
    TFileViewMem m;
    m.Reset();
    m.ProcessString(Ansi("ДОМ"), 0);
    m.ProcessString(Ansi("Е"), 0); // М is softened by the next line's first letter
    EXPECT_EQ(CountOf(m, "м"), 1);
    EXPECT_EQ(CountOf(m, "М"), 0);
    EXPECT_EQ(m.WordCount, 1);
}

TEST(TextModel, SingleCharacterFeedMatchesStringFeed)
{
    const std::string text = Ansi("Съешь же ещё этих мягких французских булок, да выпей чаю! ДОМ2дом - Ёлка; Hello 42.");
    TFileViewMem a, b;
    a.Reset();
    b.Reset();
    a.ProcessString(text, 0);
    for (char c : text)
        b.ProcessChar(static_cast<unsigned char>(c), 0);
    ExpectSameState(a, b);
}

TEST(TextModel, ProfileOfDom)
{
    TFileViewMem m = Fed("ДОМ ");
    TPhonText::ClearScaleScores();
    m.ComputeProfile();
    const auto z = [&](const char* l) { return m.Sounds[TPhonText::FindSound(static_cast<unsigned char>(Ansi(l)[0]))].Z; };
    EXPECT_NEAR(z("Д"), 3.8765, 5e-5);
    EXPECT_NEAR(z("М"), 3.4207, 5e-5);
    EXPECT_NEAR(z("О"), 1.3239, 5e-5);
    int significant = 0;
    for (int i = 1; i <= 45; ++i)
        significant += std::fabs(m.Sounds[i].Z) >= 1.0;
    EXPECT_EQ(significant, 3);
    EXPECT_DOUBLE_EQ(m.SyllablesPerWord, 1.0);
    EXPECT_NEAR(TextScales[12].Value, 8.5386, 5e-5);
    EXPECT_NEAR(TextScales[1].Value, 5.8235, 5e-5);

    // A second profile without clearing adds the same contributions again.
    const double once12 = TextScales[12].Value;
    m.ComputeProfile();
    EXPECT_NEAR(TextScales[12].Value, 2 * once12, 1e-12);

    m.TakeSnapshot();
    EXPECT_EQ(m.Snapshot.SoundCount, 3);
    EXPECT_EQ(m.Snapshot.WordCount, 1);
    EXPECT_EQ(m.SnapshotSounds[TPhonText::FindSound(0xC4)].Count, 1);
    EXPECT_DOUBLE_EQ(m.SnapshotSounds[TPhonText::FindSound(0xC4)].Z, z("Д"));
}

TEST(TextModel, ProfileWithNothingCountedResetsAndKeepsScores)
{
    TPhonText::ClearScaleScores();
    TextScales[3].Value = 4.25;
    TFileViewMem m = Fed("1234 abc");
    m.SyllablesPerWord = 7;
    m.ComputeProfile();
    EXPECT_EQ(TextScales[3].Value, 4.25);
    EXPECT_EQ(m.SoundCount, 0);
    EXPECT_EQ(m.SyllablesPerWord, 0);
    EXPECT_EQ(m.PendingChar, ' ');

    TFileViewMem one = Fed("Мама мыла раму.", 1);
    one.SyllablesPerWord = 1.5;
    one.ComputeProfile();
    EXPECT_EQ(one.SyllablesPerWord, 1.5); // no words counted: the value stays
    TFileViewMem zero = Fed("Мама мыла раму.");
    zero.ComputeProfile();
    EXPECT_DOUBLE_EQ(zero.SyllablesPerWord, 2.0);
}

TEST(TextModel, FindSound)
{
    EXPECT_EQ(TPhonText::FindSound(0xC2), 1);  // В
    EXPECT_EQ(TPhonText::FindSound(0xF2), 27); // т
    EXPECT_EQ(TPhonText::FindSound(0xC8), 45); // И
    EXPECT_EQ(TPhonText::FindSound(0xDA), 0);  // Ъ
    EXPECT_EQ(TPhonText::FindSound(0xDC), 0);  // Ь
    EXPECT_EQ(TPhonText::FindSound(0xE0), 0);  // а has no soft entry
    EXPECT_EQ(TPhonText::FindSound('A'), 0);
}

TEST(TextModel, CounterOverflowRaises)
{
    TFileViewMem m;
    m.Reset();
    m.SoundCount = INT32_MAX - 1;
    m.ProcessString(Ansi("ДА"), 0);
    EXPECT_EQ(m.SoundCount, INT32_MAX);
    EXPECT_THROW(m.ProcessString(Ansi(" "), 0), EIntOverflow);
}

TEST(TextModel, ReadClipboardFeedsTheTerminatingZeroAndEmptiesTheClipboard)
{
    FakeClipboard clip;
    clip.text = QString::fromUtf8("ДОМ");
    SetClipboardLayer(&clip);
    TFileViewMem m;
    m.Reset();
    m.ReadClipboard();
    SetClipboardLayer(nullptr);
    EXPECT_EQ(m.SoundCount, 3); // М classified by the zero
    EXPECT_EQ(m.WordCount, 1);
    EXPECT_EQ(clip.clears, 1);
    EXPECT_FALSE(clip.has);
}

TEST(TextModel, WordDocumentWalk)
{
    TFileViewMem m;
    std::string note = "x";
    QStringList commands;
    {
        TRecordingWord word;
        word.Units = { QString::fromUtf8("Мама мыла раму. "), QString::fromUtf8("ДОМ ") };
        m.AnalyzeWordDocument(Ansi("Проба"), 0, note);
        commands = word.Commands();
    }
    EXPECT_EQ(m.Title, Ansi("Проба"));
    EXPECT_EQ(m.SoundCount, 15);
    EXPECT_EQ(m.WordCount, 4);
    EXPECT_EQ(m.Snapshot.SoundCount, 15);
    EXPECT_EQ(commands.mid(0, 4), (QStringList { "MenuMode", "StartOfDocument", "AtEndOfDocument", "SelectCurSentence" }));
    EXPECT_EQ(commands.count("SentRight"), 2);
    EXPECT_EQ(TopList.Count, 20);
}

TEST(TextModel, WordDocumentFallsBackToTheClipboardAndReportsATinyText)
{
    FakeClipboard clip;
    clip.has = false;
    SetClipboardLayer(&clip);
    TFileViewMem m;
    std::string note;
    QStringList commands;
    {
        TRecordingWord word;
        word.Units = { "abc" };
        word.FailAt = "Selection";
        m.AnalyzeWordDocument("t", 0, note);
        commands = word.Commands();
    }
    SetClipboardLayer(nullptr);
    EXPECT_TRUE(commands.contains("EditCopy"));
    EXPECT_EQ(note, Ansi("Слишком мал текст для анализа!"));
}

TEST(TextModel, WordDocumentWithoutWordFails)
{
    ASSERT_FALSE(HasAutomationEngine("Word.Basic"));
    TFileViewMem m;
    std::string note;
    EXPECT_THROW(m.AnalyzeWordDocument("t", 0, note), EOleError);
}

// The run feed against the character-by-character rules, on random Russian
// text and random bytes, from every word state, in both modes, with the run
// cut at random places.
TEST(TextModel, RunFeedMatchesCharacterFeed)
{
    std::mt19937 rng(7);
    const std::string alphabet = Ansi("аеиоуыэюяАЕИОУЫЭЮЯбвгдзклмнпрстфхБДТЬЪьъжщЖЩёЁ") + " .,-!?'\"()\t\r\n0123456789abcXYZ#@\x85\x96\x97\xA0";
    for (int round = 0; round < 400; ++round) {
        std::string text;
        const size_t n = rng() % 200;
        for (size_t k = 0; k < n; ++k)
            text += round % 4 == 3 ? static_cast<char>(rng() & 0xFF) : alphabet[rng() % alphabet.size()];
        const int mode = round % 3 == 2 ? 1 : 0;

        TFileViewMem fast, slow;
        fast.Reset();
        slow.Reset();
        fast.InWord = slow.InWord = rng() & 1;
        fast.WordVowelSeen = slow.WordVowelSeen = rng() & 1;
        const unsigned char pending = static_cast<unsigned char>(rng() & 0xFF);
        fast.PendingChar = slow.PendingChar = pending;

        size_t pos = 0;
        while (pos < text.size()) {
            const size_t len = 1 + rng() % 64;
            fast.ProcessString(std::string_view(text).substr(pos, len), mode);
            pos += len;
        }
        for (char c : text)
            slow.ProcessChar(static_cast<unsigned char>(c), mode);

        SCOPED_TRACE(round);
        ExpectSameState(fast, slow);
    }
}
