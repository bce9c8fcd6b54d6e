#pragma once
// A small drawing surface in integer pixels, y growing downwards. The graph draws through it,
// so its logic runs and is tested without a windowing toolkit.

#include <cstdint>
#include <string_view>

struct Colour {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;
    bool operator==(const Colour&) const = default;
};

enum class PenStyle { Solid, Dashed, Dotted };

class Canvas {
public:
    virtual ~Canvas() = default;

    // Fills the rectangle from (left, top) up to, but not including, (right, bottom) with the
    // brush colour.
    virtual void FillRect(int left, int top, int right, int bottom) = 0;
    virtual void SetBrushColour(Colour colour) = 0;
    // width in pixels
    virtual void SetPen(Colour colour, int width, PenStyle style) = 0;
    virtual void MoveTo(int x, int y) = 0;
    // A line from the current point to (x, y), which becomes the current point.
    virtual void LineTo(int x, int y) = 0;
    // The ellipse inside the box from (left, top) up to, but not including, (right, bottom),
    // outlined with the pen and filled with the brush.
    virtual void Ellipse(int left, int top, int right, int bottom) = 0;
    // size in points
    virtual void SetFont(std::string_view name, int size, Colour colour) = 0;
    // Writes the text with its top-left corner at (x, y), on an opaque box of the brush colour.
    virtual void TextOut(int x, int y, std::string_view text) = 0;
    // How wide, in pixels, TextOut writes the text in the family last set at size points. A
    // canvas that cannot measure estimates: an average glyph of a sans-serif font is 0.55 of
    // the font's height in pixels (its points at 96 dots per inch).
    virtual int TextWidth(std::string_view text, int size) const {
        return static_cast<int>(static_cast<double>(text.size()) * size * 96 / 72 * 0.55 + 0.5);
    }
};
