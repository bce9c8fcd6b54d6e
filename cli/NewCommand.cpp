// velloran-cli new: the report of the main window's starting gun with the parameters given,
// computed as the Compute button computes it.

#include <CLI/App.hpp>
#include <memory>
#include <optional>
#include <ostream>

#include "cli/CliValidators.h"
#include "cli/Commands.h"
#include "cli/OutputFiles.h"
#include "common/ApplicationTitle.h"
#include "common/CommandErrors.h"
#include "datafile/GunReportFile.h"
#include "model/ComputeCommand.h"

namespace {

// The main window's name field as it opens.
constexpr const char* StartingName = " Air Gun";

struct NewOptions {
    std::string gun;
    std::vector<std::string> settings;
};

int RunNew(const NewOptions& options, CliStreams& io) {
    // Every field of the main window starts at 0.
    GunParameters gun;
    gun.name = StartingName;
    gun = WithSettings(gun, ParseParameterSettings(options.settings));
    const GunParameterTexts texts = ParameterTextsOf(gun);

    // A report shows the figures of its gun's computation and no others: a gun that cannot be
    // computed is written without them.
    std::optional<GunReportSummary> summary;
    try {
        ModelInputs inputs;
        const auto result = std::make_unique<SimulationResult>();
        SimulateShotFromFields(texts, '.', inputs, *result);
        SummarizeShot(inputs, *result);
        summary = ReportSummaryOf(*result, inputs);
    } catch (const CommandFailure& failure) {
        io.err << "The gun was not computed: " << WithClosingFullStop(failure.what())
               << " The report holds its parameters and no summary.\n";
    }
    if (summary) {
        SaveGunReport(options.gun, gun.name, texts, '.', *summary);
    } else {
        SaveGunReport(options.gun, gun.name, texts, '.', std::nullopt);
    }
    return 0;
}

CliAction DefineNew(CLI::App& command) {
    auto options = std::make_shared<NewOptions>();
    command.description(
        "Writes the report of the gun the main window starts with (every parameter 0, the name\n"
        "\" Air Gun\") with the parameters --set gives, computed as Compute computes it. A gun\n"
        "that cannot be computed is written without the summary, and standard error says why.");
    command.add_option("GUN.txt", options->gun, "the report to write")
        ->required()
        ->check(WholeFileName);
    AddParameterSettings(command, options->settings);
    command.footer(
        "velloran-cli parameters lists the names, units and accepted values.\n"
        "\n"
        "Example: velloran-cli new pistol.txt --set "
        "Caliber=4.5,BulletWeight=7.7gr,BarrelLength=450,BarrelFriction=1.05,"
        "InitialPressure=1,PistonWeight=0.2,PistonDiameter=25,PistonFriction=0.1,"
        "PackingThickness=3,SpringWeight=0.03,MinimumForce=200,MaximumForce=400,"
        "PistonStroke=60,AdiabaticExponent=1.4,AirPressure=1bar,ComputationStep=0.01\n"
        "\n"
        "Exit status: 0 when the report was written, 1 when it cannot be, 2 for wrong usage.");
    return [options](CliStreams& io) { return RunNew(*options, io); };
}

}  // namespace

const CliCommand NewCommand = {
    "new",
    "GUN.txt [--set NAME=VALUE[,NAME=VALUE...]]",
    DefineNew,
};
