#pragma once
// The spring calculator's "Compute" on the texts of its five input fields, free of the window.

#include <array>
#include <string>

// The texts of the inputs in the order d, D, n, s, G (see SpringForce).
using SpringInputTexts = std::array<std::string, 5>;

// Reads the five texts in order with FieldToNumber (the first that is not a number raises the
// conversion error and nothing is computed), computes SpringForce under the floating-point
// fault check ("Floating point division by zero" for D equal to d, "Invalid floating point
// operation" when the force's numerator is zero too) and gives the force rounded up to whole
// newtons as a field text.
std::string ComputeSpringPower(const SpringInputTexts& texts, char decimalSeparator);
