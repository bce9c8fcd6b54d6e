#pragma once
// The bash completion of velloran-cli: its commands, each command's options, and the values
// that may follow them (gun parameter names, plotted quantities, axes, files).

#include <string>
#include <vector>

#include "cli/CliReference.h"

std::string CliBashCompletion(const std::vector<CliCommandReference>& commands);

// The kind of value that an argument takes, from its value's text in the help: "parameter",
// "quantity" or "axis" for a name of a table (with "=" appended when the name stands before an
// equals sign, "," when it is a comma-separated list of names), "file.EXT", "file.@(EXT|EXT…)"
// (several extensions, as FILE.png|svg|pdf) or "file" for a file, "text" for a value typed by hand.
std::string ValueKind(const std::string& valueText);
