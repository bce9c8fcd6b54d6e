#pragma once
// Numbers and fields of the CSV the command line writes: a point as decimal separator under
// every locale, 17 significant digits so that every number reads back to the same double.

#include <string>
#include <string_view>

std::string CsvNumber(double value);

// The text as one CSV field, quoted when it holds a comma, a quote or a line end.
std::string CsvField(std::string_view text);
