#include "graph/GraphMapping.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/CommandErrors.h"

namespace {

TEST(GraphMapping, MapsTheViewOntoThePlotRectangleAndBack) {
    GraphSlot slot;
    slot.W = 426;
    slot.H = 258;
    slot.XMin = 2;
    slot.XMax = 5;
    slot.YMin = -1;
    slot.YMax = 1;
    EXPECT_DOUBLE_EQ(ValueToPixelX(2, slot), 35);
    EXPECT_DOUBLE_EQ(ValueToPixelX(5, slot), 406);
    EXPECT_DOUBLE_EQ(ValueToPixelX(8, slot), 777);  // beyond the view: beyond the rectangle
    EXPECT_DOUBLE_EQ(ValueToPixelY(-1, slot), 223);
    EXPECT_DOUBLE_EQ(ValueToPixelY(1, slot), 20);
    EXPECT_DOUBLE_EQ(ValueToPixelY(0, slot), 121.5);
    for (const double px : {0.0, 35.0, 123.4, 426.0}) {
        EXPECT_NEAR(ValueToPixelX(PixelToValueX(px, slot), slot), px, 1e-9);
        EXPECT_NEAR(ValueToPixelY(PixelToValueY(px, slot), slot), px, 1e-9);
    }
}

struct Truncation {
    double coordinate;
    int pixel;
};

class TruncatePixelTable : public testing::TestWithParam<Truncation> {};

TEST_P(TruncatePixelTable, TruncatesTowardZero) {
    EXPECT_EQ(TruncatePixel(GetParam().coordinate), GetParam().pixel);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Coordinates, TruncatePixelTable, testing::Values(
    Truncation{12.9, 12},
    Truncation{-12.9, -12},
    Truncation{-0.5, 0},
    Truncation{2147483647.9, 2147483647},
    Truncation{-2147483648.9, -2147483648}));
// clang-format on

class TruncatePixelRefuses : public testing::TestWithParam<double> {};

TEST_P(TruncatePixelRefuses, WithAnInvalidOperationInsteadOfUndefinedBehaviour) {
    try {
        TruncatePixel(GetParam());
        FAIL() << GetParam();
    } catch (const CommandError& error) {
        EXPECT_STREQ(error.what(), "Invalid floating point operation");
    }
}

INSTANTIATE_TEST_SUITE_P(Coordinates, TruncatePixelRefuses,
                         testing::Values(2147483648.0, -2147483649.0, 1e300,
                                         std::numeric_limits<double>::quiet_NaN(),
                                         std::numeric_limits<double>::infinity(),
                                         -std::numeric_limits<double>::infinity()));

}  // namespace
