#pragma once
// The document engine behind the automation layer: it answers the ProgIDs of
// the word processor that the system drives, "Word.Basic.8" and "Word.Basic"
// (the WordBasic command object), "Word.Application" (Visible, WordBasic) and
// "Word.Document" (a new document in the application), each also with ".8".
// Every object connects to the running application or starts a new one.
//
// WordBasic commands are called by name (case does not matter) with
// positional arguments, as WordBasic takes them; a command the engine does not
// know, a missing or wrong argument and a failing command raise EOleError.
#include "Automation.h"

// Each deliverable registers the engine once at start; a process without it
// is a machine without the word processor (creation fails, the registry has
// no "Word.Basic.8" class key).
void RegisterDocumentEngine();
void UnregisterDocumentEngine();

// WordBasic's colour numbers 0 (automatic) to 16; 1 black, 6 red, 9 dark blue.
constexpr int WordBasicColorCount = 17;
