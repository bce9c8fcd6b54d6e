// velloran-cli plot: the graph of a saved gun's shot as a picture for a post or a report.

#include <CLI/App.hpp>
#include <memory>

#include "cli/Commands.h"
#include "cli/DistinctGunNames.h"
#include "cli/OutputFiles.h"
#include "cli/PictureDrawing.h"
#include "cli/PlotOptions.h"
#include "common/CommandErrors.h"
#include "datafile/GunReportFile.h"
#include "graph/ResultsPicture.h"
#include "model/ComputeCommand.h"

namespace {

struct PlotCommandOptions : PlotOptions {
    std::string gun;
    std::vector<std::string> settings;  // --set
};

int RunPlot(const PlotCommandOptions& options, CliStreams&) {
    const PlotItems items = ChosenPlotItems(options);
    const PictureFormat format = ChosenPictureFormat(options.picture);
    const QSize size = ChosenPictureSize(options);

    RefuseOutputsOverTheReport(options.gun, {{"-o", options.picture}});
    PreparePictureDrawing();
    const GunParameters gun = LoadGun(options.gun, options.settings);
    const auto result = std::make_unique<SimulationResult>();
    ModelInputs inputs;
    SimulateShotFromFields(ParameterTextsOf(gun), '.', inputs, *result);
    SummarizeShot(inputs, *result);

    const NamedGun named{gun.name, options.gun};
    const ComparedResult shot{*result, DistinctGunNames(std::span(&named, 1)).front()};
    // ChosenPlotItems has refused every pair the graph does not plot.
    const PictureGraph graph =
        ResultsPicture(std::span(&shot, 1), items.quantity, items.axis).value();
    SavePicture(options.picture, {format, size, graph.title}, [&](Canvas& canvas) {
        DrawPictureGraph(graph, size.width(), size.height(),
                         PictureScale(size.width(), size.height()), canvas);
    });
    return 0;
}

CliAction DefinePlot(CLI::App& command) {
    auto options = std::make_shared<PlotCommandOptions>();
    command.description(
        "Computes the shot of a saved gun and draws the quantity over the axis into a picture:\n"
        "titled, with each axis's quantity and unit, ticks at round steps over the whole shot,\n"
        "and the gun's muzzle velocity and energy in the legend. Text and lines grow with the\n"
        "picture's size.");
    AddGunReport(command, options->gun);
    AddParameterSettings(command, options->settings);
    AddPlotOptions(command, *options);
    command.footer(
        "Example: velloran-cli plot examples/example-gun.txt --y pressure --x bullet_travel -o "
        "pressure.svg\n"
        "\n"
        "Exit status: 0 on success, 1 when the gun is refused, its shot fails or the picture\n"
        "cannot be written, 2 for wrong usage.");
    return [options](CliStreams& io) { return RunPlot(*options, io); };
}

}  // namespace

const CliCommand PlotCommand = {
    "plot",
    "GUN.txt --y QUANTITY [--x AXIS] -o FILE.png|svg|pdf [--size WxH] [--set NAME=VALUE,...]",
    DefinePlot,
};
