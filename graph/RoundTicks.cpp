#include "graph/RoundTicks.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace {

constexpr std::array<int, 3> RoundMantissas = {1, 2, 5};

// A flat curve at v is drawn over v ± 5 % of its magnitude, or ± 1 at zero.
void WidenEmptyRange(double& low, double& high) {
    if (high > low) {
        return;
    }
    const double half = low == 0 ? 1 : std::fabs(low) * 0.05;
    low -= half;
    high += half;
}

// value / step, taken as the whole number it misses by rounding only: 0.3 / 0.1 is 3, not
// 2.9999999999999996, so no tick is added below a value that stands on one.
double StepsTo(double value, double step) {
    const double steps = value / step;
    const double nearest = std::round(steps);
    return std::fabs(steps - nearest) < 1e-9 * std::max(1.0, std::fabs(nearest)) ? nearest : steps;
}

}  // namespace

double RoundTicks::Value(int k) const {
    // Whole numbers and powers of ten are exact doubles: one rounding, in the last operation.
    const auto units = static_cast<double>((firstIndex + k) * mantissa);
    return exponent >= 0 ? units * std::pow(10.0, exponent) : units / std::pow(10.0, -exponent);
}

std::string RoundTicks::Label(int k) const {
    // Room for the longest: 309 digits before the point, 324 after.
    std::array<char, 700> text{};
    const double value = Value(k);
    const auto written =
        std::to_chars(text.data(), text.data() + text.size(), value == 0 ? 0.0 : value,
                      std::chars_format::fixed, std::max(0, -exponent));
    return written.ec == std::errc() ? std::string(text.data(), written.ptr) : std::string();
}

RoundTicks ChooseRoundTicks(double low, double high, int mostTicks) {
    WidenEmptyRange(low, high);
    mostTicks = std::max(mostTicks, 2);
    // The finest step that could do, then coarser ones until the ticks fit.
    // Halves first: the span of -1e308 … 1e308 is no double.
    int exponent =
        static_cast<int>(std::floor(std::log10((high / 2 - low / 2) / (mostTicks - 1) * 2)));
    for (;; ++exponent) {
        for (const int mantissa : RoundMantissas) {
            const double step = mantissa * std::pow(10.0, exponent);
            const auto first = static_cast<long long>(std::floor(StepsTo(low, step)));
            const auto last = static_cast<long long>(std::ceil(StepsTo(high, step)));
            const long long count = std::max<long long>(last - first + 1, 2);
            if (count <= mostTicks) {
                return {first, static_cast<int>(count), mantissa, exponent};
            }
        }
    }
}
