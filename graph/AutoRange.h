#pragma once
// The view that shows every active curve whole.

#include <span>

#include "graph/GraphSlot.h"

// Sets the view ranges to the smallest and largest values of the walked points of the active
// curves, the maxima 5 % beyond (never below 1.05e-20), and both label decimals to suit.
// Without a point it takes 0 to 1.05 on both axes; a flat curve gets its y range from 95 %
// of its value. Draws nothing. lastIndex bounds the curve walk.
void AutoRange(GraphView& view, std::span<const CurveSlot> curves, int lastIndex);

inline void AutoRange(GraphSlot& slot, int lastIndex) {
    AutoRange(slot, slot.Curves, lastIndex);
}
