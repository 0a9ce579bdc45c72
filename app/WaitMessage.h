#pragma once
// The wait message of the library "Tavrin.Dll" around a long command.
#include <functional>

// Loads the library (a failed load is reported and nothing runs), creates and
// shows the message, runs Work, removes the message and unloads the library.
// Work may remove the message earlier through the function it is handed; the
// text command does so before its modal window. Any failure after the load
// removes the message, unloads the library and ends quietly.
void WithWaitMessage(const std::function<void(const std::function<void()>& RemoveMessage)>& Work);
