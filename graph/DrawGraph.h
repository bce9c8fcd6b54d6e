#pragma once
// The whole picture of a graph: white ground, dotted grid at fixed pixel pitches, frame, ticks
// with the data values at the grid lines, and the active curves on top.

#include "graph/GraphDrawing.h"
#include "graph/GraphSlot.h"

// Redraws the slot's bitmap of W × H pixels. Tick labels hold the value at their grid line
// rounded to the slot's decimals, in the field notation; no axis titles, no legend.
void DrawGraph(const GraphSlot& slot, const GraphDrawing& drawing);
