#pragma once
// Copies a pair of series into a curve of a graph and shows it whole.

#include <span>

#include "graph/GraphDrawing.h"
#include "graph/GraphSlot.h"

inline constexpr const char* TooManyPointsMessage = "Too many points in Graph.";

// Clears the curve's points, copies the points first, first + step, … up to last of xs and
// ys into it, activates it with the given style, re-ranges the view over the curves (any zoom
// is dropped) and redraws it. More points than a curve holds end the command with "Too many points
// in Graph." after the clearing, before anything is copied or drawn. A last below first copies
// nothing; a step below 1 or indices outside the series are refused (std::out_of_range).
void LoadCurve(std::span<const double> xs, std::span<const double> ys, int first, int last,
               int step, GraphView& view, std::span<CurveSlot> curves, int curve, int style,
               const GraphDrawing& drawing);

inline void LoadCurve(std::span<const double> xs, std::span<const double> ys, int first, int last,
                      int step, GraphSlot& slot, int curve, int style,
                      const GraphDrawing& drawing) {
    LoadCurve(xs, ys, first, last, step, slot, slot.Curves, curve, style, drawing);
}

// The copying half of LoadCurve, with the same refusals: the curve holds the points, is
// active with the style and is walked up to the current result's LastIndex; the view and the
// picture are left as they are.
void PutCurve(std::span<const double> xs, std::span<const double> ys, int first, int last,
              int step, std::span<CurveSlot> curves, int curve, int style);

inline void PutCurve(std::span<const double> xs, std::span<const double> ys, int first, int last,
                     int step, GraphSlot& slot, int curve, int style) {
    PutCurve(xs, ys, first, last, step, slot.Curves, curve, style);
}
