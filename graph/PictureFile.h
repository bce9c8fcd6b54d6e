#pragma once
// A picture written as PNG, SVG or PDF, the format chosen by the file's extension.

#include <functional>

#include "common/Canvas.h"
#include "graph/PictureFormat.h"

class QIODevice;

// Draws the picture through draw() on a canvas with smooth edges and writes it into the file:
// a PNG bitmap of size pixels, or an SVG or PDF page of size pixels at 96 dots per inch, its
// lines and text kept as such. Whether all was written.
bool WritePicture(QIODevice& file, const PictureSpec& picture,
                  const std::function<void(Canvas&)>& draw);
