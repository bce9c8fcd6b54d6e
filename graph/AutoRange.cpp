#include "graph/AutoRange.h"

#include <cmath>

#include "graph/CurveWalk.h"
#include "graph/LabelRounding.h"

namespace {
// The starting extremes: a tiny positive maximum, so a maximum is never below 1e-20 and a
// view is never empty.
constexpr double NoMinimum = 1e20;
constexpr double NoMaximum = 1e-20;
constexpr double Padding = 1.05;    // the maxima stand 5 % beyond the largest values
constexpr double FlatFloor = 0.95;  // a flat curve's y range starts 5 % below its value
}  // namespace

void AutoRange(GraphView& view, std::span<const CurveSlot> curves, int lastIndex) {
    view.XMin = view.YMin = NoMinimum;
    view.XMax = view.YMax = NoMaximum;
    // Whether any point was met is counted, not read off the minimum: a curve whose values
    // all lie at 1e20 or beyond leaves the minimum where it started, and taking that for "no
    // point" would put the curve far outside the view, beyond any pixel.
    bool pointVisited = false;
    for (const CurveSlot& curve : curves) {
        if (curve.Active != 1) {
            continue;
        }
        const auto last = static_cast<size_t>(LastWalkedPoint(curve, lastIndex));
        for (size_t i = 0; i <= last; ++i) {
            pointVisited = true;
            if (curve.X[i] < view.XMin) {
                view.XMin = curve.X[i];
            }
            if (curve.X[i] > view.XMax) {
                view.XMax = curve.X[i];
            }
            if (curve.Y[i] < view.YMin) {
                view.YMin = curve.Y[i];
            }
            if (curve.Y[i] > view.YMax) {
                view.YMax = curve.Y[i];
            }
        }
    }
    if (!pointVisited) {
        view.XMin = view.YMin = 0;
        view.XMax = view.YMax = 1;
    }
    if (view.YMin == view.YMax) {
        view.YMin *= FlatFloor;
    }
    view.XMax *= Padding;
    view.YMax *= Padding;
    view.DecimalsY = ChooseDecimals(std::fabs(view.YMin - view.YMax), view.DecimalsY);
    view.DecimalsX = ChooseDecimals(std::fabs(view.XMin - view.XMax), view.DecimalsX);
}
