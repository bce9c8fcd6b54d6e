// velloran-cli simulate: one shot of a saved gun, as the Compute button runs it.

#include <memory>
#include <ostream>
#include <sstream>

#include "cli/CliArguments.h"
#include "cli/Commands.h"
#include "cli/CsvFormat.h"
#include "common/CommandErrors.h"
#include "common/WholeFileSaving.h"
#include "datafile/GunReportFile.h"
#include "model/ComputeCommand.h"

namespace {

void WriteSeriesCsv(std::ostream& csv, const SimulationResult& result) {
    csv << "time_ms,bullet_travel_mm,bullet_velocity_m_s,piston_travel_mm,piston_velocity_m_s,"
           "pressure_MPa,temperature_K\n";
    for (int n = 0; n <= result.LastIndex; ++n) {
        const auto i = static_cast<size_t>(n);
        csv << CsvNumber(result.Time[i]) << ',' << CsvNumber(result.BulletTravel[i]) << ','
            << CsvNumber(result.BulletVelocity[i]) << ',' << CsvNumber(result.PistonTravel[i])
            << ',' << CsvNumber(result.PistonVelocity[i]) << ',' << CsvNumber(result.Pressure[i])
            << ',' << CsvNumber(result.Temperature[i]) << '\n';
    }
}

int RunSimulate(std::span<const std::string> words, CliStreams& io) {
    const OptionSpec options[] = {{"--csv"}, {"--save"}};
    const CliArguments arguments = ParseCliArguments(words, options);
    if (arguments.positionals.size() != 1) {
        throw UsageError("give one gun report");
    }
    const GunParameters gun = LoadGunReport(QString::fromStdString(arguments.positionals[0]));
    const GunParameterTexts texts = ParameterTextsOf(gun);
    ModelInputs inputs;
    const auto result = std::make_unique<SimulationResult>();
    SimulateShotFromFields(texts, '.', inputs, *result);
    SummarizeShot(inputs, *result);

    // With the series on standard output, the summary goes to standard error.
    const std::string csvPath = arguments.Option("--csv");
    std::ostream& summaryStream = csvPath == "-" ? io.err : io.out;
    for (const std::string& line : SummaryLines(*result)) {
        summaryStream << line << '\n';
    }
    if (csvPath == "-") {
        WriteSeriesCsv(io.out, *result);
    } else if (!csvPath.empty()) {
        std::ostringstream csv;
        WriteSeriesCsv(csv, *result);
        if (!SaveFileWhole(QString::fromStdString(csvPath), csv.str())) {
            ShowMessageAndAbort(FileSavingErrorMessage);
        }
    }
    if (arguments.Has("--save")) {
        SaveGunReport(QString::fromStdString(arguments.Option("--save")), gun.name, texts, '.',
                      ReportSummaryOf(*result));
    }
    return 0;
}

}  // namespace

const CliCommand SimulateCommand = {
    "simulate",
    "GUN.txt [--csv FILE|-] [--save REPORT.txt]",
    "Reads the gun of a report saved by Velloran, computes its shot exactly as the Compute\n"
    "button does, and prints the seven summary lines of the result box.\n"
    "\n"
    "  --csv FILE     write the counted steps in display units as CSV (17 significant digits,\n"
    "                 a point as decimal separator); '-' writes them to standard output and\n"
    "                 the summary to standard error\n"
    "  --save FILE    write the report of this gun with this summary, as Save does\n"
    "\n"
    "Exit status: 0 on success, 1 when the gun is refused or its shot fails, 2 for wrong usage.\n",
    RunSimulate,
};
