// velloran-cli sweep: a saved gun computed over a grid of one or two of its parameters.

#include <CLI/App.hpp>
#include <memory>
#include <ostream>
#include <vector>

#include "cli/CliHelpFormatter.h"
#include "cli/Commands.h"
#include "cli/CsvFormat.h"
#include "cli/ShotFiguresCsv.h"
#include "cli/SweepGrid.h"
#include "cli/UsageError.h"
#include "common/FieldNumber.h"
#include "datafile/GunReportFile.h"
#include "model/GunBatch.h"

namespace {

// Limits what a typing slip can ask of the machine: a million shots take minutes already.
constexpr size_t MaximumGridPoints = 1'000'000;

struct SweepOptions {
    std::string gun;
    std::vector<std::string> vary;  // one or two NAME=FROM:TO:STEPS
    unsigned threads = 0;           // 0: one per core
};

int RunSweep(const SweepOptions& options, CliStreams& io) {
    std::vector<SweepAxis> axes;
    for (const std::string& vary : options.vary) {
        axes.push_back(ParseSweepAxis(vary));
    }
    if (axes.size() == 2 && axes[0].parameter == axes[1].parameter) {
        throw UsageError("vary two different parameters");
    }
    size_t gridPoints = 1;
    for (const SweepAxis& axis : axes) {
        gridPoints *= static_cast<size_t>(axis.points);
    }
    if (gridPoints > MaximumGridPoints) {
        throw UsageError("the grid has more than a million points");
    }

    const GunParameters gun = LoadGunReport(options.gun);
    const std::vector<GunParameterTexts> grid = SweepGridTexts(ParameterTextsOf(gun), axes);

    // Each point is read and checked as the Compute button would; those that pass are
    // computed side by side.
    const std::vector<ShotFigures> figures = ComputeGunFigures(grid, options.threads);

    for (const SweepAxis& axis : axes) {
        io.out << GunParameterTable[static_cast<size_t>(Index(axis.parameter))].fieldName << ',';
    }
    io.out << ShotFiguresHeader() << '\n';
    // Rows stop at the first that cannot be written; RunCli reports the failure.
    for (size_t i = 0; i < grid.size() && io.out; ++i) {
        for (const SweepAxis& axis : axes) {
            io.out << CsvNumber(
                          FieldToNumber(grid[i][static_cast<size_t>(Index(axis.parameter))], '.'))
                   << ',';
        }
        io.out << ShotFiguresFields(figures[i]) << '\n';
    }
    return 0;
}

CliAction DefineSweep(CLI::App& command) {
    auto options = std::make_shared<SweepOptions>();
    command.description(
        "Computes the gun of a report over a grid of one or two of its parameters and prints one\n"
        "CSV row per grid point, the first parameter varying slowest.");
    AddGunReport(command, options->gun);
    command
        .add_option("--vary", options->vary,
                    "vary the parameter NAME over STEPS points from FROM to TO,\n"
                    "both included, in the units of the main window; give it\n"
                    "once or twice")
        ->option_text("NAME=FROM:TO:STEPS")
        ->required()
        ->expected(1, 2)
        ->allow_extra_args(false);
    command
        .add_option("--threads", options->threads,
                    "compute on N threads (default: one per core); the output is\n"
                    "the same for any N")
        ->option_text("N")
        ->check(CLI::PositiveNumber);
    command.footer(
        WrapWords("Parameter names: " + ParameterFieldNames() + ".", 90, 2) +
        "\n"
        "\n"
        "Columns: the varied parameters, status (ok, or the message the Compute button would\n"
        "show), steps, max_pressure_MPa, max_piston_velocity_m_s, max_temperature_K,\n"
        "bullet_velocity_m_s, bullet_energy_J. A point whose computation fails leaves its figures\n"
        "empty and the sweep goes on.\n"
        "\n"
        "Example: velloran-cli sweep RevIve.txt --vary PistonStroke=50:70:5 --vary "
        "BulletWeight=0.4:0.6:3\n"
        "\n"
        "Exit status: 0 when the sweep ran (whatever its points gave), 1 when the report is\n"
        "refused, 2 for wrong usage.");
    return [options](CliStreams& io) { return RunSweep(*options, io); };
}

}  // namespace

const CliCommand SweepCommand = {
    "sweep",
    "GUN.txt --vary NAME=FROM:TO:STEPS [--vary NAME2=FROM:TO:STEPS] [--threads N]",
    DefineSweep,
};
