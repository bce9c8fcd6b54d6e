#pragma once
// One graph: its view, its label decimals, the size of the bitmap it draws, and its curves.

#include <array>

#include "graph/CurveSlot.h"

inline constexpr int CurveSlotCount = 10;

// What a graph shows of its curves. The drawing works on a view and the curves it is given,
// so that a graph of one curve (the command line's picture) needs room for that one only.
struct GraphView {
    // The view ranges, in the units of the plotted series.
    double XMin = 0;
    double XMax = 0;
    double YMin = 0;
    double YMax = 0;
    // The decimals to which the tick labels are rounded, 0 to 5.
    int DecimalsX = 0;
    int DecimalsY = 0;
    // The size of the bound image and of its bitmap, in pixels.
    int W = 0;
    int H = 0;
};

struct GraphSlot : GraphView {
    std::array<CurveSlot, CurveSlotCount> Curves{};
};
