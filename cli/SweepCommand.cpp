// velloran-cli sweep: a saved gun computed over a grid of one or two of its parameters.

#include <ostream>
#include <vector>

#include "cli/CliArguments.h"
#include "cli/Commands.h"
#include "cli/CsvFormat.h"
#include "cli/SweepGrid.h"
#include "common/ApplicationTitle.h"
#include "common/CommandErrors.h"
#include "common/FieldNumber.h"
#include "datafile/GunReportFile.h"
#include "model/ShotBatch.h"

namespace {

// Limits what a typing slip can ask of the machine: a million shots take minutes already.
constexpr size_t MaximumGridPoints = 1'000'000;

int RunSweep(std::span<const std::string> words, CliStreams& io) {
    const OptionSpec options[] = {{"--vary", true}, {"--threads"}};
    const CliArguments arguments = ParseCliArguments(words, options);
    if (arguments.positionals.size() != 1) {
        throw UsageError("give one gun report");
    }
    if (!arguments.Has("--vary")) {
        throw UsageError("give one or two --vary NAME=FROM:TO:STEPS");
    }
    std::vector<SweepAxis> axes;
    for (const std::string& vary : arguments.options.at("--vary")) {
        axes.push_back(ParseSweepAxis(vary));
    }
    if (axes.size() > 2) {
        throw UsageError("at most two parameters can be varied");
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
    const unsigned threads =
        arguments.Has("--threads")
            ? static_cast<unsigned>(ParseCliCount(arguments.Option("--threads"), "--threads", 1))
            : 0;

    const GunParameters gun = LoadGunReport(QString::fromStdString(arguments.positionals[0]));
    const std::vector<GunParameterTexts> grid = SweepGridTexts(ParameterTextsOf(gun), axes);

    // Each point is read and checked as the Compute button would; those that pass are
    // computed side by side.
    std::vector<std::string> refusals(grid.size());
    std::vector<ModelInputs> runnable;
    std::vector<size_t> runnablePoint;
    for (size_t i = 0; i < grid.size(); ++i) {
        ModelInputs inputs;
        try {
            ReadModelInputs(grid[i], '.', inputs);
            ValidateModelInputs(inputs);
            CompleteModelInputs(inputs);
            runnable.push_back(inputs);
            runnablePoint.push_back(i);
        } catch (const CommandFailure& failure) {
            refusals[i] = failure.what();
        }
    }
    std::vector<ShotFigures> figures(runnable.size());
    ComputeShotFiguresOnThreads(runnable, figures, threads);
    std::vector<const ShotFigures*> figuresOfPoint(grid.size(), nullptr);
    for (size_t r = 0; r < runnable.size(); ++r) {
        figuresOfPoint[runnablePoint[r]] = &figures[r];
    }

    for (const SweepAxis& axis : axes) {
        io.out << GunParameterTable[static_cast<size_t>(Index(axis.parameter))].fieldName << ',';
    }
    io.out << "status,steps,max_pressure_MPa,max_piston_velocity_m_s,max_temperature_K,"
              "bullet_velocity_m_s,bullet_energy_J\n";
    for (size_t i = 0; i < grid.size(); ++i) {
        for (const SweepAxis& axis : axes) {
            io.out << CsvNumber(
                          FieldToNumber(grid[i][static_cast<size_t>(Index(axis.parameter))], '.'))
                   << ',';
        }
        const ShotFigures* shot = figuresOfPoint[i];
        const std::string& failure = shot ? shot->failure : refusals[i];
        if (!failure.empty()) {
            io.out << CsvField(WithClosingFullStop(failure)) << ",,,,,,\n";
            continue;
        }
        io.out << "ok," << shot->lastIndex << ',' << CsvNumber(shot->maximumPressure) << ','
               << CsvNumber(shot->maximumPistonVelocity) << ','
               << CsvNumber(shot->maximumTemperature) << ',' << CsvNumber(shot->muzzleVelocity)
               << ',' << CsvNumber(shot->bulletEnergy) << '\n';
    }
    return 0;
}

}  // namespace

const CliCommand SweepCommand = {
    "sweep",
    "GUN.txt --vary NAME=FROM:TO:STEPS [--vary NAME2=FROM:TO:STEPS] [--threads N]",
    "Computes the gun of a report over a grid of one or two of its parameters and prints one\n"
    "CSV row per grid point, the first parameter varying slowest.\n"
    "\n"
    "  --vary NAME=FROM:TO:STEPS   vary the parameter NAME (Caliber, BulletWeight, BarrelLength,\n"
    "                              BarrelFriction, InitialPressure, PistonWeight, PistonDiameter,\n"
    "                              PistonFriction, PackingThickness, SpringWeight, MinimumForce,\n"
    "                              MaximumForce, PistonStroke, AdiabaticExponent, AirPressure,\n"
    "                              ComputationStep) over STEPS points from FROM to TO, both\n"
    "                              included, in the units of the main window\n"
    "  --threads N                 compute on N threads (default: one per core); the output\n"
    "                              is the same for any N\n"
    "\n"
    "Columns: the varied parameters, status (ok, or the message the Compute button would\n"
    "show), steps, max_pressure_MPa, max_piston_velocity_m_s, max_temperature_K,\n"
    "bullet_velocity_m_s, bullet_energy_J. A point whose computation fails leaves its figures\n"
    "empty and the sweep goes on.\n"
    "\n"
    "Exit status: 0 when the sweep ran (whatever its points gave), 1 when the report is\n"
    "refused, 2 for wrong usage.\n",
    RunSweep,
};
