#pragma once
// What the mouse does on a graph, its start-up view and its fitting to the image, free of any
// window: the window forwards its events here and shows what comes back. X and Y are pixel
// coordinates in the graph's image.

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "common/Canvas.h"
#include "graph/GraphDrawing.h"
#include "graph/GraphStore.h"

// The start-up view: 0 to 1.05 on both axes with 2 decimals, drawn; no drag.
void InitGraph(GraphStore& store, int slot, const GraphDrawing& drawing);

// The start-up view of a graph kept outside the store, drawn with its curves.
void ShowStartView(GraphView& view, std::span<const CurveSlot> curves, const GraphDrawing& drawing);

// The data coordinates of a pressed pixel, as the readout fields Edit17 (x) and Edit18 (y)
// show them: rounded to two decimals more than the tick labels.
struct GraphReadout {
    std::string x;
    std::string y;
};

// A press: anchors a drag at the data coordinates under the pointer and returns the readout.
GraphReadout Graf0MouseDown(GraphStore& store, int slot, int x, int y, char decimalSeparator);

struct PixelPoint {
    int x;
    int y;
    bool operator==(const PixelPoint&) const = default;
};

// The rubber band of a drag, in the image's pixels: corners[0] is the anchor's, corners[2] the
// pointer's; the outline runs 0 → 1 → 2 → 3 → 0 (first along x). It is drawn with a dashed 1-pixel
// pen, red while the rectangle is too small to zoom (under a tenth of the view on either axis),
// else black.
struct RubberBand {
    std::array<PixelPoint, 4> corners;
    bool red;
};

// The rubber band from the anchor of the press to the pointer; nothing when no drag is on.
std::optional<RubberBand> DrawRubberBand(const GraphStore& store, int slot, int x, int y);

// Draws the band shifted by (offsetX, offsetY) onto a canvas over the shown graph.
void PaintRubberBand(const RubberBand& band, int offsetX, int offsetY, Canvas& canvas);

// A release: when the rectangle from the anchor of the last press (whether or not a drag is
// on) to the pointer spans at least a tenth of the view on both axes, it becomes the view,
// the decimals follow the new spans and the graph is redrawn. The drag ends in any case, even
// when the redraw fails. Returns whether it zoomed.
bool ZoomToRubberBand(GraphStore& store, int slot, int x, int y, const GraphDrawing& drawing);

// A double-click: the whole of every active curve again.
void Graf0DblClick(GraphStore& store, int slot, const GraphDrawing& drawing);

// Fits the graph to an image of width × height pixels: below MinimumImageSide on either side
// nothing happens; otherwise the slot takes the size, resizeBitmap(width, height) gives the
// bitmap the same size and the graph is redrawn with its view unchanged. The drawing's canvas
// must not hold the bitmap before its first operation (a PainterCanvas opens only then).
// Returns whether it fitted.
bool FitGraphToImage(GraphStore& store, int slot, int width, int height,
                     const std::function<void(int, int)>& resizeBitmap,
                     const GraphDrawing& drawing);

// The same for a graph kept outside the store.
bool FitGraphToImage(GraphView& view, std::span<const CurveSlot> curves, int width, int height,
                     const std::function<void(int, int)>& resizeBitmap,
                     const GraphDrawing& drawing);
