#include "tools/SpringForce.h"

#include <cmath>

double SpringForce(double d, double D, double n, double s, double G) {
    const double shearModulus = G * 1000;  // N/mm²
    const double meanDiameter = D - d;     // mm
    const double numerator = std::pow(d, 4) * (s * shearModulus);
    const double denominator = std::pow(meanDiameter, 3) * 8 * n;
    return numerator / denominator;
}
