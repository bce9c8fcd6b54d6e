#pragma once
// Curves of different lengths in one graph: guns compared, measured shots beside computed
// figures. Each curve is walked up to its own last point, where the window's one curve is
// walked up to the current result's LastIndex.

#include <span>

#include "graph/GraphDrawing.h"
#include "graph/GraphSlot.h"

struct CurveSource {
    std::span<const double> xs;
    std::span<const double> ys;  // as many as xs
    int style;                   // LineStyle, MarkerStyle or LineAndMarkerStyle
};

// Loads source k into curve k of the slot, all its points, walked up to its own last point
// (so its x values must not be negative, as in any curve); a source without points leaves
// its curve inactive. The slot is then ranged over every active curve and drawn. Refuses more
// sources than a graph has curves, or more points than a curve holds, as LoadCurve does.
void LoadCurvesSideBySide(std::span<const CurveSource> sources, GraphSlot& slot,
                          const GraphDrawing& drawing);
