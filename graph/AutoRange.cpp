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

void AutoRange(GraphSlot& slot, int lastIndex) {
    slot.XMin = slot.YMin = NoMinimum;
    slot.XMax = slot.YMax = NoMaximum;
    // Whether any point was met is counted, not read off the minimum: a curve whose values
    // all lie at 1e20 or beyond leaves the minimum where it started, and taking that for "no
    // point" would put the curve far outside the view, beyond any pixel.
    bool pointVisited = false;
    for (const CurveSlot& curve : slot.Curves) {
        if (curve.Active != 1) {
            continue;
        }
        const auto last = static_cast<size_t>(LastWalkedPoint(curve, lastIndex));
        for (size_t i = 0; i <= last; ++i) {
            pointVisited = true;
            if (curve.X[i] < slot.XMin) {
                slot.XMin = curve.X[i];
            }
            if (curve.X[i] > slot.XMax) {
                slot.XMax = curve.X[i];
            }
            if (curve.Y[i] < slot.YMin) {
                slot.YMin = curve.Y[i];
            }
            if (curve.Y[i] > slot.YMax) {
                slot.YMax = curve.Y[i];
            }
        }
    }
    if (!pointVisited) {
        slot.XMin = slot.YMin = 0;
        slot.XMax = slot.YMax = 1;
    }
    if (slot.YMin == slot.YMax) {
        slot.YMin *= FlatFloor;
    }
    slot.XMax *= Padding;
    slot.YMax *= Padding;
    slot.DecimalsY = ChooseDecimals(std::fabs(slot.YMin - slot.YMax), slot.DecimalsY);
    slot.DecimalsX = ChooseDecimals(std::fabs(slot.XMin - slot.XMax), slot.DecimalsX);
}
