// Any bytes read as a legend file (".CNA"): no fault, and the checks of every
// companion file (ChartFileChecks.h).
#include "ChartFileChecks.h"
#include "ChartFileFixtures.h"
#include "ChartFiles.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const TLegendFile f = ReadLegendFile({ reinterpret_cast<const char*>(data), size });
    if (f.End == TReadEnd::Marker)
        std::abort();
    CheckReading(
        f, size, [](const TLegendRecord& R) { return R.Texts.size() == 1 + LegendLabelCount; },
        [](const TLegendRecord& R) { return chartfiles::LegendBytes(R.Texts); }, ReadLegendFile);
    return 0;
}
