// Any bytes can be fed: no crash, and the 45 counts add up to SoundCount.
#include "PhonText.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TFileViewMem model;
    model.Reset();
    // The first byte chooses the mode and whether the input is fed in two calls.
    const int mode = size > 0 ? data[0] & 1 : 0;
    const size_t split = size > 1 ? data[1] % size : size;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    model.ProcessString(text.substr(0, split), mode);
    for (size_t k = split; k < size && k < split + 8; ++k)
        model.ProcessChar(data[k], mode);
    if (split + 8 < size)
        model.ProcessString(text.substr(split + 8), mode);

    int64_t sum = 0;
    for (int i = 1; i <= SoundLetterCount; ++i)
        sum += model.Sounds[i].Count;
    if (sum != model.SoundCount || model.HighCount > model.SoundCount || model.VowelCount > model.SoundCount)
        std::abort();
    TPhonText::ClearScaleScores();
    model.ComputeProfile();
    return 0;
}
