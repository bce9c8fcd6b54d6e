#pragma once
// Which pair of result series the graph plots for the items chosen in "Axis Y" (RadioGroup1)
// and "Axis X" (RadioGroup2).

#include <optional>
#include <span>

#include "graph/GraphDrawing.h"
#include "graph/GraphStore.h"
#include "model/SimulationResult.h"

struct SeriesPair {
    const Series& x;
    const Series& y;
};

// The x and y series of the result for the item indices of the two groups (rows of
// PlotAxes and PlotQuantities). Nothing for the pairs that are not plotted (bullet travel,
// piston velocity or piston travel over bullet travel) and for indices outside the groups.
std::optional<SeriesPair> SelectedSeries(const SimulationResult& result, int yItem, int xItem);

// Loads the selected pair, entries 0 … LastIndex, into the result curve of Graf0's graph and
// shows it whole. Where nothing is selected, nothing is loaded and the graph keeps showing
// what it showed. Returns whether a pair was loaded.
bool LoadSelectedSeries(const SimulationResult& result, int yItem, int xItem, GraphStore& store,
                        Canvas& canvas, char decimalSeparator);

// The same into the result curve of a graph kept outside the store.
bool LoadSelectedSeries(const SimulationResult& result, int yItem, int xItem, GraphView& view,
                        std::span<CurveSlot> curves, Canvas& canvas, char decimalSeparator);
