#pragma once
// The companion files of a chart file (".CNF" list of the chart page, ".FNF"
// list page, ".CNA" legend), read from their bytes. A file is a run of records
// with no header; a record is read while bytes remain. Fields: Str, 256 bytes
// (a length byte, up to 255 Windows-1251 characters, padding); Int32, 4 bytes
// little-endian; Real, an 8-byte little-endian double.
//
// The readers trust no count: a field is taken only when all its bytes are
// there, and a count only when its entries fit in what remains of the file.
// Otherwise the reading stops at that record (End = CutShort) and the record
// keeps the fields read before. Nothing is allocated by a count.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

constexpr size_t StrFieldSize = 256;
constexpr size_t Int32FieldSize = 4;
constexpr size_t RealFieldSize = 8;
constexpr size_t ScaleEntrySize = StrFieldSize + RealFieldSize;
constexpr size_t SoundEntrySize = RealFieldSize + StrFieldSize;
constexpr int LegendLabelCount = 5;

// How a reading ended: at the end of the file, at a record whose marker
// stops it (list page files), or at a record cut short.
enum class TReadEnd { AtEnd, Marker, CutShort };

// The marker of a word-analysis page (Windows-1251 "Слово").
std::string WordMarker();

// ".CNF": title, n, n list lines, caption, coding verdict, rhythm verdict.
// A record is listed once its title has been read; the fields after it are
// empty (nullopt) where the reading stopped.
struct TChartListRecord {
    std::string Title;
    std::optional<std::vector<std::string>> Lines; // empty for a count of 0 or less
    std::optional<std::string> Caption;
    std::optional<std::string> CodingVerdict;
    std::optional<std::string> RhythmVerdict;
};
struct TChartListFile {
    std::vector<TChartListRecord> Records;
    TReadEnd End = TReadEnd::AtEnd;
};
TChartListFile ReadChartListFile(std::string_view Bytes);

// ".FNF": title, marker, m scale entries (name, value), k sound entries
// (deviation, line), then the sound total, syllables, high share, coding
// verdict and rhythm verdict lines.
struct TScaleEntry {
    std::string Name; // the whole name as stored
    double Value = 0;
};
struct TSoundEntry {
    double Z = 0;
    std::string Line;
};
struct TListPageRecord {
    std::string Title;
    std::optional<std::string> Marker;
    std::optional<std::vector<TScaleEntry>> Scales;
    std::optional<std::vector<TSoundEntry>> Sounds;
    std::vector<std::string> Lines; // the five lines read whole, in file order
};
struct TListPageFile {
    std::vector<TListPageRecord> Records;
    TReadEnd End = TReadEnd::AtEnd;
};
// In mode 0 a record marked as a word ends the reading, in mode 3 a record
// marked otherwise; the stopping record holds its title and marker only.
// Other modes read every record.
TListPageFile ReadListPageFile(std::string_view Bytes, int Mode);
bool ListPageMarkerStops(int Mode, const std::string& Marker);

// ".CNA": six Str per record, the tab caption and the five legend captions.
// Texts holds those read whole (1 to 6).
struct TLegendRecord {
    std::vector<std::string> Texts;
};
struct TLegendFile {
    std::vector<TLegendRecord> Records;
    TReadEnd End = TReadEnd::AtEnd;
};
TLegendFile ReadLegendFile(std::string_view Bytes);
