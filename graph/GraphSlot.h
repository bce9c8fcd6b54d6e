#pragma once
// One graph: its view, its label decimals, its curves and the size of the bitmap it draws.

#include <array>

#include "graph/CurveSlot.h"

inline constexpr int CurveSlotCount = 10;

struct GraphSlot {
    // The view ranges, in the units of the plotted series.
    double XMin = 0;
    double XMax = 0;
    double YMin = 0;
    double YMax = 0;
    // The decimals to which the tick labels are rounded, 0 to 5.
    int DecimalsX = 0;
    int DecimalsY = 0;
    std::array<CurveSlot, CurveSlotCount> Curves{};
    // The size of the bound image and of its bitmap, in pixels.
    int W = 0;
    int H = 0;
};
