#include "tools/ArrowGlyph.h"

#include <QColor>

namespace {

constexpr int MarginRows = 2;  // free rows above the shaft and below the tip
constexpr int ShaftLeft = 9;
constexpr int ShaftWidth = 4;
constexpr int HeadRows = 10;  // the head narrows by one pixel on either side per row

void FillRow(QImage& image, int y, int left, int width, QRgb colour) {
    for (int x = left; x < left + width; ++x) {
        image.setPixel(x, y, colour);
    }
}

}  // namespace

QImage ArrowGlyph(ArrowDirection direction) {
    QImage glyph(ArrowGlyphWidth, ArrowGlyphHeight, QImage::Format_ARGB32);
    glyph.fill(Qt::transparent);
    const QRgb red = qRgb(255, 0, 0);

    // Drawn pointing down; the up arrow is its mirror image.
    const int headTop = ArrowGlyphHeight - MarginRows - HeadRows;
    for (int y = MarginRows; y < headTop; ++y) {
        FillRow(glyph, y, ShaftLeft, ShaftWidth, red);
    }
    for (int row = 0; row < HeadRows; ++row) {
        // Centred on the shaft: 20 pixels at the base down to 2 at the tip.
        FillRow(glyph, headTop + row, ShaftLeft - 8 + row, ShaftWidth + 16 - 2 * row, red);
    }
    if (direction == ArrowDirection::Up) {
        return glyph.mirrored(false, true);
    }
    return glyph;
}
