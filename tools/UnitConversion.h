#pragma once
// One conversion of the unit conversion window, free of the window: read the source field's
// text, multiply, round, and give the text for the target field.

#include <string>
#include <string_view>

struct ConversionRow;

// The text of sourceText × factor rounded with RoundConversion to the given decimals, written
// with NumberToField. A source text that is not a number raises the CommandError
// "'<text>' is not a valid floating point value"; a product, or its scaling for the rounding,
// beyond the range of a double raises "Floating point overflow". Nothing is returned then, so
// the caller's target field keeps its text.
std::string ConvertFieldText(std::string_view sourceText, double factor, int decimals,
                             char decimalSeparator);

std::string ConvertFieldText(std::string_view sourceText, const ConversionRow& row,
                             char decimalSeparator);
