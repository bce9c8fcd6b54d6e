#include "graph/DrawLegend.h"

#include <algorithm>
#include <array>
#include <limits>

#include "graph/CurveWalk.h"
#include "graph/DrawCurves.h"
#include "graph/GraphLayout.h"
#include "graph/GraphMapping.h"

namespace {

constexpr Colour White{255, 255, 255};
constexpr Colour Black{0, 0, 0};
constexpr int RowHeight = 16;  // pixels: the 10-point labels are 15 high
constexpr int SampleWidth = 22;
constexpr int TextLeft = SampleWidth + 6;
constexpr int Inset = 4;  // from the frame of the plot rectangle
// The canvas cannot measure text: an average glyph of the 10-point font is about six pixels
// wide.
constexpr int EstimatedGlyphWidth = 6;
constexpr int TitleTop = 3;
// Lines are probed at this many points between two curve points.
constexpr int ProbesPerSegment = 16;

struct Box {
    double left, top, right, bottom;
    bool Holds(double x, double y) const {
        return x >= left && x <= right && y >= top && y <= bottom;
    }
};

// How many points of the active curves, and of the lines joining them, fall inside the box.
int CurvePointsBeneath(const GraphSlot& slot, const Box& box, int lastIndex) {
    int count = 0;
    for (const CurveSlot& curve : slot.Curves) {
        if (curve.Active != 1) {
            continue;
        }
        const auto last = static_cast<size_t>(LastWalkedPoint(curve, lastIndex));
        const bool joined = curve.Style != MarkerStyle;
        double previousX = ValueToPixelX(curve.X[0], slot);
        double previousY = ValueToPixelY(curve.Y[0], slot);
        for (size_t i = 0; i <= last; ++i) {
            const double x = ValueToPixelX(curve.X[i], slot);
            const double y = ValueToPixelY(curve.Y[i], slot);
            const Box markerReach{box.left - MarkerRadius, box.top - MarkerRadius,
                                  box.right + MarkerRadius, box.bottom + MarkerRadius};
            count += markerReach.Holds(x, y) ? 1 : 0;
            for (int p = 1; joined && p < ProbesPerSegment; ++p) {
                const double t = static_cast<double>(p) / ProbesPerSegment;
                count += box.Holds(previousX + (x - previousX) * t, previousY + (y - previousY) * t)
                             ? 1
                             : 0;
            }
            previousX = x;
            previousY = y;
        }
    }
    return count;
}

}  // namespace

void DrawLegend(const GraphSlot& slot, std::span<const LegendRow> rows, int lastIndex,
                Canvas& canvas) {
    size_t longestText = 0;
    for (const LegendRow& row : rows) {
        longestText = std::max(longestText, row.text.size());
    }
    const int width = TextLeft + static_cast<int>(longestText) * EstimatedGlyphWidth;
    const int height = static_cast<int>(rows.size()) * RowHeight;
    const int left = MarginLeftBottom + Inset;
    const int right = slot.W - MarginRightTop - Inset - width;
    const int top = MarginRightTop + Inset;
    const int bottom = slot.H - MarginLeftBottom - Inset - height;
    // Top left first: the curves of a shot start low and rise late.
    const std::array<std::pair<int, int>, 4> corners = {
        {{left, top}, {right, top}, {right, bottom}, {left, bottom}}};
    std::pair<int, int> chosen = corners[0];
    int fewest = std::numeric_limits<int>::max();
    for (const auto& [x, y] : corners) {
        const int beneath = CurvePointsBeneath(
            slot, {static_cast<double>(x), static_cast<double>(y), static_cast<double>(x + width),
                   static_cast<double>(y + height)},
            lastIndex);
        if (beneath < fewest) {
            fewest = beneath;
            chosen = {x, y};
        }
    }

    const auto [x, legendTop] = chosen;
    canvas.SetFont("Arial", 10, Black);
    for (size_t r = 0; r < rows.size(); ++r) {
        const LegendRow& row = rows[r];
        const int y = legendTop + static_cast<int>(r) * RowHeight;
        canvas.SetBrushColour(White);
        canvas.FillRect(x, y, x + TextLeft, y + RowHeight);
        const auto curve = static_cast<size_t>(row.curve);
        const int style = curve < slot.Curves.size() ? slot.Curves[curve].Style : LineStyle;
        const CanvasPen pen = CurvePen(curve).value_or(CanvasPen{Black, 1, PenStyle::Solid});
        canvas.SetPen(pen.colour, pen.width, pen.style);
        const int middle = y + RowHeight / 2;
        if (style != MarkerStyle) {
            canvas.MoveTo(x + 2, middle);
            canvas.LineTo(x + SampleWidth, middle);
        }
        if (style == MarkerStyle || style == LineAndMarkerStyle) {
            const int centre = x + 2 + (SampleWidth - 2) / 2;
            canvas.Ellipse(centre - MarkerRadius, middle - MarkerRadius, centre + MarkerRadius,
                           middle + MarkerRadius);
        }
        canvas.TextOut(x + TextLeft, y, row.text);
    }
}

void DrawGraphTitle(const std::string& text, Canvas& canvas) {
    canvas.SetFont("Arial", 10, Black);
    canvas.SetBrushColour(White);
    canvas.TextOut(MarginLeftBottom, TitleTop, text);
}
