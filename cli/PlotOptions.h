#pragma once
// The options of the commands that draw the window's graph into a picture: the quantity, the
// axis and the picture's size, with the graph's own refusals.

#include <QSize>
#include <string>

namespace CLI {
class App;
}

struct PlotOptions {
    std::string quantity;          // --y, a series name of PlotQuantities
    std::string axis = "time";     // --x, a series name of PlotAxes
    std::string picture;           // -o
    std::string size = "426x258";  // --size WxH, the window's graph by default
};

// Declares --y, --x, -o and --size on the command, bound to the options.
void AddPlotOptions(CLI::App& command, PlotOptions& options);

// The items of "Axis Y" and "Axis X" that the options choose. Raises UsageError for a pair the
// graph does not plot (piston velocity over the bullet's travel, say).
struct PlotItems {
    int quantity;  // row of PlotQuantities
    int axis;      // row of PlotAxes
};
PlotItems ChosenPlotItems(const PlotOptions& options);

// The picture's size: each side from 83 pixels (room for the graph's margins) to 10000. Raises
// UsageError otherwise.
QSize ChosenPictureSize(const PlotOptions& options);
