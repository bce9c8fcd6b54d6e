#pragma once
// A picture written as PNG, SVG or PDF, the format chosen by the file's extension.

#include <QSize>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/Canvas.h"

class QIODevice;

enum class PictureFormat { Png, Svg, Pdf };

// The format that a file name's extension asks for, in any case (.png, .PNG …); nothing for
// another extension or none.
std::optional<PictureFormat> PictureFormatOfName(std::string_view fileName);

struct PictureSpec {
    PictureFormat format;
    QSize size;         // pixels
    std::string title;  // the document's title in an SVG or PDF
};

// Draws the picture through draw() on a canvas with smooth edges and writes it into the file:
// a PNG bitmap of size pixels, or an SVG or PDF page of size pixels at 96 dots per inch, its
// lines and text kept as such. Whether all was written.
bool WritePicture(QIODevice& file, const PictureSpec& picture,
                  const std::function<void(Canvas&)>& draw);
