#include "FakeRecord.h"

#include <cstdlib>
#include <string>

namespace {
std::string g_unit;
}

// LEMV_FAKE_CORVANE holds the Windows-1251 unit name, "СЛОВО" when unset.
FAKE_EXPORT const char* CreateCorvane()
{
    FakeCall("CreateCorvane");
    const char* unit = std::getenv("LEMV_FAKE_CORVANE");
    g_unit = unit ? unit : "\xD1\xCB\xCE\xC2\xCE";
    return g_unit.c_str();
}
FAKE_EXPORT void InputCorvane(const char* Token) { FakeCall("InputCorvane", Token, true); }
FAKE_EXPORT void OutputCorvane(const char* FileName) { FakeCall("OutputCorvane", FileName, true); }
FAKE_EXPORT void DestroyCorvane()
{
    FakeCall("DestroyCorvane");
    g_unit.clear();
}
