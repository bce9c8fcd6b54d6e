// velloran-cli plot: the graph of a saved gun's shot as a PNG, drawn as the main window draws it.

#include <CLI/App.hpp>
#include <QImage>
#include <memory>
#include <span>

#include "cli/Commands.h"
#include "cli/OutputFiles.h"
#include "cli/PlotOptions.h"
#include "common/CommandErrors.h"
#include "common/WholeFileSaving.h"
#include "datafile/GunReportFile.h"
#include "graph/GraphDrawing.h"
#include "graph/GraphInteraction.h"
#include "graph/GraphSlot.h"
#include "graph/PainterCanvas.h"
#include "graph/SeriesSelection.h"
#include "model/ComputeCommand.h"

namespace {

struct PlotCommandOptions : PlotOptions {
    std::string gun;
    std::vector<std::string> settings;  // --set
};

int RunPlot(const PlotCommandOptions& options, CliStreams&) {
    const PlotItems items = ChosenPlotItems(options);
    const QSize size = ChosenPictureSize(options);
    const auto result = std::make_unique<SimulationResult>();

    RefuseOutputsOverTheReport(options.gun, {{"-o", options.picture}});
    const GunParameters gun = LoadGun(options.gun, options.settings);
    ModelInputs inputs;
    SimulateShotFromFields(ParameterTextsOf(gun), '.', inputs, *result);

    // The main window's steps (the start view, the fit to the image, the chosen curve) on a
    // graph that holds the one curve it draws.
    GraphView view;
    const auto curve = std::make_unique<CurveSlot>();
    const std::span<CurveSlot> curves(curve.get(), 1);
    QImage image;
    {
        PainterCanvas canvas(image);
        const GraphDrawing drawing{canvas, result->LastIndex, '.'};
        ShowStartView(view, curves, drawing);
        FitGraphToImage(
            view, curves, size.width(), size.height(),
            [&image](int width, int height) {
                image = QImage(width, height, QImage::Format_RGB32);
            },
            drawing);
        LoadSelectedSeries(*result, items.quantity, items.axis, view, curves, canvas, '.');
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
    AddParameterSettings(command, options->settings);
    AddPlotOptions(command, *options);
    command.footer(
        "Example: velloran-cli plot examples/example-gun.txt --y pressure --x bullet_travel -o "
        "pressure.png\n"
        "\n"
        "Exit status: 0 on success, 1 when the gun is refused, its shot fails or the picture\n"
        "cannot be written, 2 for wrong usage.");
    return [options](CliStreams& io) { return RunPlot(*options, io); };
}

}  // namespace

const CliCommand PlotCommand = {
    "plot",
    "GUN.txt --y QUANTITY [--x AXIS] -o FILE.png [--size WxH] [--set NAME=VALUE,...]",
    DefinePlot,
};
