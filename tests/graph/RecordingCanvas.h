#pragma once
// A canvas that writes down what is drawn on it, so tests check the drawing itself: every
// operation in order as a short text, and the lines and texts with the pen and brush they
// were drawn with.

#include <string>
#include <vector>

#include "common/Canvas.h"

struct RecordedLine {
    int x1, y1, x2, y2;
    Colour colour;
    int width;
    PenStyle style;
};

struct RecordedText {
    int x, y;
    std::string text;
    Colour background;
};

class RecordingCanvas : public Canvas {
public:
    void FillRect(int left, int top, int right, int bottom) override {
        Record("FillRect", left, top, right, bottom);
    }
    void SetBrushColour(Colour colour) override {
        brush_ = colour;
        Record("Brush", colour.Red, colour.Green, colour.Blue);
    }
    void SetPen(Colour colour, int width, PenStyle style) override {
        pen_ = {0, 0, 0, 0, colour, width, style};
        Record("Pen", colour.Red, colour.Green, colour.Blue, width, static_cast<int>(style));
    }
    void MoveTo(int x, int y) override {
        x_ = x;
        y_ = y;
        Record("MoveTo", x, y);
    }
    void LineTo(int x, int y) override {
        lines.push_back({x_, y_, x, y, pen_.colour, pen_.width, pen_.style});
        x_ = x;
        y_ = y;
        Record("LineTo", x, y);
    }
    void Ellipse(int left, int top, int right, int bottom) override {
        Record("Ellipse", left, top, right, bottom);
    }
    void SetFont(std::string_view name, int size, Colour colour) override {
        Record("Font " + std::string(name), size, colour.Red, colour.Green, colour.Blue);
    }
    void TextOut(int x, int y, std::string_view text) override {
        texts.push_back({x, y, std::string(text), brush_});
        Record("Text " + std::string(text), x, y);
    }

    void Clear() {
        operations.clear();
        lines.clear();
        texts.clear();
    }

    // "MoveTo 35 223", "Pen 0 0 0 1 2" (colour, width, style), "Text 0.14 80 229" …
    std::vector<std::string> operations;
    std::vector<RecordedLine> lines;
    std::vector<RecordedText> texts;

private:
    template <typename... Values>
    void Record(const std::string& name, Values... values) {
        std::string entry = name;
        ((entry += ' ' + std::to_string(values)), ...);
        operations.push_back(entry);
    }

    RecordedLine pen_{0, 0, 0, 0, {}, 1, PenStyle::Solid};
    Colour brush_{};
    int x_ = 0;
    int y_ = 0;
};
