#include "graph/GraphInteraction.h"

#include <gtest/gtest.h>

#include "common/CommandErrors.h"
#include "tests/graph/GraphFixture.h"

namespace {

class GraphInteractionTest : public GraphFixture {
protected:
    // 100 pixels per unit on both axes: x = 35 + 100 v, y = 223 - 100 v.
    void ShowCurve() {
        StartUp();
        SetCurve(0, {{0.5, 0.1}, {3.2, 1.8}});
        SetView(0, 3.71, 0, 2.03);
        slot.DecimalsX = slot.DecimalsY = 1;
        canvas.Clear();
    }
};

TEST_F(GraphInteractionTest, InitGraphShowsTheStartViewAndEndsADrag) {
    store->DragActive = 1;
    slot.W = 426;
    slot.H = 258;
    InitGraph(*store, Graf0Slot, Drawing());
    EXPECT_EQ(std::tie(slot.XMin, slot.XMax, slot.YMin, slot.YMax),
              std::make_tuple(0.0, 1.05, 0.0, 1.05));
    EXPECT_EQ(std::tie(slot.DecimalsX, slot.DecimalsY), std::make_tuple(2, 2));
    EXPECT_EQ(canvas.texts.size(), 17u);
    EXPECT_EQ(store->DragActive, 0);
}

TEST_F(GraphInteractionTest, PressReadsOutTwoDecimalsMoreThanTheLabelsAndAnchors) {
    ShowCurve();
    SetView(0, 12.9, 0, 0.5);
    slot.DecimalsX = 0;
    slot.DecimalsY = 2;
    const GraphReadout readout = Graf0MouseDown(*store, Graf0Slot, 100, 100, ',');
    const double x = 65 * 12.9 / 371;  // 2.2601…
    const double y = 123 * 0.5 / 203;  // 0.30295…
    EXPECT_EQ(readout.x, "2,26");
    EXPECT_EQ(readout.y, "0,303");
    EXPECT_DOUBLE_EQ(store->DragAnchorX, x);
    EXPECT_DOUBLE_EQ(store->DragAnchorY, y);
    EXPECT_EQ(store->DragActive, 1);
    EXPECT_TRUE(canvas.operations.empty());
}

TEST_F(GraphInteractionTest, RubberBandFollowsAPressAndTurnsBlackWhenLargeEnough) {
    ShowCurve();
    EXPECT_FALSE(DrawRubberBand(*store, Graf0Slot, 300, 100).has_value());
    Graf0MouseDown(*store, Graf0Slot, 235, 203, '.');
    const std::optional<RubberBand> small = DrawRubberBand(*store, Graf0Slot, 400, 190);
    ASSERT_TRUE(small.has_value());
    EXPECT_TRUE(small->red);  // 13 of 203 pixels: less than a tenth of the y view
    const std::optional<RubberBand> large = DrawRubberBand(*store, Graf0Slot, 500, 100);
    ASSERT_TRUE(large.has_value());
    EXPECT_FALSE(large->red);
    EXPECT_EQ(large->corners,
              (std::array<PixelPoint, 4>{{{235, 203}, {500, 203}, {500, 100}, {235, 100}}}));
    PaintRubberBand(*large, 8, 247, canvas);
    EXPECT_EQ(canvas.operations,
              (std::vector<std::string>{"Pen 0 0 0 1 1", "MoveTo 243 450", "LineTo 508 450",
                                        "LineTo 508 347", "LineTo 243 347", "LineTo 243 450"}));
    canvas.Clear();
    PaintRubberBand(*small, 0, 0, canvas);
    EXPECT_EQ(canvas.operations.front(), "Pen 255 0 0 1 1");
}

TEST_F(GraphInteractionTest, ReleaseZoomsToARectangleOfATenthOfBothRanges) {
    ShowCurve();
    Graf0MouseDown(*store, Graf0Slot, 385, 173, '.');                        // (3.5, 0.5)
    EXPECT_TRUE(ZoomToRubberBand(*store, Graf0Slot, 235, 203, Drawing(1)));  // (2.0, 0.2)
    EXPECT_NEAR(slot.XMin, 2.0, 1e-12);
    EXPECT_NEAR(slot.XMax, 3.5, 1e-12);
    EXPECT_NEAR(slot.YMin, 0.2, 1e-12);
    EXPECT_NEAR(slot.YMax, 0.5, 1e-12);
    EXPECT_EQ(slot.DecimalsX, 1);
    EXPECT_EQ(slot.DecimalsY, 2);
    EXPECT_EQ(store->DragActive, 0);
    EXPECT_EQ(canvas.texts[1].text, "2.2");  // 2 + 50 × 1.5 / 371, rounded to 1 decimal
    // The curve's points outside the new view are still drawn.
    EXPECT_EQ(canvas.operations.back(), "LineTo 331 -859");
}

TEST_F(GraphInteractionTest, ReleaseOfASmallRectangleKeepsTheViewButEndsTheDrag) {
    ShowCurve();
    Graf0MouseDown(*store, Graf0Slot, 100, 100, '.');
    EXPECT_FALSE(ZoomToRubberBand(*store, Graf0Slot, 400, 90, Drawing(1)));
    EXPECT_EQ(std::tie(slot.XMin, slot.XMax, slot.YMin, slot.YMax),
              std::make_tuple(0.0, 3.71, 0.0, 2.03));
    EXPECT_EQ(store->DragActive, 0);
    EXPECT_TRUE(canvas.operations.empty());
}

TEST_F(GraphInteractionTest, ReleaseWithoutAPressZoomsFromTheLastAnchor) {
    ShowCurve();
    Graf0MouseDown(*store, Graf0Slot, 35, 223, '.');
    ZoomToRubberBand(*store, Graf0Slot, 40, 220, Drawing(1));
    ASSERT_EQ(store->DragActive, 0);
    EXPECT_TRUE(ZoomToRubberBand(*store, Graf0Slot, 235, 123, Drawing(1)));
    EXPECT_NEAR(slot.XMin, 0, 1e-12);
    EXPECT_NEAR(slot.XMax, 2, 1e-12);
}

TEST_F(GraphInteractionTest, ReleaseEndsTheDragEvenWhenTheRedrawFails) {
    ShowCurve();
    SetCurve(0, {{1e30, 1}});  // far beyond any pixel of the zoomed view
    Graf0MouseDown(*store, Graf0Slot, 35, 223, '.');
    EXPECT_THROW(ZoomToRubberBand(*store, Graf0Slot, 235, 123, Drawing()), CommandError);
    EXPECT_EQ(store->DragActive, 0);
    EXPECT_FALSE(DrawRubberBand(*store, Graf0Slot, 300, 100).has_value());
}

TEST_F(GraphInteractionTest, DoubleClickShowsTheWholeCurveAndItsClicksChangeNoRange) {
    ShowCurve();
    // The image reports: press, release, double-click, press, release, all at one pixel.
    Graf0MouseDown(*store, Graf0Slot, 200, 150, '.');
    EXPECT_FALSE(ZoomToRubberBand(*store, Graf0Slot, 200, 150, Drawing(1)));
    Graf0DblClick(*store, Graf0Slot, Drawing(1));
    EXPECT_DOUBLE_EQ(slot.XMin, 0.5);
    EXPECT_DOUBLE_EQ(slot.XMax, 3.2 * 1.05);
    EXPECT_DOUBLE_EQ(slot.YMin, 0.1);
    EXPECT_DOUBLE_EQ(slot.YMax, 1.8 * 1.05);
    EXPECT_EQ(canvas.operations.front(), "Brush 255 255 255");
    const std::string lastDrawn = canvas.operations.back();
    Graf0MouseDown(*store, Graf0Slot, 200, 150, '.');
    EXPECT_FALSE(ZoomToRubberBand(*store, Graf0Slot, 200, 150, Drawing(1)));
    EXPECT_DOUBLE_EQ(slot.XMax, 3.2 * 1.05);
    EXPECT_EQ(canvas.operations.back(), lastDrawn);
}

TEST_F(GraphInteractionTest, FitTakesImagesFrom83PixelsAndKeepsTheView) {
    ShowCurve();
    int resized = 0;
    const auto resize = [&](int width, int height) { resized = width * 1000 + height; };
    EXPECT_FALSE(FitGraphToImage(*store, Graf0Slot, 82, 300, resize, Drawing(1)));
    EXPECT_FALSE(FitGraphToImage(*store, Graf0Slot, 300, 82, resize, Drawing(1)));
    EXPECT_EQ(resized, 0);
    EXPECT_EQ(std::tie(slot.W, slot.H), std::make_tuple(426, 258));
    EXPECT_TRUE(canvas.operations.empty());
    EXPECT_TRUE(FitGraphToImage(*store, Graf0Slot, 83, 90, resize, Drawing(1)));
    EXPECT_EQ(resized, 83090);
    EXPECT_EQ(std::tie(slot.W, slot.H), std::make_tuple(83, 90));
    EXPECT_EQ(canvas.operations[1], "FillRect 0 0 83 90");
    EXPECT_EQ(std::tie(slot.XMin, slot.XMax), std::make_tuple(0.0, 3.71));
}

}  // namespace
