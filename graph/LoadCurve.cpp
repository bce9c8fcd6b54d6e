#include "graph/LoadCurve.h"

#include <stdexcept>

#include "common/CommandErrors.h"
#include "graph/AutoRange.h"
#include "graph/DrawGraph.h"

void LoadCurve(std::span<const double> xs, std::span<const double> ys, int first, int last,
               int step, GraphView& view, std::span<CurveSlot> curves, int curve, int style,
               const GraphDrawing& drawing) {
    PutCurve(xs, ys, first, last, step, curves, curve, style);
    AutoRange(view, curves, drawing.lastIndex);
    DrawGraph(view, curves, drawing);
}

void PutCurve(std::span<const double> xs, std::span<const double> ys, int first, int last,
              int step, std::span<CurveSlot> curves, int curve, int style) {
    if (curve < 0 || static_cast<size_t>(curve) >= curves.size()) {
        throw std::out_of_range("A curve is loaded into one of the graph's curves");
    }
    CurveSlot& target = curves[static_cast<size_t>(curve)];
    // All points, not only those a result can fill, so no earlier load's points survive.
    target.X.fill(0);
    target.Y.fill(0);
    if (step < 1) {
        throw std::out_of_range("A curve is loaded with a step of at least 1");
    }
    // In 64 bits, so no pair of int indices overflows.
    const long long span = static_cast<long long>(last) - first;
    const long long count = span / step + 1;
    if (count > CurveCapacity) {
        ShowMessageAndAbort(TooManyPointsMessage);
    }
    if (span >= 0 && (first < 0 || static_cast<size_t>(last) >= xs.size() ||
                      static_cast<size_t>(last) >= ys.size())) {
        throw std::out_of_range("The curve's points lie outside its series");
    }
    size_t k = 0;
    for (long long j = 0; j <= span; j += step) {
        const auto source = static_cast<size_t>(first + j);
        target.X[k] = xs[source];
        target.Y[k] = ys[source];
        ++k;
    }
    target.Active = 1;
    target.Style = style;
    target.OwnLastIndex.reset();
}
