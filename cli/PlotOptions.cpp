#include "cli/PlotOptions.h"

#include <CLI/App.hpp>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

#include "cli/CliNumbers.h"
#include "cli/CliValidators.h"
#include "cli/PictureDrawing.h"
#include "cli/UsageError.h"
#include "common/CommandErrors.h"
#include "common/WholeFileSaving.h"
#include "datafile/GunReportFile.h"
#include "graph/PlotQuantities.h"

namespace {

constexpr int SmallestPictureSide = 83;  // the graph is drawn only from 1.5 × its margins up
// 4096 × 4096 pixels of four bytes are 64 MiB: the picture stays within what a desktop spares.
constexpr int LargestPictureSide = 4096;

template <class Items>
std::vector<std::string> NamesOf(const Items& items) {
    std::vector<std::string> names;
    for (const auto& item : items) {
        names.emplace_back(item.series->name);
    }
    return names;
}

template <class Items>
int RowNamed(const std::string& name, const Items& items) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (name == items[i].series->name) {
            return static_cast<int>(i);
        }
    }
    return -1;  // the option's check refuses every other name before this is asked
}

std::string OverTravelList() {
    std::string list;
    for (const PlotQuantity& quantity : PlotQuantities) {
        if (quantity.plottedOverBulletTravel) {
            list += std::string(list.empty() ? "" : ", ") + quantity.series->name;
        }
    }
    return list;
}

}  // namespace

void AddPlotOptions(CLI::App& command, PlotOptions& options) {
    command.add_option("--y", options.quantity, "the quantity on the vertical axis")
        ->option_text("QUANTITY")
        ->required()
        ->check(CLI::IsMember(NamesOf(PlotQuantities)));
    command
        .add_option("--x", options.axis,
                    "the horizontal axis (default time); over bullet_travel the\n"
                    "graph plots " +
                        OverTravelList() + " only")
        ->option_text("AXIS")
        ->check(CLI::IsMember(NamesOf(PlotAxes)));
    command.add_option("-o", options.picture, PictureOptionHelp)
        ->option_text(PictureOptionText)
        ->required()
        ->check(WholeFileName);
    command
        .add_option("--size", options.size,
                    "its size in pixels (default 426x258, the window's graph)")
        ->option_text("WxH");
}

PlotItems ChosenPlotItems(const PlotOptions& options) {
    const PlotItems items{RowNamed(options.quantity, PlotQuantities),
                          RowNamed(options.axis, PlotAxes)};
    if (items.quantity < 0 || items.axis < 0 ||
        !IsPlotted(PlotQuantities[static_cast<size_t>(items.quantity)],
                   PlotAxes[static_cast<size_t>(items.axis)])) {
        throw UsageError("the graph does not plot " + options.quantity + " over " + options.axis +
                         "; plot it over time");
    }
    return items;
}

PictureFormat ChosenPictureFormat(const std::string& picture) {
    if (const std::optional<PictureFormat> format = PictureFormatOfName(picture)) {
        return *format;
    }
    // What is written through rather than replaced, a FIFO or a device such as /dev/stdout,
    // has no extension to tell: it takes PNG, as it always did.
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(picture, error);
    if (picture.starts_with("/dev/") ||
        (!error && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status) &&
         !std::filesystem::is_directory(status))) {
        return PictureFormat::Png;
    }
    throw UsageError("-o takes a picture named .png, .svg or .pdf, not '" + picture + "'");
}

void SavePicture(const std::string& path, const PictureSpec& picture,
                 const std::function<void(Canvas&)>& draw) {
    if (!SaveFileWhole(path, [&](QIODevice& file) { return WritePreparedPicture(file, picture, draw); })) {
        ShowMessageAndAbort(FileSavingErrorMessage);
    }
}

QSize ChosenPictureSize(const PlotOptions& options) {
    const size_t times = options.size.find('x');
    if (times == std::string::npos) {
        throw UsageError("--size takes WxH, such as 426x258, not '" + options.size + "'");
    }
    return {ParseCliCount(options.size.substr(0, times), "the width", SmallestPictureSide,
                          LargestPictureSide),
            ParseCliCount(options.size.substr(times + 1), "the height", SmallestPictureSide,
                          LargestPictureSide)};
}
