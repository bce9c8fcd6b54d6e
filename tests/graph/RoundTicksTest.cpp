#include "graph/RoundTicks.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TicksCase {
    double low, high;
    int mostTicks;
    int count;
    const char* firstLabel;
    const char* lastLabel;
};

class RoundTicksTable : public testing::TestWithParam<TicksCase> {};

TEST_P(RoundTicksTable, SpanTheDataAtTheFinestRoundStepThatFits) {
    const TicksCase& c = GetParam();
    const RoundTicks ticks = ChooseRoundTicks(c.low, c.high, c.mostTicks);
    EXPECT_EQ(ticks.count, c.count);
    EXPECT_EQ(ticks.Label(0), c.firstLabel);
    EXPECT_EQ(ticks.Label(ticks.count - 1), c.lastLabel);
    EXPECT_LE(ticks.Low(), c.low);
    EXPECT_GE(ticks.High(), c.high);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Ranges, RoundTicksTable, testing::Values(
    TicksCase{0, 11.7, 7,       7, "0", "12"},       // a shot's time axis: steps of 2
    TicksCase{0, 4.586, 7,      6, "0", "5"},
    TicksCase{14, 71, 6,        5, "0", "80"},       // not 14 28 43 57 71
    TicksCase{0.3, 0.9, 7,      7, "0.3", "0.9"},    // 0.3 / 0.1 rounds below 3: no tick at 0.2
    TicksCase{7.5, 7.5, 5,      3, "7.0", "8.0"},    // a flat curve still gets an axis
    TicksCase{-3.2, 1.1, 6,     4, "-4", "2"},
    TicksCase{0.0012, 0.0047, 5, 5, "0.001", "0.005"}));
// clang-format on

}  // namespace
