#pragma once
// The manual page velloran-cli(1), in roff's man macros: every command with its arguments,
// options and notes as its help gives them, the exit statuses, and the commands' examples.

#include <string>
#include <vector>

#include "cli/CliReference.h"

// date: the release's date as the page's footer shows it, such as "2026-12-08".
std::string CliManPage(const std::vector<CliCommandReference>& commands, const std::string& date);

// The text as roff prints it: backslashes, minus signs, a leading full stop or apostrophe and
// characters beyond ASCII escaped.
std::string RoffText(const std::string& text);
