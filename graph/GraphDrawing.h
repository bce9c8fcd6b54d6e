#pragma once
// What a redraw of a graph needs besides the store: the graph doesn't own the result whose
// curve it shows, nor the user's settings.

class Canvas;

struct GraphDrawing {
    Canvas& canvas;         // over the graph's whole bitmap
    int lastIndex;          // LastIndex of the current result: the lower bound of every curve walk
    char decimalSeparator;  // the user's, for the tick labels
};
