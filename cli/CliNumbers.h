#pragma once
// Numbers inside the command's own arguments ("FROM:TO:STEPS", "WxH", "7.5J"). Each raises UsageError
// with a message that names the part that is wrong.

#include <string>

// A number on the command line: the field grammar with a point as the separator.
double ParseCliNumber(const std::string& text, const std::string& what);

// A whole number from minimum to maximum.
int ParseCliCount(const std::string& text, const std::string& what, int minimum, int maximum);

// An energy above 0 with its unit, J or ftlbf (foot-pound force): "7.5J", "12ftlbf". In J.
double ParseCliEnergy(const std::string& text, const std::string& what);
