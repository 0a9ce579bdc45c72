#include "FakeRecord.h"

// LEMV_FAKE_RESULT is the result, 1 when unset.
FAKE_EXPORT int FonoSemWrd(const char* Word)
{
    FakeCall("FonoSemWrd", Word, true);
    return FakeSetting("LEMV_FAKE_RESULT", 1);
}
