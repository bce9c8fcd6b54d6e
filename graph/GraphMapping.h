#pragma once
// Between data values and pixels of a graph's bitmap. The plot rectangle runs from
// x = 35 to W − 20 and from y = 20 (top) to H − 35 (bottom); pixel y grows downwards.

#include "graph/GraphSlot.h"

// Real pixel coordinates of a data value; outside the view they fall outside the rectangle.
double ValueToPixelX(double x, const GraphSlot& slot);
double ValueToPixelY(double y, const GraphSlot& slot);

// The data value at a real pixel coordinate.
double PixelToValueX(double px, const GraphSlot& slot);
double PixelToValueY(double py, const GraphSlot& slot);

// The integer pixel of a real coordinate, truncated toward zero. A coordinate that is not
// finite or does not fit an int (an empty view range, an absurd zoom) raises the CommandError
// "Invalid floating point operation": the graph cannot draw such a point, and says so the
// way every other failed computation is reported.
int TruncatePixel(double coordinate);
