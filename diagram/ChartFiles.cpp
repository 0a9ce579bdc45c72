#include "ChartFiles.h"

#include "Win1251.h"

#include <bit>
#include <utility>

namespace {

// Reads fields from the front of the bytes; a read that would pass the end
// takes nothing and answers false.
class TFieldReader {
public:
    explicit TFieldReader(std::string_view Bytes) : rest_(Bytes) {}

    bool AtEnd() const { return rest_.empty(); }

    bool Str(std::string& S)
    {
        if (rest_.size() < StrFieldSize)
            return false;
        const auto n = static_cast<unsigned char>(rest_[0]);
        S.assign(rest_.substr(1, n));
        rest_.remove_prefix(StrFieldSize);
        return true;
    }

    // Fills the optional field only when the whole field is there.
    bool Str(std::optional<std::string>& S)
    {
        std::string s;
        if (!Str(s))
            return false;
        S = std::move(s);
        return true;
    }

    bool Int32(int32_t& V)
    {
        uint64_t u = 0;
        if (!LittleEndian(Int32FieldSize, u))
            return false;
        V = static_cast<int32_t>(static_cast<uint32_t>(u));
        return true;
    }

    bool Real(double& V)
    {
        uint64_t u = 0;
        if (!LittleEndian(RealFieldSize, u))
            return false;
        V = std::bit_cast<double>(u);
        return true;
    }

    // Reads a count; a count of 0 or less is no entries. False when the count
    // is cut short or its entries of EntrySize bytes do not all remain.
    bool Count(size_t EntrySize, size_t& N)
    {
        int32_t n = 0;
        if (!Int32(n))
            return false;
        N = n > 0 ? static_cast<size_t>(n) : 0;
        return N <= rest_.size() / EntrySize;
    }

private:
    bool LittleEndian(size_t Size, uint64_t& U)
    {
        if (rest_.size() < Size)
            return false;
        U = 0;
        for (size_t i = Size; i-- > 0;)
            U = (U << 8) | static_cast<unsigned char>(rest_[i]);
        rest_.remove_prefix(Size);
        return true;
    }

    std::string_view rest_;
};

// Reads a count and then its entries of EntrySize bytes, each by ReadEntry.
template <typename Entry, typename ReadEntry>
bool ReadEntries(TFieldReader& In, size_t EntrySize, std::optional<std::vector<Entry>>& Entries, ReadEntry Read)
{
    size_t n = 0;
    if (!In.Count(EntrySize, n))
        return false;
    std::vector<Entry> entries;
    for (size_t i = 0; i < n; ++i)
        Read(entries.emplace_back());
    Entries = std::move(entries);
    return true;
}

// Appends up to N strings to Texts; false when one is cut short.
bool ReadStrs(TFieldReader& In, size_t N, std::vector<std::string>& Texts)
{
    std::string s;
    for (size_t i = 0; i < N; ++i) {
        if (!In.Str(s))
            return false;
        Texts.push_back(s);
    }
    return true;
}

bool ReadChartListRecord(TFieldReader& In, TChartListRecord& R)
{
    return ReadEntries(In, StrFieldSize, R.Lines, [&In](std::string& Line) { In.Str(Line); })
        && In.Str(R.Caption) && In.Str(R.CodingVerdict) && In.Str(R.RhythmVerdict);
}

bool ReadListPageEntries(TFieldReader& In, TListPageRecord& R)
{
    return ReadEntries(In, ScaleEntrySize, R.Scales,
                       [&In](TScaleEntry& E) {
                           In.Str(E.Name);
                           In.Real(E.Value);
                       })
        && ReadEntries(In, SoundEntrySize, R.Sounds,
                       [&In](TSoundEntry& E) {
                           In.Real(E.Z);
                           In.Str(E.Line);
                       })
        && ReadStrs(In, 5, R.Lines);
}

// The records of a file: each starts with a Str (its first field); Rest reads
// the others into the record and answers AtEnd to go on with the next record,
// else how the reading ends.
template <typename File, typename ReadRest>
File ReadRecords(std::string_view Bytes, ReadRest&& Rest)
{
    File f;
    TFieldReader in(Bytes);
    while (!in.AtEnd()) {
        std::string first;
        if (!in.Str(first)) {
            f.End = TReadEnd::CutShort;
            break;
        }
        auto& record = f.Records.emplace_back();
        const TReadEnd end = Rest(in, std::move(first), record);
        if (end != TReadEnd::AtEnd) {
            f.End = end;
            break;
        }
    }
    return f;
}

TReadEnd Continue(bool Whole)
{
    return Whole ? TReadEnd::AtEnd : TReadEnd::CutShort;
}

} // namespace

std::string WordMarker()
{
    return Ansi("Слово");
}

TChartListFile ReadChartListFile(std::string_view Bytes)
{
    return ReadRecords<TChartListFile>(Bytes, [](TFieldReader& In, std::string Title, TChartListRecord& R) {
        R.Title = std::move(Title);
        return Continue(ReadChartListRecord(In, R));
    });
}

bool ListPageMarkerStops(int Mode, const std::string& Marker)
{
    if (Mode == 0)
        return Marker == WordMarker();
    if (Mode == 3)
        return Marker != WordMarker();
    return false;
}

TListPageFile ReadListPageFile(std::string_view Bytes, int Mode)
{
    return ReadRecords<TListPageFile>(Bytes, [Mode](TFieldReader& In, std::string Title, TListPageRecord& R) {
        R.Title = std::move(Title);
        if (!In.Str(R.Marker))
            return TReadEnd::CutShort;
        if (ListPageMarkerStops(Mode, *R.Marker))
            return TReadEnd::Marker;
        return Continue(ReadListPageEntries(In, R));
    });
}

TLegendFile ReadLegendFile(std::string_view Bytes)
{
    return ReadRecords<TLegendFile>(Bytes, [](TFieldReader& In, std::string Caption, TLegendRecord& R) {
        R.Texts.push_back(std::move(Caption));
        return Continue(ReadStrs(In, LegendLabelCount, R.Texts));
    });
}
