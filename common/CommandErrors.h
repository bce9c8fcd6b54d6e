#pragma once
// The ways a user command ends early. Each unwinds to the command's handler, where RunCommand
// shows the message; nothing the command wrote before is rolled back.

#include <stdexcept>
#include <string>

// Any early end of a command, for callers that only need its message (a sweep point's status,
// a test's expectation) and not the way the window would show it.
class CommandFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An error raised by a computation (a text that is not a number, a floating-point fault):
// shown by the standard exception display, with an error icon.
class CommandError : public CommandFailure {
public:
    using CommandFailure::CommandFailure;
};

// A check of the program's own that failed: its text is shown in a plain message box.
class CommandAbort : public CommandFailure {
public:
    using CommandFailure::CommandFailure;
};

// Shows the text in a plain message box and ends the current user command silently.
[[noreturn]] inline void ShowMessageAndAbort(const std::string& text) {
    throw CommandAbort(text);
}
