#include "graph/LoadCurve.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "common/CommandErrors.h"
#include "graph/SeriesSelection.h"
#include "tests/graph/GraphFixture.h"

namespace {

class LoadCurveTest : public GraphFixture {
protected:
    LoadCurveTest() : xs(12000), ys(12000) {
        std::iota(xs.begin(), xs.end(), 1.0);
        std::iota(ys.begin(), ys.end(), 100.0);
    }
    std::vector<double> xs;
    std::vector<double> ys;
};

TEST_F(LoadCurveTest, CopiesEveryStepthPointThenRangesAndDraws) {
    StartUp();
    SetCurve(2, {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}});
    canvas.Clear();
    LoadCurve(xs, ys, 2, 10, 3, slot, 2, MarkerStyle, Drawing(2));
    const CurveSlot& curve = slot.Curves[2];
    EXPECT_EQ((std::vector<double>(curve.X.begin(), curve.X.begin() + 5)),
              (std::vector<double>{3, 6, 9, 0, 0}));
    EXPECT_EQ((std::vector<double>(curve.Y.begin(), curve.Y.begin() + 4)),
              (std::vector<double>{102, 105, 108, 0}));
    EXPECT_EQ(curve.Active, 1);
    EXPECT_EQ(curve.Style, MarkerStyle);
    EXPECT_EQ(slot.XMin, 3);
    EXPECT_DOUBLE_EQ(slot.YMax, 108 * 1.05);
    EXPECT_EQ(canvas.operations.front(), "Brush 255 255 255");
    EXPECT_EQ(canvas.operations.back().rfind("Ellipse", 0), 0u);
}

TEST_F(LoadCurveTest, TooManyPointsAbortsAfterClearingThePointsAndDrawsNothing) {
    StartUp();
    SetCurve(0, {{1, 1}, {2, 2}}, LineAndMarkerStyle);
    SetView(0, 3, 0, 3);
    canvas.Clear();
    EXPECT_THROW(
        {
            try {
                LoadCurve(xs, ys, 0, CurveCapacity, 1, slot, 0, LineStyle, Drawing());
            } catch (const CommandAbort& abort) {
                EXPECT_STREQ(abort.what(), "Too many points in Graph.");
                throw;
            }
        },
        CommandAbort);
    const CurveSlot& curve = slot.Curves[0];
    EXPECT_EQ(curve.X[0], 0);
    EXPECT_EQ(curve.Y[1], 0);
    EXPECT_EQ(curve.Active, 1);
    EXPECT_EQ(curve.Style, LineAndMarkerStyle);
    EXPECT_EQ(slot.XMax, 3);
    EXPECT_TRUE(canvas.operations.empty());

    // One point fewer fits, and a wider step brings more series entries within the limit.
    LoadCurve(xs, ys, 0, CurveCapacity - 1, 1, slot, 0, LineStyle, Drawing());
    EXPECT_EQ(curve.X[CurveCapacity - 1], CurveCapacity);
    LoadCurve(xs, ys, 0, 11999, 2, slot, 0, LineStyle, Drawing());
    EXPECT_EQ(curve.X[5999], 11999);
}

TEST_F(LoadCurveTest, NoCountedStepLoadsNoPointAndShowsTheClearedOrigin) {
    StartUp();
    LoadCurve(xs, ys, 0, -1, 1, slot, 0, LineStyle, Drawing(-1));
    EXPECT_EQ(slot.Curves[0].X[0], 0);
    EXPECT_DOUBLE_EQ(slot.XMax, 1.05e-20);
}

TEST_F(LoadCurveTest, RefusesPointsOutsideTheSeriesAndStepsBelowOne) {
    StartUp();
    EXPECT_THROW(LoadCurve(xs, ys, 0, 12000, 2, slot, 0, LineStyle, Drawing()), std::out_of_range);
    EXPECT_THROW(LoadCurve(xs, ys, -1, 5, 1, slot, 0, LineStyle, Drawing()), std::out_of_range);
    EXPECT_THROW(LoadCurve(xs, ys, 0, 5, 0, slot, 0, LineStyle, Drawing()), std::out_of_range);
    EXPECT_THROW(LoadCurve(xs, ys, 0, 5, 1, slot, CurveSlotCount, LineStyle, Drawing()),
                 std::out_of_range);
}

struct Selection {
    int yItem;
    int xItem;
    Series SimulationResult::*x;  // nothing when the pair isn't plotted
    Series SimulationResult::*y;
};

class SeriesSelectionTable : public testing::TestWithParam<Selection> {};

TEST_P(SeriesSelectionTable, PicksThePairOfTheTwoRadioGroups) {
    const auto result = std::make_unique<SimulationResult>();
    const Selection& c = GetParam();
    const std::optional<SeriesPair> pair = SelectedSeries(*result, c.yItem, c.xItem);
    if (!c.x) {
        EXPECT_FALSE(pair.has_value()) << c.yItem << ", " << c.xItem;
        return;
    }
    ASSERT_TRUE(pair.has_value()) << c.yItem << ", " << c.xItem;
    EXPECT_EQ(&pair->x, &(*result.*c.x));
    EXPECT_EQ(&pair->y, &(*result.*c.y));
}

using R = SimulationResult;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Items, SeriesSelectionTable, testing::Values(
    Selection{0, 0, &R::Time, &R::BulletVelocity},
    Selection{1, 0, &R::Time, &R::BulletTravel},
    Selection{2, 0, &R::Time, &R::PistonVelocity},
    Selection{3, 0, &R::Time, &R::PistonTravel},
    Selection{4, 0, &R::Time, &R::Pressure},
    Selection{5, 0, &R::Time, &R::Temperature},
    Selection{0, 1, &R::BulletTravel, &R::BulletVelocity},
    Selection{1, 1, nullptr, nullptr},
    Selection{2, 1, nullptr, nullptr},
    Selection{3, 1, nullptr, nullptr},
    Selection{4, 1, &R::BulletTravel, &R::Pressure},
    Selection{5, 1, &R::BulletTravel, &R::Temperature},
    Selection{6, 0, nullptr, nullptr},
    Selection{-1, 0, nullptr, nullptr},
    Selection{0, 2, nullptr, nullptr},
    Selection{0, -1, nullptr, nullptr}));
// clang-format on

TEST_F(LoadCurveTest, SelectedSeriesLoadEntriesUpToLastIndexIntoTheResultCurve) {
    StartUp();
    const auto result = std::make_unique<SimulationResult>();
    result->LastIndex = 2;
    result->Time = {0.01, 0.02, 0.03, 0.04};
    result->Pressure = {0.1, 0.3, 0.2, 9};
    EXPECT_TRUE(LoadSelectedSeries(*result, 4, 0, *store, canvas, '.'));
    const CurveSlot& curve = slot.Curves[ResultCurve];
    EXPECT_EQ(curve.X[2], 0.03);
    EXPECT_EQ(curve.X[3], 0);
    EXPECT_DOUBLE_EQ(slot.YMax, 0.3 * 1.05);

    // A pair that isn't plotted leaves the curve, the view and the picture as they were.
    canvas.Clear();
    EXPECT_FALSE(LoadSelectedSeries(*result, 2, 1, *store, canvas, '.'));
    EXPECT_EQ(curve.Y[1], 0.3);
    EXPECT_DOUBLE_EQ(slot.YMax, 0.3 * 1.05);
    EXPECT_TRUE(canvas.operations.empty());
}

}  // namespace
