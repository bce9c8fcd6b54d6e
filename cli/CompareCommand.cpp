// velloran-cli compare: up to four saved guns in one graph, with their summaries as CSV.

#include <CLI/App.hpp>
#include <QImage>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <ostream>
#include <vector>

#include "cli/CliValidators.h"
#include "cli/Commands.h"
#include "cli/CsvFormat.h"
#include "cli/OutputFiles.h"
#include "cli/PlotOptions.h"
#include "cli/ShotFiguresCsv.h"
#include "common/ApplicationTitle.h"
#include "common/CommandErrors.h"
#include "common/WholeFileSaving.h"
#include "datafile/GunReportFile.h"
#include "graph/ComparedSeries.h"
#include "graph/GraphInteraction.h"
#include "graph/GraphStore.h"
#include "graph/PainterCanvas.h"
#include "model/ComputeCommand.h"
#include "model/SmoothShot.h"

namespace {

struct CompareOptions : PlotOptions {
    std::vector<std::string> guns;
};

struct ComparedGun {
    std::string path;
    std::string name;  // as the report holds it, without the blanks around
    std::unique_ptr<SimulationResult> result;
    ShotFigures figures;
};

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    return first == std::string::npos
               ? ""
               : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The gun of a report, its series computed as the Compute button computes them and its
// figures smoothly (model/SmoothShot.h). A message it ends with names the report, since there
// are several.
ComparedGun ComputedGun(const std::string& path) {
    ComparedGun gun{path, "", std::make_unique<SimulationResult>(), {}};
    try {
        const GunParameters parameters = LoadGunReport(path);
        gun.name = Trimmed(parameters.name);
        ModelInputs inputs;
        SimulateShotFromFields(ParameterTextsOf(parameters), '.', inputs, *gun.result);
        SummarizeShot(inputs, *gun.result);
        gun.figures = ComputeSmoothShotFigures(inputs);
    } catch (const CommandError& error) {
        throw CommandError(path + ": " + error.what());
    } catch (const CommandAbort& abort) {
        throw CommandAbort(path + ": " + abort.what());
    }
    return gun;
}

// The legend names the guns by their names, or by their files' names where a name is empty
// or shared, so that every curve can be told apart.
std::vector<std::string> LegendNames(const std::vector<ComparedGun>& guns) {
    std::vector<std::string> names;
    for (const ComparedGun& gun : guns) {
        names.push_back(gun.name);
    }
    std::vector<std::string> sorted = names;
    std::sort(sorted.begin(), sorted.end());
    if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end() ||
        std::find(sorted.begin(), sorted.end(), "") != sorted.end()) {
        for (size_t k = 0; k < guns.size(); ++k) {
            names[k] = std::filesystem::path(guns[k].path).filename().string();
        }
    }
    return names;
}

int RunCompare(const CompareOptions& options, CliStreams& io) {
    const PlotItems items = ChosenPlotItems(options);
    const QSize size = ChosenPictureSize(options);
    for (const std::string& path : options.guns) {
        RefuseOutputsOverTheReport(path, {{"-o", options.picture}});
    }
    std::vector<ComparedGun> guns;
    for (const std::string& path : options.guns) {
        guns.push_back(ComputedGun(path));
    }
    const std::vector<std::string> names = LegendNames(guns);
    std::vector<ComparedResult> compared;
    for (size_t k = 0; k < guns.size(); ++k) {
        compared.push_back({*guns[k].result, names[k]});
    }

    // The main window's steps, then every gun's curve in its own pen.
    const auto graph = std::make_unique<GraphStore>();
    QImage image;
    {
        PainterCanvas canvas(image);
        const GraphDrawing drawing{canvas, 0, '.'};
        InitGraph(*graph, Graf0Slot, drawing);
        FitGraphToImage(
            *graph, Graf0Slot, size.width(), size.height(),
            [&image](int width, int height) {
                image = QImage(width, height, QImage::Format_RGB32);
            },
            drawing);
        LoadComparedSeries(compared, items.quantity, items.axis, graph->Slot(Graf0Slot), drawing);
    }
    if (!SaveFileWhole(options.picture,
                       [&image](QIODevice& file) { return image.save(&file, "PNG"); })) {
        ShowMessageAndAbort(FileSavingErrorMessage);
    }

    io.out << "gun,name," << ShotFiguresHeader() << '\n';
    for (const ComparedGun& gun : guns) {
        io.out << CsvField(gun.path) << ',' << CsvField(gun.name) << ','
               << ShotFiguresFields(gun.figures) << '\n';
    }
    return 0;
}

CliAction DefineCompare(CLI::App& command) {
    auto options = std::make_shared<CompareOptions>();
    command.description(
        "Computes two to four saved guns and draws the same quantity of each into one graph,\n"
        "red, blue, black and green in the order given, with a legend naming each; prints the\n"
        "summary figures of every gun as CSV.");
    command.add_option("GUN.txt", options->guns, "two to four gun reports, as Save writes them")
        ->option_text("GUN2.txt [GUN3.txt GUN4.txt]")
        ->required()
        ->expected(2, 4)
        ->check(NonEmptyFileName);
    AddPlotOptions(command, *options);
    command.footer(
        "Columns: gun (the report), name, status, steps, max_pressure_MPa,\n"
        "max_piston_velocity_m_s, max_temperature_K, bullet_velocity_m_s, bullet_energy_J.\n"
        "\n"
        "Example: velloran-cli compare RevIve.txt RevIve-strong.txt --y bullet_velocity -o "
        "guns.png\n"
        "\n"
        "Exit status: 0 on success, 1 when a gun is refused, its shot fails or the picture\n"
        "cannot be written (the message names the gun), 2 for wrong usage.");
    return [options](CliStreams& io) { return RunCompare(*options, io); };
}

}  // namespace

const CliCommand CompareCommand = {
    "compare",
    "GUN.txt GUN2.txt [GUN3.txt GUN4.txt] --y QUANTITY [--x AXIS] -o FILE.png [--size WxH]",
    DefineCompare,
};
