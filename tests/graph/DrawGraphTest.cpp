#include "graph/DrawGraph.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "common/CommandErrors.h"
#include "tests/graph/GraphFixture.h"

namespace {

using DrawGraphTest = GraphFixture;

bool ContainsRun(const std::vector<std::string>& operations, const std::vector<std::string>& run) {
    return std::search(operations.begin(), operations.end(), run.begin(), run.end()) !=
           operations.end();
}

std::vector<RecordedLine> LinesWith(const RecordingCanvas& canvas, PenStyle style) {
    std::vector<RecordedLine> found;
    std::copy_if(canvas.lines.begin(), canvas.lines.end(), std::back_inserter(found),
                 [&](const RecordedLine& line) { return line.style == style; });
    return found;
}

TEST_F(DrawGraphTest, StartViewHasItsGridFrameAndTicks) {
    StartUp();
    const std::vector<std::string> opening(canvas.operations.begin(),
                                           canvas.operations.begin() + 5);
    EXPECT_EQ(opening,
              (std::vector<std::string>{"Brush 255 255 255", "FillRect 0 0 426 258",
                                        "Pen 0 0 0 1 0", "Font Arial 10 0 0 0", "Pen 0 0 0 1 2"}));
    const std::vector<RecordedLine> grid = LinesWith(canvas, PenStyle::Dotted);
    ASSERT_EQ(grid.size(), 17u);
    for (int i = 0; i < 8; ++i) {  // x = 35, 85, …, 385, up from the bottom of the plot
        const RecordedLine& line = grid[static_cast<size_t>(i)];
        EXPECT_EQ(std::tie(line.x1, line.y1, line.x2, line.y2),
                  std::make_tuple(35 + 50 * i, 223, 35 + 50 * i, 20));
    }
    for (int i = 0; i < 9; ++i) {  // y = 223, 198, …, 23: short of the top frame line
        const RecordedLine& line = grid[static_cast<size_t>(8 + i)];
        EXPECT_EQ(std::tie(line.x1, line.y1, line.x2, line.y2),
                  std::make_tuple(35, 223 - 25 * i, 406, 223 - 25 * i));
    }
    // The solid frame after the grid, then each tick 5 pixels out of the frame and 5 into the
    // plot, with its label.
    EXPECT_TRUE(ContainsRun(canvas.operations,
                            {"Pen 0 0 0 1 0", "MoveTo 35 20", "LineTo 406 20", "LineTo 406 223",
                             "LineTo 35 223", "LineTo 35 20", "MoveTo 35 223", "LineTo 35 228"}));
    EXPECT_TRUE(ContainsRun(canvas.operations, {"MoveTo 85 223", "LineTo 85 228", "LineTo 85 218",
                                                "Text 0.14 80 229"}));
    EXPECT_TRUE(ContainsRun(
        canvas.operations, {"MoveTo 35 198", "LineTo 40 198", "LineTo 30 198", "Text 0.13 5 198"}));
    EXPECT_EQ(LinesWith(canvas, PenStyle::Solid).size(), 4u + 2 * 8 + 2 * 9);
}

struct StartLabels {
    char separator;
    std::vector<std::string> x;
    std::vector<std::string> y;
};

class DrawGraphLabels : public GraphFixture, public testing::WithParamInterface<StartLabels> {};

TEST_P(DrawGraphLabels, ShowTheValuesAtTheGridLinesOnWhiteBoxes) {
    StartUp(GetParam().separator);
    ASSERT_EQ(canvas.texts.size(), 17u);
    for (size_t i = 0; i < 8; ++i) {
        const RecordedText& label = canvas.texts[i];
        EXPECT_EQ(label.text, GetParam().x[i]);
        EXPECT_EQ(label.x, 30 + 50 * static_cast<int>(i));
        EXPECT_EQ(label.y, 229);
        EXPECT_EQ(label.background, (Colour{255, 255, 255}));
    }
    for (size_t i = 0; i < 9; ++i) {
        const RecordedText& label = canvas.texts[8 + i];
        EXPECT_EQ(label.text, GetParam().y[i]);
        EXPECT_EQ(label.x, 5);
        EXPECT_EQ(label.y, 223 - 25 * static_cast<int>(i));
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Separators, DrawGraphLabels, testing::Values(
    StartLabels{'.', {"0", "0.14", "0.28", "0.42", "0.57", "0.71", "0.85", "0.99"},
                     {"0", "0.13", "0.26", "0.39", "0.52", "0.65", "0.78", "0.91", "1.03"}},
    StartLabels{',', {"0", "0,14", "0,28", "0,42", "0,57", "0,71", "0,85", "0,99"},
                     {"0", "0,13", "0,26", "0,39", "0,52", "0,65", "0,78", "0,91", "1,03"}}));
// clang-format on

TEST_F(DrawGraphTest, DrawsEachCurveWithThePenOfItsSlot) {
    StartUp();
    SetView(0, 3.71, 0, 2.03);  // 100 pixels per unit on both axes
    SetCurve(0, {{0, 0}, {1, 1}});
    SetCurve(1, {{1, 1}});
    SetCurve(2, {{1, 1}});
    SetCurve(3, {{1, 1}});
    SetCurve(5, {{2, 1}, {3, 0}});
    canvas.Clear();
    DrawGraph(slot, Drawing(0));
    const std::vector<std::string> pens = {"Pen 255 0 0 2 0", "Pen 0 0 255 2 0", "Pen 0 0 0 2 0",
                                           "Pen 0 128 0 2 0"};
    std::vector<std::string> curveOperations;
    auto first = std::find(canvas.operations.begin(), canvas.operations.end(), pens[0]);
    curveOperations.assign(first, canvas.operations.end());
    EXPECT_EQ(curveOperations,
              (std::vector<std::string>{
                  pens[0], "MoveTo 35 223", "LineTo 35 223", "LineTo 135 123",  // slot 0
                  pens[1], "MoveTo 135 123", "LineTo 135 123",                  // slot 1
                  pens[2], "MoveTo 135 123", "LineTo 135 123",                  // slot 2
                  pens[3], "MoveTo 135 123", "LineTo 135 123",                  // slot 3
                  "MoveTo 235 123", "LineTo 235 123", "LineTo 335 223"}));  // 5 keeps slot 3's pen
    EXPECT_EQ(canvas.lines.back().colour, (Colour{0, 128, 0}));
}

TEST_F(DrawGraphTest, DrawsMarkersTruncatedTowardZeroAndUnclipped) {
    StartUp();
    SetView(0, 3.71, 0, 2.03);
    // -0.359 lies at pixel -0.9, 3.999 at 434.9, 2.5 at -27: all outside the bitmap.
    SetCurve(0, {{-0.359, 2.5}, {3.999, 0.011}}, MarkerStyle);
    canvas.Clear();
    DrawGraph(slot, Drawing(1));
    const std::vector<std::string> tail(canvas.operations.end() - 5, canvas.operations.end());
    EXPECT_EQ(tail,
              (std::vector<std::string>{"MoveTo 0 -27", "MoveTo 0 -27", "Ellipse -4 -31 4 -23",
                                        "MoveTo 434 221", "Ellipse 430 217 438 225"}));
    slot.Curves[0].Style = LineAndMarkerStyle;
    canvas.Clear();
    DrawGraph(slot, Drawing(1));
    const std::vector<std::string> both(canvas.operations.end() - 4, canvas.operations.end());
    EXPECT_EQ(both, (std::vector<std::string>{"LineTo 0 -27", "Ellipse -4 -31 4 -23",
                                              "LineTo 434 221", "Ellipse 430 217 438 225"}));
}

TEST_F(DrawGraphTest, AnEmptyViewRangeWithACurveRaisesAnInvalidOperation) {
    StartUp();
    SetView(1, 1, 0, 1);
    SetCurve(0, {{1, 0.5}});
    try {
        DrawGraph(slot, Drawing());
        FAIL();
    } catch (const CommandError& error) {
        EXPECT_STREQ(error.what(), "Invalid floating point operation");
    }
}

}  // namespace
