#include "ChartFileFixtures.h"
#include "ChartFiles.h"
#include "Win1251.h"

#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>

using namespace chartfiles;

namespace {

std::vector<std::string> Strings(std::initializer_list<const char*> Utf8)
{
    std::vector<std::string> r;
    for (const char* s : Utf8)
        r.push_back(Ansi(s));
    return r;
}

ListPageRecord SampleListRecord(const std::string& Title, const std::string& Marker)
{
    ListPageRecord r;
    r.Title = Title;
    r.Marker = Marker;
    r.Scales = { { Ansi("ПРЕКРАСНЫЙ"), 9.5 }, { Ansi("ЗЛОВЕЩИЙ"), -1.25 } };
    r.Sounds = { { -0.456, Ansi("Б  12 (-0,46)") } };
    r.Lines = Strings({ "Всего звукобукв: 200", "Средняя длина слова в слогах: 2,10",
                        "Доля высоких звуков: 28,50 %", "ОРИЕНТАЦИЯ НА МЯГКОЕ КОДИРОВАНИЕ", "РИТМИЧНОСТЬ СРЕДНЯЯ" });
    return r;
}

} // namespace

TEST(ChartListFile, EmptyFileHoldsNoRecord)
{
    const TChartListFile f = ReadChartListFile({});
    EXPECT_TRUE(f.Records.empty());
    EXPECT_EQ(f.End, TReadEnd::AtEnd);
}

TEST(ChartListFile, RecordsWithTheirLinesInFileOrder)
{
    ChartListRecord a { Ansi("Первый"), Strings({ "строка 1", "строка 2" }), Ansi("подпись"), Ansi("код"), Ansi("ритм"), {} };
    ChartListRecord b { Ansi("Второй"), Strings({ "строка 3" }), "", "", "", {} };
    ASSERT_EQ(Bytes(a).size(), 1540u);
    const TChartListFile f = ReadChartListFile(Bytes(a) + Bytes(b));
    ASSERT_EQ(f.Records.size(), 2u);
    EXPECT_EQ(f.End, TReadEnd::AtEnd);
    EXPECT_EQ(f.Records[0].Title, a.Title);
    EXPECT_EQ(*f.Records[0].Lines, a.Lines);
    EXPECT_EQ(*f.Records[0].Caption, a.Caption);
    EXPECT_EQ(*f.Records[0].CodingVerdict, a.CodingVerdict);
    EXPECT_EQ(*f.Records[0].RhythmVerdict, a.RhythmVerdict);
    EXPECT_EQ(f.Records[1].Title, b.Title);
    EXPECT_EQ(*f.Records[1].Lines, b.Lines);
}

TEST(ChartListFile, CountOfZeroOrLessReadsNoLineAndTheCaptionFollows)
{
    for (int32_t count : { 0, -1, INT32_MIN }) {
        ChartListRecord r { "t", {}, "caption", "c", "r", count };
        const TChartListFile f = ReadChartListFile(Bytes(r));
        ASSERT_EQ(f.Records.size(), 1u) << count;
        EXPECT_EQ(f.End, TReadEnd::AtEnd) << count;
        EXPECT_TRUE(f.Records[0].Lines->empty()) << count;
        EXPECT_EQ(*f.Records[0].Caption, "caption") << count;
        EXPECT_EQ(*f.Records[0].RhythmVerdict, "r") << count;
    }
}

TEST(ChartListFile, StringTakesItsLengthByteAndIgnoresThePadding)
{
    const std::string longest(255, 'x');
    std::string bytes = Bytes(ChartListRecord { longest, {}, "", "", "", {} });
    bytes[256 + 4 + 5] = 'p'; // inside the caption's padding
    const TChartListFile f = ReadChartListFile(bytes);
    ASSERT_EQ(f.Records.size(), 1u);
    EXPECT_EQ(f.Records[0].Title, longest);
    EXPECT_EQ(*f.Records[0].Caption, "");
}

// A record cut short stops the reading there: the records before stay whole,
// the cut one keeps the fields that arrived whole, and no count is trusted.
TEST(ChartListFile, RecordCutShortKeepsWhatWasRead)
{
    const ChartListRecord whole { "one", { "a", "b" }, "cap", "cod", "rhy", {} };
    const std::string first = Bytes(whole);
    struct Case {
        const char* what;
        std::string bytes;
        size_t records;
        int fieldsOfLast; // 0 title only, 1 lines, 2 caption, 3 coding verdict
    };
    const std::vector<Case> cases = {
        { "title cut", first + std::string(100, 'x'), 1, 4 },
        { "count cut", first + Str("two") + std::string("\x02\x00", 2), 2, 0 },
        { "count beyond the file", first + Str("two") + Int32(3) + Str("a") + Str("b"), 2, 0 },
        { "largest count", first + Str("two") + Int32(INT32_MAX) + std::string(4096, 'x'), 2, 0 },
        { "lines whole, caption cut", first + Str("two") + Int32(1) + Str("a") + std::string(255, 'x'), 2, 1 },
        { "rhythm verdict cut", first.substr(0, first.size() - 1), 1, 3 },
    };
    for (const Case& c : cases) {
        const TChartListFile f = ReadChartListFile(c.bytes);
        EXPECT_EQ(f.End, TReadEnd::CutShort) << c.what;
        ASSERT_EQ(f.Records.size(), c.records) << c.what;
        if (c.records == 2) {
            EXPECT_TRUE(f.Records[0].RhythmVerdict) << c.what;
        }
        if (c.fieldsOfLast == 4)
            continue;
        const TChartListRecord& last = f.Records.back();
        EXPECT_EQ(last.Lines.has_value(), c.fieldsOfLast >= 1) << c.what;
        EXPECT_EQ(last.Caption.has_value(), c.fieldsOfLast >= 2) << c.what;
        EXPECT_EQ(last.CodingVerdict.has_value(), c.fieldsOfLast >= 3) << c.what;
        EXPECT_FALSE(last.RhythmVerdict) << c.what;
    }
}

TEST(ListPageFile, TwoRecordsInOrderWithTheirEntries)
{
    ListPageRecord a = SampleListRecord(Ansi("Первый"), "");
    ListPageRecord b = SampleListRecord(Ansi("Второй"), "x");
    b.Scales = { { std::string(20, 'N'), 12.0 } };
    b.Sounds.clear();
    b.Lines = { "1", "2", "3", "4", "5" };
    ASSERT_EQ(Bytes(a).size(), 1800u + 264u * 3);
    const TListPageFile f = ReadListPageFile(Bytes(a) + Bytes(b), 0);
    EXPECT_EQ(f.End, TReadEnd::AtEnd);
    ASSERT_EQ(f.Records.size(), 2u);
    const TListPageRecord& r = f.Records[0];
    EXPECT_EQ(r.Title, a.Title);
    EXPECT_EQ(*r.Marker, "");
    ASSERT_EQ(r.Scales->size(), 2u);
    EXPECT_EQ((*r.Scales)[1].Name, Ansi("ЗЛОВЕЩИЙ"));
    EXPECT_EQ((*r.Scales)[1].Value, -1.25);
    ASSERT_EQ(r.Sounds->size(), 1u);
    EXPECT_EQ((*r.Sounds)[0].Z, -0.456);
    EXPECT_EQ((*r.Sounds)[0].Line, Ansi("Б  12 (-0,46)"));
    EXPECT_EQ(r.Lines, a.Lines);
    EXPECT_EQ((*f.Records[1].Scales)[0].Name, std::string(20, 'N'));
    EXPECT_TRUE(f.Records[1].Sounds->empty());
    EXPECT_EQ(f.Records[1].Lines, b.Lines);
}

// Mode 0 stops at a word record, mode 3 at any other; the stopping record
// holds its title and marker only. Other modes read everything.
TEST(ListPageFile, MarkerStopsTheReadingByMode)
{
    const std::string word = Ansi("Слово");
    struct Case {
        int mode;
        std::string marker;
        bool stops;
    };
    const std::vector<Case> cases = {
        { 0, word, true }, { 0, "", false }, { 0, Ansi("Слово "), false }, { 0, Ansi("слово"), false },
        { 3, "", true }, { 3, Ansi("Слов"), true }, { 3, word, false },
        { 1, word, false }, { 2, "", false },
    };
    for (const Case& c : cases) {
        const std::string bytes = Bytes(SampleListRecord("first", c.marker)) + Bytes(SampleListRecord("second", c.marker));
        const TListPageFile f = ReadListPageFile(bytes, c.mode);
        const std::string label = std::to_string(c.mode) + " '" + AnsiToQString(c.marker).toStdString() + "'";
        if (c.stops) {
            EXPECT_EQ(f.End, TReadEnd::Marker) << label;
            ASSERT_EQ(f.Records.size(), 1u) << label;
            EXPECT_EQ(f.Records[0].Title, "first") << label;
            EXPECT_EQ(*f.Records[0].Marker, c.marker) << label;
            EXPECT_FALSE(f.Records[0].Scales) << label;
            EXPECT_TRUE(f.Records[0].Lines.empty()) << label;
        } else {
            EXPECT_EQ(f.End, TReadEnd::AtEnd) << label;
            EXPECT_EQ(f.Records.size(), 2u) << label;
        }
    }
}

TEST(ListPageFile, CountsOfZeroOrLessReadNoEntries)
{
    for (int32_t count : { 0, -5, INT32_MIN }) {
        ListPageRecord r = SampleListRecord("t", "");
        r.Scales.clear();
        r.Sounds.clear();
        r.ScaleCount = count;
        r.SoundCount = count;
        const TListPageFile f = ReadListPageFile(Bytes(r), 0);
        ASSERT_EQ(f.Records.size(), 1u) << count;
        EXPECT_EQ(f.End, TReadEnd::AtEnd) << count;
        EXPECT_TRUE(f.Records[0].Scales->empty()) << count;
        EXPECT_TRUE(f.Records[0].Sounds->empty()) << count;
        EXPECT_EQ(f.Records[0].Lines, r.Lines) << count;
    }
}

TEST(ListPageFile, RecordCutShortKeepsWhatWasRead)
{
    const std::string whole = Bytes(SampleListRecord("t", ""));
    const size_t afterScales = 516 + 264 * 2; // the sound count's offset
    struct Case {
        const char* what;
        std::string bytes;
        bool marker, scales, sounds;
        size_t lines;
    };
    std::string scaleCountTooBig = whole.substr(0, 512) + Int32(3) + whole.substr(516, 264 * 2) + Int32(0);
    std::string soundCountTooBig = whole.substr(0, afterScales) + Int32(10) + whole.substr(afterScales + 4);
    const std::vector<Case> cases = {
        { "marker cut", whole.substr(0, 300), false, false, false, 0 },
        { "scale count beyond the file", scaleCountTooBig, true, false, false, 0 },
        { "largest scale count", whole.substr(0, 512) + Int32(INT32_MAX) + whole.substr(516), true, false, false, 0 },
        { "sound count beyond the file", soundCountTooBig, true, true, false, 0 },
        { "third line cut", whole.substr(0, whole.size() - 2 * 256 - 10), true, true, true, 2 },
    };
    for (const Case& c : cases) {
        const TListPageFile f = ReadListPageFile(c.bytes, 0);
        EXPECT_EQ(f.End, TReadEnd::CutShort) << c.what;
        ASSERT_EQ(f.Records.size(), 1u) << c.what;
        const TListPageRecord& r = f.Records[0];
        EXPECT_EQ(r.Title, "t") << c.what;
        EXPECT_EQ(r.Marker.has_value(), c.marker) << c.what;
        EXPECT_EQ(r.Scales.has_value(), c.scales) << c.what;
        EXPECT_EQ(r.Sounds.has_value(), c.sounds) << c.what;
        EXPECT_EQ(r.Lines.size(), c.lines) << c.what;
    }
}

TEST(LegendFile, RecordsOfSixStringsAndACutOneKeepsItsWholeStrings)
{
    const std::vector<std::string> first = Strings({ "Легенда", "один", "два", "три", "четыре", "пять" });
    const std::vector<std::string> second = Strings({ "Вторая", "1", "2", "3", "4", "5" });
    ASSERT_EQ(LegendBytes(first).size(), 1536u);
    const TLegendFile f = ReadLegendFile(LegendBytes(first) + LegendBytes(second));
    EXPECT_EQ(f.End, TReadEnd::AtEnd);
    ASSERT_EQ(f.Records.size(), 2u);
    EXPECT_EQ(f.Records[0].Texts, first);
    EXPECT_EQ(f.Records[1].Texts, second);

    const TLegendFile cut = ReadLegendFile(LegendBytes(first) + LegendBytes({ "a", "b", "c" }) + "x");
    EXPECT_EQ(cut.End, TReadEnd::CutShort);
    ASSERT_EQ(cut.Records.size(), 2u);
    EXPECT_EQ(cut.Records[1].Texts, (std::vector<std::string> { "a", "b", "c" }));
    EXPECT_TRUE(ReadLegendFile({}).Records.empty());
}
