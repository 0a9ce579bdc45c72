// Any bytes read as a list page file (".FNF") in each window mode (the first
// byte chooses it): no fault; a reading stopped at a marker ends at a record
// holding its title and marker alone; and the checks of every companion file
// (ChartFileChecks.h).
#include "ChartFileChecks.h"
#include "ChartFileFixtures.h"
#include "ChartFiles.h"

#include <cstdint>
#include <cstdlib>

namespace {

std::string BytesOf(const TListPageRecord& R)
{
    chartfiles::ListPageRecord w;
    w.Title = R.Title;
    w.Marker = *R.Marker;
    for (const TScaleEntry& e : *R.Scales)
        w.Scales.emplace_back(e.Name, e.Value);
    for (const TSoundEntry& e : *R.Sounds)
        w.Sounds.emplace_back(e.Z, e.Line);
    w.Lines = R.Lines;
    return chartfiles::Bytes(w);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const int mode = data[0] % 5; // 0..3 and one mode that no window has
    const TListPageFile f = ReadListPageFile({ reinterpret_cast<const char*>(data) + 1, size - 1 }, mode);
    if (f.End == TReadEnd::Marker) {
        const TListPageRecord& last = f.Records.back();
        if (!last.Marker || last.Scales || !ListPageMarkerStops(mode, *last.Marker))
            std::abort();
    }
    // Written records are read back in a mode that stops at nothing.
    CheckReading(
        f, size - 1, [](const TListPageRecord& R) { return R.Lines.size() == 5; }, BytesOf,
        [](const std::string& Bytes) { return ReadListPageFile(Bytes, 1); });
    return 0;
}
