#pragma once
// The grid of a sweep: one or two of a gun's sixteen parameters varied over even steps.

#include <string>
#include <vector>

#include "model/GunParameters.h"

struct SweepAxis {
    GunParameter parameter;
    double from;
    double to;
    int points;  // both ends included

    // The value of point k: from + (to - from) × k / (points - 1), the last one exactly to.
    double Value(int k) const;
};

// "NAME=FROM:TO:STEPS", NAME a parameter's field name such as PistonStroke. Raises UsageError,
// also when a point of the range is not a finite number.
SweepAxis ParseSweepAxis(const std::string& text);

// "FROM:TO:STEPS" of the parameter, given to the option (such as "--weights"); refused as
// ParseSweepAxis refuses it.
SweepAxis ParseSweepRange(GunParameter parameter, const std::string& range,
                          const std::string& option);

// The field names of the parameters, "Caliber, BulletWeight, …".
std::string ParameterFieldNames();

// The parameter of a field name; raises UsageError, listing the names, for any other.
GunParameter ParameterNamed(const std::string& name);

// The sixteen parameter texts of every grid point, the first axis varying slowest; each
// varied value written as a field would hold it (with a point).
std::vector<GunParameterTexts> SweepGridTexts(const GunParameterTexts& gun,
                                              const std::vector<SweepAxis>& axes);
