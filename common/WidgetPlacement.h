#pragma once
// Helpers for windows laid out at absolute pixel positions.

#include <QFont>
#include <QString>

class QLabel;
class QWidget;

// A font of the given character height in pixels. A family that the system lacks falls back
// to Liberation Sans ("Arial" reaches it through fontconfig as well).
QFont PixelFont(const QString& family, int pixelHeight, bool bold = false);

// The program's default window font: "MS Sans Serif", 11 pixels (8 pt).
QFont DefaultWindowFont();

// An auto-sized label with its top-left corner at (x, y) of its parent.
QLabel* PlaceLabel(QWidget* parent, const QString& text, int x, int y);

// An auto-sized label whose right edge ends at rightEdge.
QLabel* PlaceRightAlignedLabel(QWidget* parent, const QString& text, int rightEdge, int y);

// Gives a top-level window a fixed client area and centres it on its screen.
void FixClientSizeAndCentre(QWidget* window, int width, int height);
