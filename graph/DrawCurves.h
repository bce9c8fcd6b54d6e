#pragma once
// The curves of a graph, drawn over its axes.

#include <optional>
#include <span>

#include "common/Canvas.h"
#include "graph/GraphSlot.h"

struct CanvasPen {
    Colour colour;
    int width;  // pixels
    PenStyle style;
};

inline constexpr int MarkerRadius = 4;  // pixels, of the circle drawn at a point

// The pen of a curve slot that has one of its own: 0 red, 1 blue, 2 black, 3 green, each 2
// pixels wide (DrawCurves keeps the style of the pen before, solid in the graph). Nothing for
// the others.
std::optional<CanvasPen> CurvePen(size_t curve);

// Draws every active curve along its walk with the pen of its curve slot (slots 4 to 9 keep
// the pen they find), joined by lines, as circle markers or both. Points outside the view are
// drawn wherever they fall: nothing is clipped. pen is the one selected before; the brush
// must be the markers' fill.
void DrawCurves(const GraphView& view, std::span<const CurveSlot> curves, int lastIndex,
                CanvasPen pen, Canvas& canvas);
