#pragma once
// The ticks of a picture's axis: at round steps (1, 2 or 5 times a power of ten) from a
// multiple of the step at or below the data's lowest value to one at or above its highest, so
// the whole range is shown and every label is exact with the decimals the step needs.

#include <string>

struct RoundTicks {
    long long firstIndex;  // the first tick stands at firstIndex steps
    int count;             // at least 2: both ends of the axis carry a tick
    int mantissa;          // 1, 2 or 5
    int exponent;          // the step is mantissa × 10^exponent

    // The k-th tick's value, the double nearest to its exact decimal value: 3 steps of 0.1 are
    // 0.3, not 0.30000000000000004.
    double Value(int k) const;
    double Low() const { return Value(0); }
    double High() const { return Value(count - 1); }
    // The k-th tick's label with the decimals the step needs and a point, "0.25".
    std::string Label(int k) const;
};

// The finest round step whose ticks, covering low … high, number at most mostTicks (which is
// taken as at least 2). A range without width (a flat curve) is widened around its value so
// that it still gets two ticks. low and high must be finite.
RoundTicks ChooseRoundTicks(double low, double high, int mostTicks);
