#pragma once
// What every fake does on a call: one line in the log, then the chosen failure.
#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

// Appends "<Export>" (or "<Export> <Arg>" when the export takes an argument)
// to the file named by LEMV_FAKE_LOG, then throws when LEMV_FAKE_THROW names
// the export.
void FakeCall(const char* Export, const char* Arg = nullptr, bool HasArg = false);
// An integer environment setting, Default when unset.
int FakeSetting(const char* Name, int Default);
