#pragma once
// The picture of the same pair of series of one or more computed shots (plot, compare): one
// curve per shot in the pictures' colours, each named in the legend with the gun's muzzle
// velocity and energy.

#include <optional>
#include <span>

#include "graph/ComparedSeries.h"
#include "graph/PictureGraph.h"

// The graph of the pair that the items of "Axis Y" and "Axis X" select (rows of PlotQuantities
// and PlotAxes), entries 0 … LastIndex of each result, titled "pressure over time" with the
// axes "pressure [MPa]" and "time [ms]". The curves look into the results, which must outlive
// it. Nothing for a pair the graph does not plot. At most MostComparedResults results.
std::optional<PictureGraph> ResultsPicture(std::span<const ComparedResult> results, int yItem,
                                           int xItem);
