#include "FakeRecord.h"

FAKE_EXPORT void AboutLemvora() { FakeCall("AboutLemvora"); }
