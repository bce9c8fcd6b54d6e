#include "graph/DrawGraph.h"

#include "common/Canvas.h"
#include "common/FieldNumber.h"
#include "graph/DrawCurves.h"
#include "graph/GraphLayout.h"
#include "graph/GraphMapping.h"
#include "graph/LabelRounding.h"

namespace {

constexpr Colour White{255, 255, 255};
constexpr Colour Black{0, 0, 0};
constexpr const char* LabelFont = "Arial";
constexpr int LabelFontSize = 10;  // points
// A label's top-left corner: x labels start 5 pixels left of their grid line and 6 below the
// frame; y labels stand at the left edge and hang below their grid line.
constexpr int XLabelLeft = MarginLeftBottom - 5;
constexpr int XLabelGap = 6;
constexpr int YLabelLeft = 5;

}  // namespace

void DrawGraph(const GraphView& view, std::span<const CurveSlot> curves,
               const GraphDrawing& drawing) {
    Canvas& canvas = drawing.canvas;
    const int w = view.W;
    const int h = view.H;
    const int left = MarginLeftBottom;
    const int right = w - MarginRightTop;
    const int top = MarginRightTop;
    const int bottom = h - MarginLeftBottom;
    const int plotWidth = right - left;
    const int plotHeight = bottom - top;

    canvas.SetBrushColour(White);
    canvas.FillRect(0, 0, w, h);

    // The white brush stays selected, so every label is written on a white box.
    canvas.SetPen(Black, 1, PenStyle::Solid);
    canvas.SetFont(LabelFont, LabelFontSize, Black);

    canvas.SetPen(Black, 1, PenStyle::Dotted);
    for (int g = 0; g <= plotWidth; g += GridPitchX) {
        canvas.MoveTo(left + g, bottom);
        canvas.LineTo(left + g, top);
    }
    for (int g = 0; g <= plotHeight; g += GridPitchY) {
        canvas.MoveTo(left, bottom - g);
        canvas.LineTo(right, bottom - g);
    }

    canvas.SetPen(Black, 1, PenStyle::Solid);
    canvas.MoveTo(left, top);
    canvas.LineTo(right, top);
    canvas.LineTo(right, bottom);
    canvas.LineTo(left, bottom);
    canvas.LineTo(left, top);

    // The labels hold the data values at the grid lines, whatever numbers the view gives there.
    for (int g = 0; g <= plotWidth; g += GridPitchX) {
        canvas.MoveTo(left + g, bottom);
        canvas.LineTo(left + g, bottom + TickHalfLength);
        canvas.LineTo(left + g, bottom - TickHalfLength);
        const double value = RoundToDecimals(PixelToValueX(left + g, view), view.DecimalsX);
        canvas.TextOut(XLabelLeft + g, bottom + XLabelGap,
                       NumberToField(value, drawing.decimalSeparator));
    }
    for (int g = 0; g <= plotHeight; g += GridPitchY) {
        canvas.MoveTo(left, bottom - g);
        canvas.LineTo(left + TickHalfLength, bottom - g);
        canvas.LineTo(left - TickHalfLength, bottom - g);
        const double value = RoundToDecimals(PixelToValueY(bottom - g, view), view.DecimalsY);
        canvas.TextOut(YLabelLeft, bottom - g, NumberToField(value, drawing.decimalSeparator));
    }

    DrawCurves(view, curves, drawing.lastIndex, {Black, 1, PenStyle::Solid}, canvas);
}
