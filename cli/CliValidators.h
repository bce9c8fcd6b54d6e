#pragma once
// Checks of option values that several commands share.

#include <CLI/Validators.hpp>
#include <charconv>
#include <cstdint>
#include <string>

// A file name: an empty one names no file, and would otherwise pass for "not given".
inline const CLI::Validator NonEmptyFileName(
    [](std::string& value) {
        return value.empty() ? std::string("needs a file name") : std::string();
    },
    "", "FILE");

// A file that the command writes whole. "-" is standard output wherever an output is named,
// and an output of whole files alone cannot go there: refused, rather than written into a
// file named "-" that may be an input.
inline const CLI::Validator WholeFileName(
    [](std::string& value) {
        if (value == "-") {
            return std::string(
                "writes a file, not standard output ('-'); for a file named -, "
                "give ./-");
        }
        return value.empty() ? std::string("needs a file name") : std::string();
    },
    "", "FILE");

// Any option's value: an empty one would pass for "not given" where the option is optional.
inline const CLI::Validator NonEmptyValue(
    [](std::string& value) { return value.empty() ? std::string("needs a value") : std::string(); },
    "", "");

// A count of things to start (threads): the message names the bound, not the type's range.
inline const CLI::Validator AtLeastOne(
    [](std::string& value) {
        std::uint64_t count = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), count);
        return error == std::errc() && end == value.data() + value.size() && count >= 1
                   ? std::string()
                   : "must be a whole number, at least 1, not '" + value + "'";
    },
    "", "");

// An item of a comma-separated list of names (with ->delimiter(',')): the blanks around it are
// dropped, so that "MaximumForce, PistonFriction" reads as people write lists.
inline const CLI::Validator TrimmedListItem(
    [](std::string& value) {
        const size_t first = value.find_first_not_of(" \t");
        value = first == std::string::npos
                    ? std::string()
                    : value.substr(first, value.find_last_not_of(" \t") - first + 1);
        return value.empty() ? std::string("names nothing between two commas") : std::string();
    },
    "", "");
