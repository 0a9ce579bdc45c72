// Any bytes read as a legend file (".CNA"): no fault; every record but a last
// cut-short one holds its six strings; whole records account for every byte
// when the reading reached the end; and they read back the same when written.
#include "ChartFileFixtures.h"
#include "ChartFiles.h"

#include <cstdint>
#include <cstdlib>

namespace {

std::string Written(const std::vector<TLegendRecord>& Records, size_t& Whole)
{
    std::string b;
    Whole = 0;
    for (const TLegendRecord& r : Records) {
        if (r.Texts.size() != 1 + LegendLabelCount)
            break;
        ++Whole;
        b += chartfiles::LegendBytes(r.Texts);
    }
    return b;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const TLegendFile f = ReadLegendFile({ reinterpret_cast<const char*>(data), size });
    size_t whole = 0;
    const std::string written = Written(f.Records, whole);
    if (f.End == TReadEnd::AtEnd ? whole != f.Records.size() || written.size() != size
                                 : f.End != TReadEnd::CutShort || whole + 1 < f.Records.size() || written.size() >= size)
        std::abort();
    const TLegendFile back = ReadLegendFile(written);
    size_t again = 0;
    if (back.End != TReadEnd::AtEnd || Written(back.Records, again) != written || again != whole)
        std::abort();
    return 0;
}
