#include "graph/CurveWalk.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class CurveWalk : public testing::Test {
protected:
    void SetX(std::initializer_list<double> xs) {
        size_t i = 0;
        for (const double x : xs) {
            curve->X[i++] = x;
        }
    }
    std::unique_ptr<CurveSlot> curve = std::make_unique<CurveSlot>();
};

TEST_F(CurveWalk, StopsAtTheLastIndexWhenThePointsBeyondAreCleared) {
    SetX({1, 2, 3, 4});
    EXPECT_EQ(LastWalkedPoint(*curve, 3), 3);
    // Equal x (the bullet at rest) doesn't stop the walk below the last index.
    SetX({0, 0, 0, 0, 5});
    EXPECT_EQ(LastWalkedPoint(*curve, 4), 4);
}

TEST_F(CurveWalk, GoesOnWhileXIncreasesBeyondTheLastIndex) {
    SetX({1, 2, 3, 4, 2, 6});
    EXPECT_EQ(LastWalkedPoint(*curve, 1), 3);
    // A curve ending below zero runs on to the cleared point after it.
    SetX({-3, -2, -1, 0, 0, 0});
    EXPECT_EQ(LastWalkedPoint(*curve, 1), 3);
}

TEST_F(CurveWalk, VisitsPointZeroEvenWithoutACountedStep) {
    EXPECT_EQ(LastWalkedPoint(*curve, -1), 0);
    EXPECT_EQ(LastWalkedPoint(*curve, 0), 0);
}

TEST_F(CurveWalk, NeverGoesPastTheLastPointACurveHolds) {
    for (size_t i = 0; i < curve->X.size(); ++i) {
        curve->X[i] = static_cast<double>(i);
    }
    EXPECT_EQ(LastWalkedPoint(*curve, 0), CurveCapacity - 1);
    EXPECT_EQ(LastWalkedPoint(*curve, 20000), CurveCapacity - 1);
}

}  // namespace
