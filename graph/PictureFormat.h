#pragma once
// The formats a picture is written in, and what a picture to write is: known without drawing,
// so that the tool can refuse a wrong name before it loads what draws.

#include <QSize>
#include <optional>
#include <string>
#include <string_view>

enum class PictureFormat { Png, Svg, Pdf };

// The format that a file name's extension asks for, in any case (.png, .PNG …); nothing for
// another extension or none.
std::optional<PictureFormat> PictureFormatOfName(std::string_view fileName);

struct PictureSpec {
    PictureFormat format;
    QSize size;         // pixels
    std::string title;  // the document's title in an SVG or PDF
};
