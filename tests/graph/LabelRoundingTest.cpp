#include "graph/LabelRounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct Rounding {
    double x;
    int decimals;
    double rounded;
};

class RoundToDecimalsTable : public testing::TestWithParam<Rounding> {};

TEST_P(RoundToDecimalsTable, RoundsHalvesAwayFromZero) {
    const Rounding& c = GetParam();
    EXPECT_DOUBLE_EQ(RoundToDecimals(c.x, c.decimals), c.rounded) << c.x << " to " << c.decimals;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, RoundToDecimalsTable, testing::Values(
    Rounding{7.5, 0, 8},
    Rounding{-7.5, 0, -8},
    Rounding{0.5, 0, 1},
    Rounding{7.49, 0, 7},
    Rounding{1e-13, 3, 0},        // below 1e-12: 0
    Rounding{0.0004, 3, 0},
    Rounding{0.14150943396226415, 2, 0.14},   // the first x label of the start view
    Rounding{-0.14150943396226415, 2, -0.14},
    Rounding{1.0344827586206897, 2, 1.03},
    Rounding{12.345678, 4, 12.3457},
    Rounding{3, 2, 3}));
// clang-format on

struct DecimalsChoice {
    double span;
    int current;
    int decimals;
};

class ChooseDecimalsTable : public testing::TestWithParam<DecimalsChoice> {};

TEST_P(ChooseDecimalsTable, FollowsTheSpan) {
    const DecimalsChoice& c = GetParam();
    EXPECT_EQ(ChooseDecimals(c.span, c.current), c.decimals) << c.span;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Spans, ChooseDecimalsTable, testing::Values(
    DecimalsChoice{10.5, 3, 0},
    DecimalsChoice{9.99, 0, 1},
    DecimalsChoice{1, 0, 1},
    DecimalsChoice{0.5, 0, 2},
    DecimalsChoice{0.1, 0, 2},
    DecimalsChoice{0.05, 0, 3},
    DecimalsChoice{0.005, 0, 4},
    DecimalsChoice{0.0005, 0, 5},
    DecimalsChoice{1.05e-20, 0, 5},
    // Exactly 10 meets neither "above 10" nor "below 10": the labels keep their decimals.
    DecimalsChoice{10, 0, 0},
    DecimalsChoice{10, 3, 3},
    DecimalsChoice{std::numeric_limits<double>::quiet_NaN(), 2, 2}));
// clang-format on

}  // namespace
