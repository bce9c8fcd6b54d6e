#pragma once
// Several results in one graph: the same pair of series of each, in the curves whose pens
// tell them apart, with a legend naming each.

#include <span>
#include <string>

#include "graph/GraphDrawing.h"
#include "graph/GraphSlot.h"
#include "model/SimulationResult.h"

struct ComparedResult {
    const SimulationResult& result;  // computed and in display units
    std::string name;                // the legend's text for it
};

// The curves with pens of their own: red, blue, black and green.
inline constexpr size_t MostComparedResults = 4;

// Loads the pair of series of every result that the items of "Axis Y" and "Axis X" select
// (rows of PlotQuantities and PlotAxes), entries 0 … its own LastIndex, into the curves 0, 1, …
// in order; ranges the graph over all of them, draws it, the legend and a title naming the
// series. Returns false, having
// loaded nothing, for a pair the graph does not plot. At most MostComparedResults results.
bool LoadComparedSeries(std::span<const ComparedResult> results, int yItem, int xItem,
                        GraphSlot& slot, const GraphDrawing& drawing);
