#pragma once
// The upper bound of a test's wait for an event: a window exposed or active, a
// message shown, a program started or ended. A wait ends as soon as its event
// comes, so the bound only decides when a test gives up; it is generous
// because a loaded machine may keep a test from running for a long while.
constexpr int EventWaitMs = 60000;
