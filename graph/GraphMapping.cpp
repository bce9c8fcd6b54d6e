#include "graph/GraphMapping.h"

#include <cmath>
#include <limits>

#include "common/CommandErrors.h"
#include "common/FloatingPointFaults.h"
#include "graph/GraphLayout.h"

namespace {
// The bitmap's width less the plot rectangle's width; the same for the heights.
constexpr int PlotInset = MarginLeftBottom + MarginRightTop;
}  // namespace

double ValueToPixelX(double x, const GraphSlot& slot) {
    return (slot.W - PlotInset) * (x - slot.XMin) / (slot.XMax - slot.XMin) + MarginLeftBottom;
}

double ValueToPixelY(double y, const GraphSlot& slot) {
    return slot.H - (slot.H - PlotInset) * (y - slot.YMin) / (slot.YMax - slot.YMin) -
           MarginLeftBottom;
}

double PixelToValueX(double px, const GraphSlot& slot) {
    return (px - MarginLeftBottom) / ((slot.W - PlotInset) / (slot.XMax - slot.XMin)) + slot.XMin;
}

double PixelToValueY(double py, const GraphSlot& slot) {
    return (slot.H - (MarginLeftBottom + py)) / ((slot.H - PlotInset) / (slot.YMax - slot.YMin)) +
           slot.YMin;
}

int TruncatePixel(double coordinate) {
    if (!std::isfinite(coordinate)) {
        throw CommandError(FloatingPointFaultMessage(FloatingPointFault::InvalidOperation));
    }
    const double truncated = std::trunc(coordinate);
    if (truncated < std::numeric_limits<int>::min() ||
        truncated > std::numeric_limits<int>::max()) {
        throw CommandError(FloatingPointFaultMessage(FloatingPointFault::InvalidOperation));
    }
    return static_cast<int>(truncated);
}
