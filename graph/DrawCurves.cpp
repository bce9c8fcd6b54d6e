#include "graph/DrawCurves.h"

#include <array>

#include "graph/CurveWalk.h"
#include "graph/GraphMapping.h"

namespace {

constexpr int CurvePenWidth = 2;

// The pens of the first curve slots; the others draw with whatever pen they find.
constexpr std::array<Colour, 4> CurveColours = {
    Colour{255, 0, 0},  // red
    Colour{0, 0, 255},  // blue
    Colour{0, 0, 0},    // black
    Colour{0, 128, 0},  // green
};

}  // namespace

std::optional<CanvasPen> CurvePen(size_t curve) {
    if (curve >= CurveColours.size()) {
        return std::nullopt;
    }
    return CanvasPen{CurveColours[curve], CurvePenWidth, PenStyle::Solid};
}

void DrawCurves(const GraphView& view, std::span<const CurveSlot> curves, int lastIndex,
                CanvasPen pen, Canvas& canvas) {
    for (size_t c = 0; c < curves.size(); ++c) {
        const CurveSlot& curve = curves[c];
        if (curve.Active != 1) {
            continue;
        }
        if (const std::optional<CanvasPen> own = CurvePen(c)) {
            pen.colour = own->colour;
            pen.width = own->width;
            canvas.SetPen(pen.colour, pen.width, pen.style);
        }
        canvas.MoveTo(TruncatePixel(ValueToPixelX(curve.X[0], view)),
                      TruncatePixel(ValueToPixelY(curve.Y[0], view)));
        const auto last = static_cast<size_t>(LastWalkedPoint(curve, lastIndex));
        for (size_t i = 0; i <= last; ++i) {
            const int px = TruncatePixel(ValueToPixelX(curve.X[i], view));
            const int py = TruncatePixel(ValueToPixelY(curve.Y[i], view));
            if (curve.Style == MarkerStyle) {
                canvas.MoveTo(px, py);
            } else if (curve.Style == LineStyle || curve.Style == LineAndMarkerStyle) {
                canvas.LineTo(px, py);
            }
            if (curve.Style == MarkerStyle || curve.Style == LineAndMarkerStyle) {
                // Through TruncatePixel again, so a box at the edge of the int range fails
                // like any other unrepresentable pixel instead of overflowing.
                canvas.Ellipse(TruncatePixel(static_cast<double>(px) - MarkerRadius),
                               TruncatePixel(static_cast<double>(py) - MarkerRadius),
                               TruncatePixel(static_cast<double>(px) + MarkerRadius),
                               TruncatePixel(static_cast<double>(py) + MarkerRadius));
            }
        }
    }
}
