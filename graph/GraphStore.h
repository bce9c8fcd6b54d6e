#pragma once
// Everything the result graph keeps: ten graphs and the state of a mouse drag on any of them.
// It is large (about 16 MB); its owner allocates it once, zero-filled, for the program's life,
// and nothing is allocated for it while drawing.

#include <array>

#include "graph/GraphSlot.h"

inline constexpr int GraphSlotCount = 10;

// The graph of the main window's image Graf0 and the curve that shows the chosen series.
inline constexpr int Graf0Slot = 1;
inline constexpr int ResultCurve = 0;

struct GraphStore {
    std::array<GraphSlot, GraphSlotCount> Slots{};

    // A mouse drag, from a press on a graph until the next release.
    int DragActive = 0;
    // The data coordinates under the pointer at the last press, unrounded.
    double DragAnchorX = 0;
    double DragAnchorY = 0;

    // Throws std::out_of_range for a number outside 0 … 9 (a negative one wraps far beyond).
    GraphSlot& Slot(int number) { return Slots.at(static_cast<size_t>(number)); }
    const GraphSlot& Slot(int number) const { return Slots.at(static_cast<size_t>(number)); }
};
