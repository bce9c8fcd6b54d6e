#pragma once
// A canvas that draws onto part of another, shifted by an offset: so that several graphs,
// each drawn from its own (0, 0), share one picture.

#include <algorithm>
#include <limits>

#include "common/Canvas.h"

class ShiftedCanvas final : public Canvas {
public:
    ShiftedCanvas(Canvas& target, int offsetX, int offsetY)
        : target_(target), offsetX_(offsetX), offsetY_(offsetY) {}

    void FillRect(int left, int top, int right, int bottom) override {
        target_.FillRect(X(left), Y(top), X(right), Y(bottom));
    }
    void SetBrushColour(Colour colour) override { target_.SetBrushColour(colour); }
    void SetPen(Colour colour, int width, PenStyle style) override {
        target_.SetPen(colour, width, style);
    }
    void MoveTo(int x, int y) override { target_.MoveTo(X(x), Y(y)); }
    void LineTo(int x, int y) override { target_.LineTo(X(x), Y(y)); }
    void Ellipse(int left, int top, int right, int bottom) override {
        target_.Ellipse(X(left), Y(top), X(right), Y(bottom));
    }
    void SetFont(std::string_view name, int size, Colour colour) override {
        target_.SetFont(name, size, colour);
    }
    void TextOut(int x, int y, std::string_view text) override {
        target_.TextOut(X(x), Y(y), text);
    }
    int TextWidth(std::string_view text, int size) const override {
        return target_.TextWidth(text, size);
    }

private:
    // A point far outside the picture (a curve point beyond the view) stays at the edge of the
    // int range rather than overflowing.
    static int Shifted(int coordinate, int offset) {
        const long long shifted = static_cast<long long>(coordinate) + offset;
        return static_cast<int>(std::clamp<long long>(shifted, std::numeric_limits<int>::min(),
                                                      std::numeric_limits<int>::max()));
    }
    int X(int x) const { return Shifted(x, offsetX_); }
    int Y(int y) const { return Shifted(y, offsetY_); }

    Canvas& target_;
    int offsetX_;
    int offsetY_;
};
