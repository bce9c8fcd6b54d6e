#pragma once
// The axes of a sweep's grid as the command line gives them.

#include <string>

#include "model/SweepGrid.h"

// "NAME=FROM:TO:STEPS", NAME a parameter's field name such as PistonStroke; FROM and TO in the
// unit of its field or with a unit of the same quantity ("BulletWeight=5gr:16gr:12"). Raises
// UsageError, also when a point of the range is not a finite number.
SweepAxis ParseSweepAxis(const std::string& text);

// "FROM:TO:STEPS" of the parameter, given to the option (such as "--weights"); refused as
// ParseSweepAxis refuses it.
SweepAxis ParseSweepRange(GunParameter parameter, const std::string& range,
                          const std::string& option);

// The field names of the parameters, "Caliber, BulletWeight, …".
std::string ParameterFieldNames();

// The parameter of a field name; raises UsageError, listing the names, for any other.
GunParameter ParameterNamed(const std::string& name);
