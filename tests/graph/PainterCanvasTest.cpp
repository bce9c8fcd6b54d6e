#include "graph/PainterCanvas.h"

#include <gtest/gtest.h>

#include <QImage>
#include <memory>

#include "graph/DrawGraph.h"
#include "graph/GraphInteraction.h"
#include "graph/GraphStore.h"

namespace {

constexpr QRgb White = 0xffffffff;
constexpr QRgb Black = 0xff000000;
constexpr QRgb Red = 0xffff0000;

// One row of pixels from x to x + length - 1: '#' for black, 'r' for red, '.' for white.
std::string Row(const QImage& image, int x, int y, int length) {
    std::string row;
    for (int i = 0; i < length; ++i) {
        const QRgb pixel = image.pixel(x + i, y);
        row += pixel == Black ? '#' : pixel == Red ? 'r' : pixel == White ? '.' : '?';
    }
    return row;
}

class PainterCanvasTest : public testing::Test {
protected:
    // The start view with a level red curve at 0.5 from x = 0.2 to 0.8.
    void DrawStartViewWithCurve() {
        PainterCanvas canvas(image);
        GraphDrawing drawing{canvas, 1, '.'};
        FitGraphToImage(
            *store, Graf0Slot, 426, 258, [](int, int) {}, drawing);
        InitGraph(*store, Graf0Slot, drawing);
        CurveSlot& curve = store->Slot(Graf0Slot).Curves[0];
        curve.X[0] = 0.2;
        curve.X[1] = 0.8;
        curve.Y[0] = curve.Y[1] = 0.5;
        curve.Active = 1;
        DrawGraph(store->Slot(Graf0Slot), drawing);
    }

    QImage image{426, 258, QImage::Format_RGB32};
    std::unique_ptr<GraphStore> store = std::make_unique<GraphStore>();
};

TEST_F(PainterCanvasTest, PaintsCrispGridFrameCurveAndLabels) {
    image.fill(Qt::blue);
    DrawStartViewWithCurve();
    EXPECT_FALSE(image.paintingActive());
    EXPECT_EQ(image.pixel(0, 0), White);
    EXPECT_EQ(image.pixel(425, 257), White);
    // Dotted grid: one pixel in three, from where the line starts (x = 35), beyond the tick.
    EXPECT_EQ(Row(image, 46, 198, 12), ".#..#..#..#.");
    EXPECT_EQ(Row(image, 34, 20, 4), ".###");  // the solid frame
    // The curve, 2 pixels wide, from x = 105 up to its end point x = 317, not included.
    EXPECT_EQ(Row(image, 103, 126, 4), "..rr");
    EXPECT_EQ(Row(image, 314, 126, 5), "rrr..");
    EXPECT_EQ(image.pixel(200, 125), Red);
    EXPECT_EQ(image.pixel(200, 124), White);
    EXPECT_EQ(image.pixel(200, 127), White);
    // The label "0.14" at (80, 229): black glyphs, no grey from smoothing, on white.
    int black = 0;
    for (int y = 229; y < 242; ++y) {
        for (int x = 80; x < 105; ++x) {
            const QRgb pixel = image.pixel(x, y);
            EXPECT_TRUE(pixel == Black || pixel == White) << x << ", " << y;
            black += pixel == Black;
        }
    }
    EXPECT_GT(black, 20);
}

TEST_F(PainterCanvasTest, OpensOnlyWhenDrawingSoTheImageMayBeResizedFirst) {
    QImage resized;
    PainterCanvas canvas(resized);
    resized = QImage(20, 10, QImage::Format_RGB32);
    canvas.SetBrushColour({255, 0, 0});
    canvas.FillRect(2, 3, 5, 4);
    EXPECT_TRUE(resized.paintingActive());
    canvas.End();
    EXPECT_FALSE(resized.paintingActive());
    EXPECT_EQ(resized.pixel(4, 3), Red);
    EXPECT_NE(resized.pixel(5, 3), Red);

    // An ellipse inside (2, 2) … (10, 10) covers 8 pixels each way, filled with the brush.
    resized.fill(Qt::white);
    canvas.SetPen({0, 0, 0}, 1, PenStyle::Solid);
    canvas.Ellipse(2, 2, 10, 10);
    canvas.End();
    EXPECT_EQ(Row(resized, 1, 6, 10), ".#rrrrrr#.");
}

TEST_F(PainterCanvasTest, LeavesAnImageWithoutPixelsAlone) {
    QImage empty;
    PainterCanvas canvas(empty);
    canvas.FillRect(0, 0, 10, 10);
    canvas.LineTo(5, 5);
    canvas.TextOut(0, 0, "0");
    EXPECT_TRUE(empty.isNull());
    EXPECT_FALSE(empty.paintingActive());
}

}  // namespace
