#pragma once
// Numbers inside the command's own arguments ("FROM:TO:STEPS", "WxH", "7.5J", "7.9gr"). Each
// raises UsageError with a message that names the part that is wrong.

#include <string>
#include <vector>

#include "model/GunParameters.h"
#include "model/UnitTable.h"

// A number on the command line: the field grammar with a point as the separator.
double ParseCliNumber(const std::string& text, const std::string& what);

// A whole number from minimum to maximum.
int ParseCliCount(const std::string& text, const std::string& what, int minimum, int maximum);

// A finite number of the quantity with a unit of the unit table: "750fps", "12 ft·lbf". Without
// a unit the default unit is taken, or, where there is none, the text is refused.
struct CliQuantity {
    double value;  // in unit
    const UnitInfo* unit;
};
CliQuantity ParseCliQuantity(const std::string& text, const std::string& what, Quantity quantity,
                             const UnitInfo* defaultUnit);

// An energy above 0 with its unit, such as "7.5J" or "12ftlbf". In J.
double ParseCliEnergy(const std::string& text, const std::string& what);

// A value of the parameter in the unit of its field: a plain number is taken in that unit, a
// number with another unit of the same quantity is converted ("BulletWeight" "7.9gr" gives
// 0.5119 g). A dimensionless parameter takes a plain number only.
double ParseParameterValue(GunParameter parameter, const std::string& text,
                           const std::string& what);

// The command line as the parser is to see it: a word that is a negative number written without
// a digit before its point ("-.5") would be taken for an option, and is given as the same
// number with the zero written ("-0.5").
std::vector<std::string> NegativeNumbersAsNumbers(std::vector<std::string> words);
