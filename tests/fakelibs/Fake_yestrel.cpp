#include "FakeRecord.h"

// LEMV_FAKE_COLOR is the answer, 1 when unset.
FAKE_EXPORT int ColorPrinter()
{
    FakeCall("ColorPrinter");
    return FakeSetting("LEMV_FAKE_COLOR", 1);
}
