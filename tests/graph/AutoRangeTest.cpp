#include "graph/AutoRange.h"

#include <gtest/gtest.h>

#include "graph/DrawGraph.h"
#include "tests/graph/GraphFixture.h"

namespace {

using AutoRangeTest = GraphFixture;

TEST_F(AutoRangeTest, WithoutAnActiveCurveShowsZeroTo1Point05WithOneDecimal) {
    SetCurve(3, {{5, 5}, {6, 7}});
    slot.Curves[3].Active = 0;
    slot.DecimalsX = slot.DecimalsY = 2;
    AutoRange(slot, 1);
    EXPECT_EQ(slot.XMin, 0);
    EXPECT_EQ(slot.YMin, 0);
    EXPECT_DOUBLE_EQ(slot.XMax, 1.05);
    EXPECT_DOUBLE_EQ(slot.YMax, 1.05);
    EXPECT_EQ(slot.DecimalsX, 1);
    EXPECT_EQ(slot.DecimalsY, 1);
}

TEST_F(AutoRangeTest, StartsTheTimeAxisAtTheFirstPointAndPadsOnlyTheMaxima) {
    SetCurve(0, {{0.01, 0}, {0.02, 0}, {0.03, 40}, {0.04, 100}});
    AutoRange(slot, 3);
    EXPECT_DOUBLE_EQ(slot.XMin, 0.01);
    EXPECT_DOUBLE_EQ(slot.XMax, 0.042);
    EXPECT_EQ(slot.YMin, 0);
    EXPECT_DOUBLE_EQ(slot.YMax, 105);
    EXPECT_EQ(slot.DecimalsX, 3);
    EXPECT_EQ(slot.DecimalsY, 0);
}

TEST_F(AutoRangeTest, CombinesTheWalkedPointsOfAllActiveCurves) {
    SetCurve(0, {{1, -2}, {2, 3}, {1.5, 99}});  // the walk ends at point 1
    SetCurve(7, {{-4, 1}, {0, 1}});
    AutoRange(slot, 1);
    EXPECT_EQ(slot.XMin, -4);
    EXPECT_DOUBLE_EQ(slot.XMax, 2.1);
    EXPECT_EQ(slot.YMin, -2);
    EXPECT_DOUBLE_EQ(slot.YMax, 3.15);
}

TEST_F(AutoRangeTest, GivesAFlatCurveAYRangeAroundItsValue) {
    SetCurve(0, {{1, 8}, {2, 8}, {3, 8}});
    AutoRange(slot, 2);
    EXPECT_DOUBLE_EQ(slot.YMin, 7.6);
    EXPECT_DOUBLE_EQ(slot.YMax, 8.4);
}

// A temperature of 7.65e23 K (a gun with an absurd piston friction) once left the minimum at
// its start, was taken for "no point", and the curve fell far outside the view.
TEST_F(AutoRangeTest, RangesACurveLyingBeyondTheStartingMinimum) {
    SetCurve(0, {{0.01, 7.65e23}});
    AutoRange(slot, 0);
    EXPECT_DOUBLE_EQ(slot.XMin, 0.01);
    EXPECT_EQ(slot.YMin, 1e20);
    EXPECT_DOUBLE_EQ(slot.YMax, 7.65e23 * 1.05);
}

TEST_F(AutoRangeTest, GivesTheSinglePointAtTheOriginATinyRangeLabelledZero) {
    SetCurve(0, {{0, 0}});
    slot.W = 426;
    slot.H = 258;
    AutoRange(slot, 0);
    EXPECT_EQ(slot.XMin, 0);
    EXPECT_EQ(slot.YMin, 0);
    EXPECT_DOUBLE_EQ(slot.XMax, 1.05e-20);
    EXPECT_DOUBLE_EQ(slot.YMax, 1.05e-20);
    EXPECT_EQ(slot.DecimalsX, 5);
    EXPECT_EQ(slot.DecimalsY, 5);
    DrawGraph(slot, Drawing());
    ASSERT_EQ(canvas.texts.size(), 17u);
    for (const RecordedText& label : canvas.texts) {
        EXPECT_EQ(label.text, "0");
    }
    // The curve is a zero-length line at the lower left corner of the plot.
    EXPECT_EQ(canvas.operations.back(), "LineTo 35 223");
}

}  // namespace
