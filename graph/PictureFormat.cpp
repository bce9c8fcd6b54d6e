#include "graph/PictureFormat.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

struct FormatName {
    const char* extension;
    PictureFormat format;
};
constexpr std::array<FormatName, 3> FormatNames = {{
    {".png", PictureFormat::Png},
    {".svg", PictureFormat::Svg},
    {".pdf", PictureFormat::Pdf},
}};

}  // namespace

std::optional<PictureFormat> PictureFormatOfName(std::string_view fileName) {
    for (const FormatName& name : FormatNames) {
        const std::string_view extension = name.extension;
        if (fileName.size() > extension.size() &&
            std::equal(
                extension.begin(), extension.end(), fileName.end() - extension.size(),
                [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); })) {
            return name.format;
        }
    }
    return std::nullopt;
}
