#pragma once
// Checks of option values that several commands share.

#include <CLI/Validators.hpp>

// A file name: an empty one names no file, and would otherwise pass for "not given".
inline const CLI::Validator NonEmptyFileName(
    [](std::string& value) {
        return value.empty() ? std::string("needs a file name") : std::string();
    },
    "", "FILE");
