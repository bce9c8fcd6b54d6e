// velloran-cli compare: up to four saved guns in one graph, with their summaries as CSV.

#include <CLI/App.hpp>
#include <memory>
#include <optional>
#include <ostream>
#include <vector>

#include "cli/CliValidators.h"
#include "cli/Commands.h"
#include "cli/CsvFormat.h"
#include "cli/DistinctGunNames.h"
#include "cli/OutputFiles.h"
#include "cli/PictureDrawing.h"
#include "cli/PlotOptions.h"
#include "cli/ShotFiguresCsv.h"
#include "common/ApplicationTitle.h"
#include "common/CommandErrors.h"
#include "datafile/GunReportFile.h"
#include "graph/ResultsPicture.h"
#include "model/ComputeCommand.h"
#include "model/GunBatch.h"

namespace {

struct CompareOptions : PlotOptions {
    std::vector<std::string> guns;
    std::vector<std::string> settings;  // --set, on every gun
};

struct ComparedGun {
    std::string path;
    std::string name;  // as the report holds it
    GunParameterTexts texts;
    std::unique_ptr<SimulationResult> result;
};

// The gun of a report, its series computed as the Compute button computes them. A message it
// ends with names the report, since there are several; a report that cannot be read is named
// with the reason, as every command names it.
ComparedGun ComputedGun(const std::string& path, const ParameterSettings& settings) {
    const GunParameters parameters = WithSettings(LoadGun(path, {}), settings);
    ComparedGun gun{path, parameters.name, ParameterTextsOf(parameters),
                    std::make_unique<SimulationResult>()};
    try {
        ModelInputs inputs;
        SimulateShotFromFields(gun.texts, '.', inputs, *gun.result);
        SummarizeShot(inputs, *gun.result);
    } catch (const CommandError& error) {
        throw CommandError(path + ": " + error.what());
    } catch (const CommandAbort& abort) {
        throw CommandAbort(path + ": " + abort.what());
    }
    return gun;
}

int RunCompare(const CompareOptions& options, CliStreams& io) {
    const PlotItems items = ChosenPlotItems(options);
    const PictureFormat format = ChosenPictureFormat(options.picture);
    const QSize size = ChosenPictureSize(options);
    const ParameterSettings settings = ParseParameterSettings(options.settings);
    for (const std::string& path : options.guns) {
        RefuseOutputsOverTheReport(path, {{"-o", options.picture}});
    }
    PreparePictureDrawing();
    std::vector<ComparedGun> guns;
    std::vector<NamedGun> named;
    for (const std::string& path : options.guns) {
        guns.push_back(ComputedGun(path, settings));
        named.push_back({guns.back().name, path});
    }
    // The figures smoothly (model/SmoothShot.h), the guns side by side in the lanes as a
    // sweep's points are; every gun passed the checks above.
    std::vector<GunParameterTexts> texts;
    for (const ComparedGun& gun : guns) {
        texts.push_back(gun.texts);
    }
    const std::vector<ShotFigures> figures = ComputeGunFigures(texts, 0, ShotComputation::Smooth);
    const std::vector<std::string> names = DistinctGunNames(named);
    std::vector<ComparedResult> compared;
    for (size_t k = 0; k < guns.size(); ++k) {
        compared.push_back({*guns[k].result, names[k]});
    }

    // ChosenPlotItems has refused every pair the graph does not plot.
    const PictureGraph graph = ResultsPicture(compared, items.quantity, items.axis).value();
    SavePicture(options.picture, {format, size, graph.title}, [&](Canvas& canvas) {
        DrawPictureGraph(graph, size.width(), size.height(),
                         PictureScale(size.width(), size.height()), canvas);
    });

    io.out << "gun,name," << ShotFiguresHeader() << '\n';
    for (size_t k = 0; k < guns.size(); ++k) {
        io.out << CsvField(guns[k].path) << ',' << CsvField(names[k]) << ','
               << ShotFiguresFields(figures[k]) << '\n';
    }
    return 0;
}

CliAction DefineCompare(CLI::App& command) {
    auto options = std::make_shared<CompareOptions>();
    command.description(
        "Computes two to four saved guns and draws the same quantity of each into one picture,\n"
        "red, blue, black and green in the order given, with a legend giving each gun's muzzle\n"
        "velocity and energy; prints the summary figures of every gun as CSV. Guns of the same\n"
        "name (or none) are named by the shortest end of their paths that tells them apart, in\n"
        "the legend and the CSV's name column.");
    command.add_option("GUN.txt", options->guns, "two to four gun reports, as Save writes them")
        ->option_text("GUN2.txt [GUN3.txt GUN4.txt]")
        ->required()
        ->expected(2, 4)
        ->check(NonEmptyFileName);
    AddPlotOptions(command, *options);
    AddParameterSettings(command, options->settings);
    command.footer(
        "Columns: gun (the report), name (as in the legend), status, steps, max_pressure_MPa,\n"
        "max_piston_velocity_m_s, max_temperature_K, bullet_velocity_m_s, bullet_energy_J.\n"
        "\n"
        "Example: velloran-cli compare examples/example-gun.txt examples/example-gun-strong.txt "
        "--y bullet_velocity -o guns.png\n"
        "\n"
        "Exit status: 0 on success, 1 when a gun is refused, its shot fails or the picture\n"
        "cannot be written (the message names the gun), 2 for wrong usage.");
    return [options](CliStreams& io) { return RunCompare(*options, io); };
}

}  // namespace

const CliCommand CompareCommand = {
    "compare",
    "GUN.txt GUN2.txt [GUN3.txt GUN4.txt] --y QUANTITY [--x AXIS] -o FILE.png|svg|pdf "
    "[--size WxH] [--set NAME=VALUE,...]",
    DefineCompare,
};
