#include "FakeRecord.h"

FAKE_EXPORT void GenWords() { FakeCall("GenWords"); }
