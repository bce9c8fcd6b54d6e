#pragma once
// The axes of a sweep's grid as the command line gives them.

#include <string>

#include "model/SweepGrid.h"

// "NAME=FROM:TO:STEPS", NAME a parameter's field name such as PistonStroke. Raises UsageError,
// also when a point of the range is not a finite number.
SweepAxis ParseSweepAxis(const std::string& text);
