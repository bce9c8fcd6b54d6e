#pragma once
// The options of the commands that draw a graph into a picture: the quantity, the axis, the
// picture's file and size, with the graph's own refusals.

#include <QSize>
#include <functional>
#include <string>

#include "common/Canvas.h"
#include "graph/PictureFormat.h"

namespace CLI {
class App;
}

struct PlotOptions {
    std::string quantity;          // --y, a series name of PlotQuantities
    std::string axis = "time";     // --x, a series name of PlotAxes
    std::string picture;           // -o, its extension gives the format
    std::string size = "426x258";  // --size WxH, the window's graph by default
};

// The -o option's text and help, for every command that draws a picture.
inline constexpr const char* PictureOptionText = "FILE.png|svg|pdf";
inline constexpr const char* PictureOptionHelp =
    "the picture to write: PNG, SVG or PDF by the name's extension";

// Declares --y, --x, -o and --size on the command, bound to the options.
void AddPlotOptions(CLI::App& command, PlotOptions& options);

// The items of "Axis Y" and "Axis X" that the options choose. Raises UsageError for a pair the
// graph does not plot (piston velocity over the bullet's travel, say).
struct PlotItems {
    int quantity;  // row of PlotQuantities
    int axis;      // row of PlotAxes
};
PlotItems ChosenPlotItems(const PlotOptions& options);

// The format the picture's extension asks for: .png, .svg or .pdf in any case; PNG for a FIFO
// or a device (/dev/stdout). Raises UsageError for any other, so that nothing is computed and
// no file written.
PictureFormat ChosenPictureFormat(const std::string& picture);

// Writes the picture drawn by draw() into the file whole (see SaveFileWhole); ends the command
// with "File saving error." when it cannot.
void SavePicture(const std::string& path, const PictureSpec& picture,
                 const std::function<void(Canvas&)>& draw);

// The picture's size: each side from 83 pixels (room for the graph's margins) to 10000. Raises
// UsageError otherwise.
QSize ChosenPictureSize(const PlotOptions& options);
