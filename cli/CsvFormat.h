#pragma once
// Numbers and fields of the CSV the command line writes: a point as decimal separator under
// every locale, and each number in the shortest form that reads back to the same double, so
// that the CSV is exact and no longer than it needs to be.

#include <string>
#include <string_view>

// Appends the number to the text; a sweep's rows are built this way, one buffer per block.
void AppendCsvNumber(std::string& text, double value);
std::string CsvNumber(double value);

// The text as one CSV field, quoted when it holds a comma, a quote or a line end.
std::string CsvField(std::string_view text);
