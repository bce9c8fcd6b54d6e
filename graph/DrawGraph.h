#pragma once
// The whole picture of a graph: white ground, dotted grid at fixed pixel pitches, frame, ticks
// with the data values at the grid lines, and the active curves on top.

#include <span>

#include "graph/GraphDrawing.h"
#include "graph/GraphSlot.h"

// Redraws the view's bitmap of W × H pixels with the curves. Tick labels hold the value at their
// grid line rounded to the view's decimals, in the field notation; no axis titles, no legend.
void DrawGraph(const GraphView& view, std::span<const CurveSlot> curves,
               const GraphDrawing& drawing);

inline void DrawGraph(const GraphSlot& slot, const GraphDrawing& drawing) {
    DrawGraph(slot, slot.Curves, drawing);
}
