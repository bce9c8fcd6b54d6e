#pragma once
// printf-style formatting for the result box and the report file. The decimal separator is
// always a point, whatever the user's locale, so reports read the same everywhere.

#include <string>

std::string FormatReport(const char* format, ...) __attribute__((format(printf, 1, 2)));
