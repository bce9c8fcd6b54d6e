// velloran-cli simulate: one shot of a saved gun, as the Compute button runs it.

#include <CLI/App.hpp>
#include <array>
#include <memory>
#include <ostream>
#include <sstream>

#include "cli/CliValidators.h"
#include "cli/Commands.h"
#include "cli/CsvFormat.h"
#include "cli/OutputFiles.h"
#include "cli/UsageError.h"
#include "common/CommandErrors.h"
#include "common/WholeFileSaving.h"
#include "datafile/GunReportFile.h"
#include "model/ComputeCommand.h"
#include "model/EnergyBudget.h"
#include "model/ResultSeries.h"
#include "model/ShotEngine.h"
#include "model/SmoothShot.h"

namespace {

// The counted steps in display units; a shot with a transfer port adds the port's series.
void WriteSeriesCsv(std::ostream& csv, const SimulationResult& result, const PortSeries* port) {
    for (const ResultSeriesInfo& series : ResultSeriesTable) {
        csv << (&series == &ResultSeriesTable.front() ? "" : ",") << CsvColumnName(series);
    }
    if (port != nullptr) {
        for (const PortSeriesInfo& series : PortSeriesTable) {
            csv << ',' << CsvColumnName(series);
        }
    }
    csv << '\n';
    for (int n = 0; n <= result.LastIndex; ++n) {
        const auto i = static_cast<size_t>(n);
        for (const ResultSeriesInfo& series : ResultSeriesTable) {
            csv << (&series == &ResultSeriesTable.front() ? "" : ",")
                << CsvNumber((result.*series.series)[i]);
        }
        if (port != nullptr) {
            for (const PortSeriesInfo& series : PortSeriesTable) {
                csv << ',' << CsvNumber((*port.*series.series)[i]);
            }
        }
        csv << '\n';
    }
}

// The energy budget as CSV, term,energy_J; the shot's failure ends the command as the smooth
// summary's would.
std::string EnergyBudgetCsv(const ModelInputs& inputs) {
    const EnergyBudget budget = ComputeEnergyBudget(inputs);
    if (budget.failure == StepLimitMessage) {
        ShowMessageAndAbort(StepLimitMessage);
    }
    if (!budget.failure.empty()) {
        throw CommandError(budget.failure);
    }
    std::string csv = "term,energy_J\n";
    for (const EnergyTerm& term : budget.terms) {
        csv += term.name;
        csv += ',';
        AppendCsvNumber(csv, term.energy);
        csv += '\n';
    }
    return csv;
}

// Writes the text to the file, or to standard output for "-".
void WriteOutput(const std::string& path, const std::string& text, CliStreams& io) {
    if (path == "-") {
        if (!(io.out << text).flush()) {
            ShowMessageAndAbort(FileSavingErrorMessage);
        }
    } else if (!SaveFileWhole(path, text)) {
        ShowMessageAndAbort(FileSavingErrorMessage);
    }
}

// The summary lines of the shot's smooth figures; its failure ends the command as the same
// failure of the designed run would.
std::array<std::string, SummaryLineCount> SmoothSummaryLines(const ModelInputs& inputs) {
    const ShotFigures figures = ComputeSmoothShotFigures(inputs);
    if (figures.failure == StepLimitMessage) {
        ShowMessageAndAbort(StepLimitMessage);
    }
    if (!figures.failure.empty()) {
        throw CommandError(figures.failure);
    }
    return SummaryLines(figures);
}

struct SimulateOptions {
    std::string gun;
    std::vector<std::string> settings;  // --set
    std::string csv;                    // "" when not asked for
    std::string save;                   // likewise
    std::string budget;                 // likewise
    bool smooth = false;                // the summary of the smooth computation
};

int RunSimulate(const SimulateOptions& options, CliStreams& io) {
    RefuseOutputsOverTheReport(
        options.gun,
        {{"--csv", options.csv}, {"--save", options.save}, {"--budget", options.budget}});
    if (options.csv == "-" && options.budget == "-") {
        throw UsageError("--csv and --budget cannot both write to standard output");
    }
    const GunParameters gun = LoadGun(options.gun, options.settings);
    const GunParameterTexts texts = ParameterTextsOf(gun);
    ModelInputs inputs;
    const auto result = std::make_unique<SimulationResult>();
    const auto port = std::make_unique<PortSeries>();
    SimulateShotFromFields(texts, '.', inputs, *result, port.get());
    const PortSeries* portColumns = inputs.PortDiameter > 0 ? port.get() : nullptr;
    SummarizeShot(inputs, *result);
    const std::array<std::string, SummaryLineCount> summaryLines =
        options.smooth ? SmoothSummaryLines(inputs) : SummaryLines(*result);
    const std::string budgetCsv = options.budget.empty() ? "" : EnergyBudgetCsv(inputs);

    // With a CSV on standard output, the summary goes to standard error.
    const bool csvOnOutput = options.csv == "-" || options.budget == "-";
    std::ostream& summaryStream = csvOnOutput ? io.err : io.out;
    for (const std::string& line : summaryLines) {
        summaryStream << line << '\n';
    }
    if (!options.csv.empty()) {
        std::ostringstream csv;
        WriteSeriesCsv(csv, *result, portColumns);
        WriteOutput(options.csv, csv.str(), io);
    }
    if (!options.budget.empty()) {
        WriteOutput(options.budget, budgetCsv, io);
    }
    if (!options.save.empty()) {
        SaveGunReport(options.save, gun.name, texts, '.', ReportSummaryOf(*result, inputs));
    }
    return 0;
}

CliAction DefineSimulate(CLI::App& command) {
    auto options = std::make_shared<SimulateOptions>();
    command.description(
        "Reads the gun of a report saved by Velloran, computes its shot exactly as the Compute\n"
        "button does, and prints the seven summary lines of the result box.");
    AddGunReport(command, options->gun);
    AddParameterSettings(command, options->settings);
    command
        .add_option("--csv", options->csv,
                    "write the counted steps in display units as CSV (each number\n"
                    "in the shortest form that reads back exactly, a point as\n"
                    "decimal separator); '-' writes them to standard output and\n"
                    "the summary to standard error")
        ->option_text("FILE|-")
        ->check(NonEmptyFileName);
    command
        .add_option("--save", options->save,
                    "write the report of this gun with this summary, as Save does")
        ->option_text("REPORT.txt")
        ->check(WholeFileName);
    command
        .add_option("--budget", options->budget,
                    "write where the spring's energy went up to the muzzle as CSV\n"
                    "term,energy_J: spring_work first, then every sink of the\n"
                    "model, residual last (the smooth computation's shot); '-'\n"
                    "writes it to standard output and the summary to standard\n"
                    "error")
        ->option_text("FILE|-")
        ->check(NonEmptyFileName);
    command.add_flag("--smooth", options->smooth,
                     "print the summary of the smooth computation: the bullet's\n"
                     "release, the piston's stop and turn and the muzzle located\n"
                     "within their steps, the figures those at the muzzle; the\n"
                     "series and the saved report stay the Compute button's");
    command.footer(
        "Example: velloran-cli simulate examples/example-gun.txt --set BulletWeight=8.44gr --csv "
        "shot.csv\n"
        "\n"
        "Exit status: 0 on success, 1 when the gun is refused or its shot fails, 2 for wrong\n"
        "usage.");
    return [options](CliStreams& io) { return RunSimulate(*options, io); };
}

}  // namespace

const CliCommand SimulateCommand = {
    "simulate",
    "GUN.txt [--set NAME=VALUE,...] [--csv FILE|-] [--budget FILE|-] [--save REPORT.txt] "
    "[--smooth]",
    DefineSimulate,
};
