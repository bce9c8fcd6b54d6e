#pragma once
// A small legend over a drawn graph that shows several curves: per curve a short sample in
// its pen and style and a text naming it; and a title above the plot rectangle. The window's
// graph, with its one curve and the radio groups beside it, has neither.

#include <span>
#include <string>

#include "common/Canvas.h"
#include "graph/GraphSlot.h"

struct LegendRow {
    int curve;  // the curve slot whose pen and style the sample shows
    std::string text;
};

// Draws the rows inside the corner of the plot rectangle where the fewest points and lines of
// the active curves lie beneath (top left when several are free), each row's sample on a white
// ground and its text on an opaque white box. lastIndex bounds the curve walks as in DrawGraph.
void DrawLegend(const GraphSlot& slot, std::span<const LegendRow> rows, int lastIndex,
                Canvas& canvas);

// Writes the text in the margin above the plot rectangle, left-aligned with it: what the axes
// show, where no radio group beside the picture says it.
void DrawGraphTitle(const std::string& text, Canvas& canvas);
