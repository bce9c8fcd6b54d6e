#pragma once
// The notation of every number typed into a field or written into one. The decimal separator
// is the user's (read once at start-up) and is passed in, so the functions stay pure.

#include <optional>
#include <string>
#include <string_view>

// Blanks (spaces only) around an optional sign, a mantissa of digits with at most one decimal
// separator (a lone separator reads as 0) and an optional exponent (E or e, optional sign,
// digits). Anything else, an empty text, a sign alone or a value too large for a double is
// refused. A value too small for a double reads as the nearest one the double can hold.
std::optional<double> TryFieldToNumber(std::string_view text, char decimalSeparator);

// As TryFieldToNumber, but a refused text raises the CommandError
// "'<text>' is not a valid floating point value".
double FieldToNumber(std::string_view text, char decimalSeparator);

// The text of the conversion error for a refused field text.
std::string NotAFloatingPointValueMessage(std::string_view text);

// The shortest general form with at most 15 significant digits and no trailing zeros: fixed
// notation from 0.0001 up to below 1E15, otherwise scientific ("1E-5", "1,5E20"); 0 is "0".
// Every finite value is written so that it reads back: the largest doubles, which would round
// up beyond the range of a double, are written as 1.79769313486231E308.
std::string NumberToField(double value, char decimalSeparator);
