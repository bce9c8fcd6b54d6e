#pragma once
// The curves of a graph, drawn over its axes.

#include <span>

#include "common/Canvas.h"
#include "graph/GraphSlot.h"

struct CanvasPen {
    Colour colour;
    int width;  // pixels
    PenStyle style;
};

// Draws every active curve along its walk with the pen of its curve slot (slots 4 to 9 keep
// the pen they find), joined by lines, as circle markers or both. Points outside the view are
// drawn wherever they fall: nothing is clipped. pen is the one selected before; the brush
// must be the markers' fill.
void DrawCurves(const GraphView& view, std::span<const CurveSlot> curves, int lastIndex,
                CanvasPen pen, Canvas& canvas);
