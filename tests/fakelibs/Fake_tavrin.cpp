#include "FakeRecord.h"

FAKE_EXPORT void CreateMyMessage() { FakeCall("CreateMyMessage"); }
FAKE_EXPORT void ShowMyMessage() { FakeCall("ShowMyMessage"); }
FAKE_EXPORT void DestroyMyMessage() { FakeCall("DestroyMyMessage"); }
