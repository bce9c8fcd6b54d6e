// velloran-cli plot: the graph of a saved gun's shot as a PNG, drawn as the main window draws it.

#include <CLI/App.hpp>
#include <QImage>
#include <memory>

#include "cli/Commands.h"
#include "cli/OutputFiles.h"
#include "cli/PlotOptions.h"
#include "common/CommandErrors.h"
#include "common/WholeFileSaving.h"
#include "datafile/GunReportFile.h"
#include "graph/GraphDrawing.h"
#include "graph/GraphInteraction.h"
#include "graph/GraphStore.h"
#include "graph/PainterCanvas.h"
#include "graph/SeriesSelection.h"
#include "model/ComputeCommand.h"

namespace {

struct PlotCommandOptions : PlotOptions {
    std::string gun;
};

int RunPlot(const PlotCommandOptions& options, CliStreams&) {
    const PlotItems items = ChosenPlotItems(options);
    const QSize size = ChosenPictureSize(options);
    const auto result = std::make_unique<SimulationResult>();

    RefuseOutputsOverTheReport(options.gun, {{"-o", options.picture}});
    const GunParameters gun = LoadGunReport(options.gun);
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
        LoadSelectedSeries(*result, items.quantity, items.axis, *graph, canvas, '.');
    }
    if (!SaveFileWhole(options.picture,
                       [&image](QIODevice& file) { return image.save(&file, "PNG"); })) {
        ShowMessageAndAbort(FileSavingErrorMessage);
    }
    return 0;
}

CliAction DefinePlot(CLI::App& command) {
    auto options = std::make_shared<PlotCommandOptions>();
    command.description(
        "Computes the shot of a saved gun and draws its graph as the main window does, into a\n"
        "PNG picture.");
    AddGunReport(command, options->gun);
    AddPlotOptions(command, *options);
    command.footer(
        "Example: velloran-cli plot RevIve.txt --y pressure --x bullet_travel -o pressure.png\n"
        "\n"
        "Exit status: 0 on success, 1 when the gun is refused, its shot fails or the picture\n"
        "cannot be written, 2 for wrong usage.");
    return [options](CliStreams& io) { return RunPlot(*options, io); };
}

}  // namespace

const CliCommand PlotCommand = {
    "plot",
    "GUN.txt --y QUANTITY [--x AXIS] -o FILE.png [--size WxH]",
    DefinePlot,
};
