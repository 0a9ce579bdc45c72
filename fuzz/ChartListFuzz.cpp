// Any bytes read as the list file of a chart page (".CNF"): no fault; only the
// last record may be incomplete, and only when the reading was cut short;
// whole records account for every byte when the reading reached the end; and
// those records written out read back to the same bytes.
#include "ChartFileFixtures.h"
#include "ChartFiles.h"

#include <cstdint>
#include <cstdlib>

namespace {

std::string Written(const std::vector<TChartListRecord>& Records, size_t& Whole)
{
    std::string b;
    Whole = 0;
    for (const TChartListRecord& r : Records) {
        if (!r.RhythmVerdict)
            break;
        ++Whole;
        b += chartfiles::Bytes(chartfiles::ChartListRecord { r.Title, *r.Lines, *r.Caption, *r.CodingVerdict,
                                                             *r.RhythmVerdict, {} });
    }
    return b;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const TChartListFile f = ReadChartListFile({ reinterpret_cast<const char*>(data), size });
    size_t whole = 0;
    const std::string written = Written(f.Records, whole);
    if (f.End == TReadEnd::AtEnd ? whole != f.Records.size() || written.size() != size
                                 : f.End != TReadEnd::CutShort || whole + 1 < f.Records.size() || written.size() >= size)
        std::abort();
    const TChartListFile back = ReadChartListFile(written);
    size_t again = 0;
    if (back.End != TReadEnd::AtEnd || Written(back.Records, again) != written || again != whole)
        std::abort();
    return 0;
}
