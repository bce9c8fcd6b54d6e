#pragma once
// The one seam through which every message of the program reaches the user. The window
// program shows modal message boxes; tests record the texts; the command line prints them.

#include <string>

class MessageSink {
public:
    virtual ~MessageSink() = default;

    // The standard exception display: a box with an error icon.
    virtual void ShowErrorMessage(const std::string& text) = 0;

    // A box with one OK button and no icon.
    virtual void ShowPlainMessage(const std::string& text) = 0;
};
