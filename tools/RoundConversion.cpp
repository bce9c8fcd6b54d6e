#include "tools/RoundConversion.h"

#include <cmath>

namespace {

// The next step of the grid at or above r, with r * scale rounded to a double first.
double CeilingStep(double r, double scale, double step) {
    const double scaled = r * scale;
    return std::ceil(scaled) * step;
}

}  // namespace

double RoundConversion(double value, int decimals) {
    // 10^k is exact for every k the program uses; the division gives the double nearest to
    // 10^-k, and halving it is exact.
    const double scale = std::pow(10.0, decimals);
    const double step = 1.0 / scale;
    const double half = 0.5 * step;

    double r = value;
    double c = CeilingStep(r, scale, step);
    if (r + half >= c) {
        r = c;
    }
    // This also brings down a value from the first step whose double lies a hair above a
    // whole step, and whose ceiling is therefore the step above.
    c = CeilingStep(r, scale, step);
    if (r + half < c) {
        r = c - step;
    }
    return r;
}
