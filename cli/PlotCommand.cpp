// velloran-cli plot: the graph of a saved gun's shot as a PNG, drawn as the main window draws it.

#include <QImage>
#include <memory>

#include "cli/CliArguments.h"
#include "cli/Commands.h"
#include "common/CommandErrors.h"
#include "common/WholeFileSaving.h"
#include "datafile/GunReportFile.h"
#include "graph/GraphDrawing.h"
#include "graph/GraphInteraction.h"
#include "graph/GraphStore.h"
#include "graph/PainterCanvas.h"
#include "graph/PlotQuantities.h"
#include "graph/SeriesSelection.h"
#include "model/ComputeCommand.h"

namespace {

template <class Items>
std::string NamesOf(const Items& items) {
    std::string names;
    for (const auto& item : items) {
        names += std::string(names.empty() ? "" : ", ") + item.series->name;
    }
    return names;
}

// The row of the quantity or axis whose series has the given name.
template <class Items>
int ItemNamed(const std::string& name, const Items& items, const char* option) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (name == items[i].series->name) {
            return static_cast<int>(i);
        }
    }
    throw UsageError(std::string(option) + " '" + name + "' is not one of " + NamesOf(items));
}

// "WxH", each side large enough for the graph's margins and small enough for memory.
QSize ParseImageSize(const std::string& text) {
    const size_t times = text.find('x');
    if (times == std::string::npos) {
        throw UsageError("--size takes WxH, such as 426x258, not '" + text + "'");
    }
    return QSize(ParseCliCount(text.substr(0, times), "the width", 83),
                 ParseCliCount(text.substr(times + 1), "the height", 83))
        .boundedTo(QSize(10000, 10000));
}

int RunPlot(std::span<const std::string> words, CliStreams&) {
    const OptionSpec options[] = {{"--y"}, {"--x"}, {"-o"}, {"--size"}};
    const CliArguments arguments = ParseCliArguments(words, options);
    if (arguments.positionals.size() != 1) {
        throw UsageError("give one gun report");
    }
    if (!arguments.Has("--y") || !arguments.Has("-o")) {
        throw UsageError("give the quantity with --y and the picture with -o");
    }
    const int yItem = ItemNamed(arguments.Option("--y"), PlotQuantities, "--y");
    const int xItem = ItemNamed(arguments.Option("--x", "time"), PlotAxes, "--x");
    const auto result = std::make_unique<SimulationResult>();
    if (!SelectedSeries(*result, yItem, xItem)) {
        throw UsageError("the graph does not plot " + arguments.Option("--y") +
                         " over bullet_travel; plot it over time");
    }
    const QSize size = ParseImageSize(arguments.Option("--size", "426x258"));

    const GunParameters gun = LoadGunReport(QString::fromStdString(arguments.positionals[0]));
    ModelInputs inputs;
    SimulateShotFromFields(ParameterTextsOf(gun), '.', inputs, *result);

    // The main window's steps: the start view, the fit to the image, the chosen curve.
    const auto graph = std::make_unique<GraphStore>();
    QImage image;
    {
        PainterCanvas canvas(image);
        const GraphDrawing drawing{canvas, result->LastIndex, '.'};
        InitGraph(*graph, Graf0Slot, drawing);
        FitGraphToImage(
            *graph, Graf0Slot, size.width(), size.height(),
            [&image](int width, int height) {
                image = QImage(width, height, QImage::Format_RGB32);
            },
            drawing);
        LoadSelectedSeries(*result, yItem, xItem, *graph, canvas, '.');
    }
    if (!SaveFileWhole(QString::fromStdString(arguments.Option("-o")),
                       [&image](QIODevice& file) { return image.save(&file, "PNG"); })) {
        ShowMessageAndAbort(FileSavingErrorMessage);
    }
    return 0;
}

}  // namespace

const CliCommand PlotCommand = {
    "plot",
    "GUN.txt --y QUANTITY [--x time|bullet_travel] -o FILE.png [--size WxH]",
    "Computes the shot of a saved gun and draws its graph as the main window does, into a PNG\n"
    "picture.\n"
    "\n"
    "  --y QUANTITY   bullet_velocity, bullet_travel, piston_velocity, piston_travel, pressure\n"
    "                 or temperature\n"
    "  --x AXIS       time (default) or bullet_travel; over bullet_travel only the bullet\n"
    "                 velocity, the pressure and the temperature are plotted\n"
    "  -o FILE.png    the picture to write\n"
    "  --size WxH     its size in pixels (default 426x258, the window's graph)\n"
    "\n"
    "Exit status: 0 on success, 1 when the gun is refused, its shot fails or the picture\n"
    "cannot be written, 2 for wrong usage.\n",
    RunPlot,
};
