#pragma once
// The glyphs of the unit conversion window's arrow buttons.

#include <QImage>

enum class ArrowDirection { Down, Up };

inline constexpr int ArrowGlyphWidth = 21;   // pixels
inline constexpr int ArrowGlyphHeight = 35;  // pixels

// A pure red arrow, a shaft 4 pixels wide under a head 20 pixels broad, on a transparent
// ground. Drawn pixel by pixel so that no edge is blended into another colour.
QImage ArrowGlyph(ArrowDirection direction);
