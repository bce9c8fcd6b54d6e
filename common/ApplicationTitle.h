#pragma once
// Texts of the standard exception display.

#include <string>
#include <string_view>

// The caption of message boxes: the executable's file name without its folder and without
// everything from its first full stop on, its first letter in upper case and every other
// letter in lower case ("/usr/bin/VELLORAN.EXE" and "/usr/bin/velloran" give "Velloran").
std::string ApplicationTitle(std::string_view executablePath);

// The message with a full stop appended when its last character sorts after the full stop,
// so that a message already ending in ".", ")" or "!" is shown unchanged.
std::string WithClosingFullStop(std::string message);
