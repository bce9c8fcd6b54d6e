#include "graph/GraphInteraction.h"

#include <algorithm>
#include <cmath>

#include "common/FieldNumber.h"
#include "graph/AutoRange.h"
#include "graph/DrawGraph.h"
#include "graph/GraphLayout.h"
#include "graph/GraphMapping.h"
#include "graph/LabelRounding.h"

namespace {

constexpr double StartViewMaximum = 1.05;
constexpr int StartDecimals = 2;
constexpr int ReadoutExtraDecimals = 2;
// A rubber band must span this share of the view on both axes to zoom.
constexpr double ZoomThreshold = 0.1;

bool LargeEnoughToZoom(const GraphStore& store, const GraphSlot& slot, double vx, double vy) {
    return !(std::fabs(store.DragAnchorX - vx) < ZoomThreshold * (slot.XMax - slot.XMin) ||
             std::fabs(store.DragAnchorY - vy) < ZoomThreshold * (slot.YMax - slot.YMin));
}

}  // namespace

void InitGraph(GraphStore& store, int slot, const GraphDrawing& drawing) {
    GraphSlot& graph = store.Slot(slot);
    ShowStartView(graph, graph.Curves, drawing);
    store.DragActive = 0;
}

void ShowStartView(GraphView& view, std::span<const CurveSlot> curves,
                   const GraphDrawing& drawing) {
    view.XMin = view.YMin = 0;
    view.XMax = view.YMax = StartViewMaximum;
    view.DecimalsX = view.DecimalsY = StartDecimals;
    DrawGraph(view, curves, drawing);
}

GraphReadout Graf0MouseDown(GraphStore& store, int slot, int x, int y, char decimalSeparator) {
    const GraphSlot& graph = store.Slot(slot);
    const double vx = PixelToValueX(x, graph);
    const double vy = PixelToValueY(y, graph);
    GraphReadout readout{NumberToField(RoundToDecimals(vx, graph.DecimalsX + ReadoutExtraDecimals),
                                       decimalSeparator),
                         NumberToField(RoundToDecimals(vy, graph.DecimalsY + ReadoutExtraDecimals),
                                       decimalSeparator)};
    store.DragAnchorX = vx;
    store.DragAnchorY = vy;
    store.DragActive = 1;
    return readout;
}

std::optional<RubberBand> DrawRubberBand(const GraphStore& store, int slot, int x, int y) {
    if (store.DragActive != 1) {
        return std::nullopt;
    }
    const GraphSlot& graph = store.Slot(slot);
    const bool red =
        !LargeEnoughToZoom(store, graph, PixelToValueX(x, graph), PixelToValueY(y, graph));
    // From the stored data coordinates, so the anchor may sit a pixel off the pressed one.
    const int ax = TruncatePixel(ValueToPixelX(store.DragAnchorX, graph));
    const int ay = TruncatePixel(ValueToPixelY(store.DragAnchorY, graph));
    return RubberBand{{PixelPoint{ax, ay}, PixelPoint{x, ay}, PixelPoint{x, y}, PixelPoint{ax, y}},
                      red};
}

void PaintRubberBand(const RubberBand& band, int offsetX, int offsetY, Canvas& canvas) {
    constexpr Colour Black{0, 0, 0};
    constexpr Colour Red{255, 0, 0};
    canvas.SetPen(band.red ? Red : Black, 1, PenStyle::Dashed);
    canvas.MoveTo(band.corners[0].x + offsetX, band.corners[0].y + offsetY);
    for (size_t i = 1; i <= band.corners.size(); ++i) {
        const PixelPoint& corner = band.corners[i % band.corners.size()];
        canvas.LineTo(corner.x + offsetX, corner.y + offsetY);
    }
}

bool ZoomToRubberBand(GraphStore& store, int slot, int x, int y, const GraphDrawing& drawing) {
    // First, so that a redraw that fails leaves no drag behind for the next move to draw.
    store.DragActive = 0;
    GraphSlot& graph = store.Slot(slot);
    const double vx = PixelToValueX(x, graph);
    const double vy = PixelToValueY(y, graph);
    if (!LargeEnoughToZoom(store, graph, vx, vy)) {
        return false;
    }
    graph.XMin = std::min(store.DragAnchorX, vx);
    graph.XMax = std::max(store.DragAnchorX, vx);
    graph.YMin = std::min(store.DragAnchorY, vy);
    graph.YMax = std::max(store.DragAnchorY, vy);
    graph.DecimalsY = ChooseDecimals(std::fabs(graph.YMin - graph.YMax), graph.DecimalsY);
    graph.DecimalsX = ChooseDecimals(std::fabs(graph.XMin - graph.XMax), graph.DecimalsX);
    DrawGraph(graph, drawing);
    return true;
}

void Graf0DblClick(GraphStore& store, int slot, const GraphDrawing& drawing) {
    GraphSlot& graph = store.Slot(slot);
    AutoRange(graph, drawing.lastIndex);
    DrawGraph(graph, drawing);
}

bool FitGraphToImage(GraphStore& store, int slot, int width, int height,
                     const std::function<void(int, int)>& resizeBitmap,
                     const GraphDrawing& drawing) {
    GraphSlot& graph = store.Slot(slot);
    return FitGraphToImage(graph, graph.Curves, width, height, resizeBitmap, drawing);
}

bool FitGraphToImage(GraphView& view, std::span<const CurveSlot> curves, int width, int height,
                     const std::function<void(int, int)>& resizeBitmap,
                     const GraphDrawing& drawing) {
    if (width < MinimumImageSide || height < MinimumImageSide) {
        return false;
    }
    view.W = width;
    view.H = height;
    resizeBitmap(width, height);
    DrawGraph(view, curves, drawing);
    return true;
}
