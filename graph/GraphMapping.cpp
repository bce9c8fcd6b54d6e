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

double ValueToPixelX(double x, const GraphView& view) {
    return (view.W - PlotInset) * (x - view.XMin) / (view.XMax - view.XMin) + MarginLeftBottom;
}

double ValueToPixelY(double y, const GraphView& view) {
    return view.H - (view.H - PlotInset) * (y - view.YMin) / (view.YMax - view.YMin) -
           MarginLeftBottom;
}

double PixelToValueX(double px, const GraphView& view) {
    return (px - MarginLeftBottom) / ((view.W - PlotInset) / (view.XMax - view.XMin)) + view.XMin;
}

double PixelToValueY(double py, const GraphView& view) {
    return (view.H - (MarginLeftBottom + py)) / ((view.H - PlotInset) / (view.YMax - view.YMin)) +
           view.YMin;
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
