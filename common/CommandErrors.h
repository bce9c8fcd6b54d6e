#pragma once
// The two ways a user command ends early. Both unwind to the command's handler, where
// RunCommand shows the message; nothing the command wrote before is rolled back.

#include <stdexcept>
#include <string>

// An error raised by a computation (a text that is not a number, a floating-point fault):
// shown by the standard exception display, with an error icon.
class CommandError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A check of the program's own that failed: its text is shown in a plain message box.
class CommandAbort : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Shows the text in a plain message box and ends the current user command silently.
[[noreturn]] inline void ShowMessageAndAbort(const std::string& text) {
    throw CommandAbort(text);
}
