#include "CaseMap.h"
#include "TopList.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

TEST(CaseMap, Boundaries)
{
    struct Case { unsigned char in, up, low; };
    const Case cases[] = {
        { 0xFF, 0xDF, 0xFF }, // я
        { 0xE0, 0xC0, 0xE0 }, // а
        { 0xDF, 0xDF, 0xFF }, // Я
        { 0xC0, 0xC0, 0xE0 }, // А
        { 0xDA, 0xDA, 0xFA }, // Ъ
        { 0xB8, 0xB8, 0xB8 }, // ё
        { 0xA8, 0xA8, 0xA8 }, // Ё
        { 'a', 'a', 'a' },
        { 'Z', 'Z', 'Z' },
        { '7', '7', '7' },
        { 0xBF, 0xBF, 0xBF },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RusUpCase(c.in), c.up) << int(c.in);
        EXPECT_EQ(RusLowCase(c.in), c.low) << int(c.in);
    }
}

namespace {
std::vector<std::pair<double, int>> Entries(const TTopList& l)
{
    std::vector<std::pair<double, int>> v;
    for (int k = 1; k <= l.Count; ++k)
        v.emplace_back(l.Slots[k].Value, l.Slots[k].Index);
    return v;
}
} // namespace

TEST(TopList, OrderAndTies)
{
    ClearTopList();
    AddToTopList(1, 3);
    AddToTopList(2, 5);
    AddToTopList(3, 5);
    AddToTopList(4, 4);
    AddToTopList(5, -1);
    AddToTopList(6, 0);
    const std::vector<std::pair<double, int>> expected { { 5, 2 }, { 5, 3 }, { 4, 4 }, { 3, 1 }, { 0, 6 }, { -1, 5 } };
    EXPECT_EQ(Entries(TopList), expected);
}

TEST(TopList, TwentyScoresLeaveTheRestZeroAndAFullListDropsNewcomers)
{
    ClearTopList();
    for (int j = 1; j <= 25; ++j)
        AddToTopList(j, 100.0 + j);
    ClearTopList();
    for (int j = 1; j <= 20; ++j)
        AddToTopList(j, j);
    EXPECT_EQ(TopList.Count, 20);
    for (int k = 21; k <= 25; ++k) {
        EXPECT_EQ(TopList.Slots[k].Value, 0.0);
        EXPECT_EQ(TopList.Slots[k].Index, 0);
    }
    for (int j = 21; j <= 25; ++j)
        AddToTopList(j, j);
    const auto full = Entries(TopList);
    AddToTopList(99, 1e9);
    EXPECT_EQ(TopList.Count, 25);
    EXPECT_EQ(Entries(TopList), full);
    EXPECT_EQ(TopList.Slots[1].Index, 25);
}

TEST(TopList, SecondListIsIndependent)
{
    ClearTopList();
    TTopList words;
    ClearTopList(words);
    AddToTopList(words, 7, 2.5);
    EXPECT_EQ(words.Count, 1);
    EXPECT_EQ(TopList.Count, 0);
}

#include "SpeakerBeep.h"
#include "Speaker.h"

TEST(SpeakerBeep, OneToneThroughTheSpeakerAndAlwaysReturns)
{
    struct Recorder : ISpeaker {
        int tones = 0, hz = 0, periods = 0;
        void SquareWave(int h, int p) override { ++tones, hz = h, periods = p; }
    } rec;
    SetSpeakerLayer(&rec);
    SpeakerBeep();
    SetSpeakerLayer(nullptr);
    EXPECT_EQ(rec.tones, 1);
    EXPECT_GT(rec.hz, 0);
    EXPECT_GT(rec.periods, 0);
    SpeakerBeep(); // the real speaker: no sound output here, so the bell; returns
}
