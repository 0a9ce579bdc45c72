// Any bytes read as the list file of a chart page (".CNF"): no fault, and the
// checks of every companion file (ChartFileChecks.h).
#include "ChartFileChecks.h"
#include "ChartFileFixtures.h"
#include "ChartFiles.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const TChartListFile f = ReadChartListFile({ reinterpret_cast<const char*>(data), size });
    if (f.End == TReadEnd::Marker)
        std::abort();
    CheckReading(
        f, size, [](const TChartListRecord& R) { return R.RhythmVerdict.has_value(); },
        [](const TChartListRecord& R) {
            return chartfiles::Bytes(
                chartfiles::ChartListRecord { R.Title, *R.Lines, *R.Caption, *R.CodingVerdict, *R.RhythmVerdict, {} });
        },
        ReadChartListFile);
    return 0;
}
