// Any bytes read as a list page file (".FNF") in each window mode (the first
// byte chooses it): no fault; only the last record may be incomplete, and only
// when the reading stopped there (cut short, or at a marker, holding title and
// marker alone); whole records account for every byte when the reading
// reached the end; and those records written out read back to the same bytes.
#include "ChartFileFixtures.h"
#include "ChartFiles.h"

#include <cstdint>
#include <cstdlib>

namespace {

bool Whole(const TListPageRecord& R)
{
    return R.Lines.size() == 5;
}

std::string Written(const std::vector<TListPageRecord>& Records, size_t& Count)
{
    std::string b;
    Count = 0;
    for (const TListPageRecord& r : Records) {
        if (!Whole(r))
            break;
        ++Count;
        chartfiles::ListPageRecord w;
        w.Title = r.Title;
        w.Marker = *r.Marker;
        for (const TScaleEntry& e : *r.Scales)
            w.Scales.emplace_back(e.Name, e.Value);
        for (const TSoundEntry& e : *r.Sounds)
            w.Sounds.emplace_back(e.Z, e.Line);
        w.Lines = r.Lines;
        b += chartfiles::Bytes(w);
    }
    return b;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const int mode = data[0] % 5; // 0..3 and one mode that no window has
    const TListPageFile f = ReadListPageFile({ reinterpret_cast<const char*>(data) + 1, size - 1 }, mode);
    size_t whole = 0;
    const std::string written = Written(f.Records, whole);
    bool sound = false;
    switch (f.End) {
    case TReadEnd::AtEnd:
        sound = whole == f.Records.size() && written.size() == size - 1;
        break;
    case TReadEnd::CutShort:
        sound = whole + 1 >= f.Records.size() && written.size() < size - 1;
        break;
    case TReadEnd::Marker: {
        const TListPageRecord& last = f.Records.back();
        sound = whole + 1 == f.Records.size() && last.Marker && !last.Scales
            && ListPageMarkerStops(mode, *last.Marker) && written.size() + 2 * chartfiles::Str("").size() <= size - 1;
        break;
    }
    }
    if (!sound)
        std::abort();
    // Read back in a mode that stops at nothing.
    const TListPageFile back = ReadListPageFile(written, 1);
    size_t again = 0;
    if (back.End != TReadEnd::AtEnd || Written(back.Records, again) != written || again != whole)
        std::abort();
    return 0;
}
