#pragma once
// The checks every companion-file fuzz target makes on a reading of Size
// bytes: only the last record may be incomplete, and only when the reading
// ended early; whole records account for every byte of a file read to its
// end; and those records, written out, read back to the same bytes.
// IsWhole(record) tells a whole record, BytesOf(record) writes one, and
// ReadBack(bytes) reads written bytes again.
#include "ChartFiles.h"

#include <cstdlib>
#include <string>
#include <vector>

template <typename Record, typename Whole, typename Write>
std::string WrittenWhole(const std::vector<Record>& Records, Whole IsWhole, Write BytesOf, size_t& Count)
{
    std::string b;
    Count = 0;
    for (const Record& r : Records) {
        if (!IsWhole(r))
            break;
        ++Count;
        b += BytesOf(r);
    }
    return b;
}

template <typename File, typename Whole, typename Write, typename Read>
void CheckReading(const File& F, size_t Size, Whole IsWhole, Write BytesOf, Read ReadBack)
{
    size_t whole = 0;
    const std::string written = WrittenWhole(F.Records, IsWhole, BytesOf, whole);
    const bool sound = F.End == TReadEnd::AtEnd ? whole == F.Records.size() && written.size() == Size
                                                : whole + 1 >= F.Records.size() && written.size() < Size;
    if (!sound)
        std::abort();
    const File back = ReadBack(written);
    size_t again = 0;
    if (back.End != TReadEnd::AtEnd || WrittenWhole(back.Records, IsWhole, BytesOf, again) != written
        || again != whole)
        std::abort();
}
