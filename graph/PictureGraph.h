#pragma once
// A graph drawn as a picture for a post or a report, not as the window draws its graph: a
// title, axis titles with units, ticks at round steps over the data's whole range, grid lines
// on the ticks and a legend. Every size (fonts, lines, margins, markers) grows with the
// picture, so a large picture looks like the default one enlarged.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/Canvas.h"

struct PictureCurve {
    std::span<const double> xs;
    std::span<const double> ys;  // as many as xs
    Colour colour;
    bool joined;         // the points joined by lines
    bool marked;         // a filled circle at every point
    std::string legend;  // the curve's row in the legend; none when empty
};

struct PictureGraph {
    std::string title;   // names the quantities: "pressure over time"
    std::string xTitle;  // quantity and unit: "time [ms]"
    std::string yTitle;
    std::vector<PictureCurve> curves;
};

// An axis title: the quantity and its unit in brackets, "time [ms]".
std::string AxisTitle(std::string_view quantity, std::string_view unit);

// The window's graph, 426 × 258 pixels, is the picture's size at scale 1.
inline constexpr int DefaultGraphWidth = 426;
inline constexpr int DefaultGraphHeight = 258;

// How much a graph of width × height is enlarged over one of the default size: by the smaller
// of the two ratios, so that text that fits the default fits every size.
double PictureScale(int width, int height);

// The colours of the curves told apart in a picture, in order: red, blue, black, green, as the
// window's first curve slots.
Colour PictureCurveColour(size_t curve);

// Draws the graph over the canvas from (0, 0) to (width, height), on a white ground. The axes
// span every point of every curve, from a tick at or below the lowest to one at or above the
// highest; an axis without any point spans 0 … 1. A curve without points has no legend row.
// The plot's left edge stands right of the y labels, or at leastLeft if that is further:
// graphs stacked in one picture line up.
void DrawPictureGraph(const PictureGraph& graph, int width, int height, double scale,
                      Canvas& canvas, int leastLeft = 0);

// Where DrawPictureGraph would put the plot's left edge, in pixels from the graph's.
int PictureGraphLeft(const PictureGraph& graph, int width, int height, double scale,
                     const Canvas& canvas);
