#pragma once
// Runs one user command and shows how it ended, so that every handler reports its errors
// the same way and the program carries on afterwards.

#include <functional>

#include "common/MessageSink.h"

// Runs the command. A CommandError is shown by the standard exception display (a full stop
// appended where the rule asks for one); a CommandAbort's text in a plain box. Returns true
// when the command ran to its end.
bool RunCommand(MessageSink& messages, const std::function<void()>& command);
