#include "graph/LabelRounding.h"

#include <cmath>

double RoundToDecimals(double x, int n) {
    const bool negative = x < 0;
    const double a = std::fabs(x);
    const double p = std::pow(10.0, n);
    const double half = 0.5 / p;
    const double up = std::ceil(a * p) / p;
    double rounded = up - a <= half ? up : up - 1 / p;
    if (std::fabs(rounded) < 1e-12) {
        rounded = 0;
    }
    return negative ? -rounded : rounded;
}

int ChooseDecimals(double span, int current) {
    int decimals = current;
    if (span > 10) {
        decimals = 0;
    }
    if (span < 10) {
        decimals = 1;
    }
    if (span < 1) {
        decimals = 2;
    }
    if (span < 0.1) {
        decimals = 3;
    }
    if (span < 0.01) {
        decimals = 4;
    }
    if (span < 0.001) {
        decimals = 5;
    }
    return decimals;
}
