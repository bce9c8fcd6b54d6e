// velloran-cli fit: a saved gun fitted to shots measured with a chronograph.

#include <CLI/App.hpp>
#include <algorithm>
#include <cmath>
#include <memory>
#include <ostream>
#include <vector>

#include "cli/CliHelpFormatter.h"
#include "cli/CliValidators.h"
#include "cli/Commands.h"
#include "cli/OutputFiles.h"
#include "cli/SweepGrid.h"
#include "cli/UsageError.h"
#include "common/FieldNumber.h"
#include "common/ReportFormat.h"
#include "datafile/GunReportFile.h"
#include "model/ComputeCommand.h"
#include "model/GunFit.h"
#include "model/PelletUnits.h"

namespace {

struct FitOptions {
    std::string gun;
    std::string chrono;
    std::vector<std::string> free;
    std::string save;  // "" when not asked for
    std::vector<std::string> settings;  // --set
};

std::string FittableNames() {
    std::string names;
    for (const GunParameterInfo& info : GunParameterTable) {
        if (IsFittable(info.parameter)) {
            names += std::string(names.empty() ? "" : ", ") + info.fieldName;
        }
    }
    return names;
}

std::vector<GunParameter> FreeParameters(const std::vector<std::string>& names) {
    std::vector<GunParameter> free;
    for (const std::string& name : names) {
        const GunParameter parameter = ParameterNamed(name);
        if (!IsFittable(parameter)) {
            throw UsageError(name + " cannot be fitted: " +
                             (parameter == GunParameter::BulletWeight
                                  ? "the shots give the pellet's weight"
                                  : "the computation step is no property of the gun"));
        }
        if (std::find(free.begin(), free.end(), parameter) != free.end()) {
            throw UsageError("--free names " + name + " twice");
        }
        free.push_back(parameter);
    }
    return free;
}

std::string WithUnit(const char* format, double value, GunParameter parameter) {
    const std::string unit = InfoOf(parameter).unit;
    return FormatReport(format, value) + (unit.empty() ? "" : " " + unit);
}

void WriteFit(std::ostream& out, const GunFit& fit, size_t shotCount) {
    out << "Fitted to " << shotCount << " shots of " << fit.pellets.size() << " pellet weights ("
        << fit.computations << " computations, " << fit.shots << " shots computed):\n";
    for (size_t j = 0; j < fit.freeParameters.size(); ++j) {
        const GunParameter parameter = fit.freeParameters[j];
        out << FormatReport(" %-18s ", (std::string(InfoOf(parameter).fieldName) + ":").c_str())
            << WithUnit("%11.6g", fit.fittedValues[j], parameter) << "  (from "
            << WithUnit("%g", fit.startValues[j], parameter) << ")\n";
    }
    out << "\n weight [g]  weight [gr]  shots  measured [m/s]  SD [m/s]  computed [m/s]"
           "  residual [m/s]  residual [%]\n";
    for (const FittedPellet& pellet : fit.pellets) {
        const MeasuredPellet& measured = pellet.measured;
        const double residual = measured.meanVelocity - pellet.computedVelocity;
        out << FormatReport("%11.3f  %11.2f  %5d  %14.2f  ", measured.bulletWeight,
                            measured.bulletWeight / PelletUnits::GramsPerGrain, measured.shots,
                            measured.meanVelocity)
            << (measured.velocitySpread ? FormatReport("%8.2f", *measured.velocitySpread)
                                        : std::string("       -"))
            << FormatReport("  %14.2f  %+14.2f  %+12.3f\n", pellet.computedVelocity, residual,
                            100 * residual / measured.meanVelocity);
    }
    out << FormatReport(" RMS residual over all shots: %.3f m/s\n", fit.rmsResidual);
}

// Saves the fitted gun with the summary of its shot with the report's own pellet, as simulate
// --save does; notes on standard error the fitted values that the report's three decimals
// change by more than 0.01 %.
void SaveFittedGun(const std::string& path, const GunParameters& gun, const GunFit& fit,
                   CliStreams& io) {
    ModelInputs inputs;
    const auto result = std::make_unique<SimulationResult>();
    SimulateShotFromFields(fit.gun, '.', inputs, *result);
    SummarizeShot(inputs, *result);
    SaveGunReport(path, gun.name, fit.gun, '.', ReportSummaryOf(*result));
    for (size_t j = 0; j < fit.freeParameters.size(); ++j) {
        const double value = fit.fittedValues[j];
        const std::string kept = FormatReport("%.3f", value);
        if (std::fabs(FieldToNumber(kept, '.') - value) > 1e-4 * std::fabs(value)) {
            io.err << "Note: the report keeps three decimals: "
                   << InfoOf(fit.freeParameters[j]).fieldName << ' '
                   << FormatReport("%.6g", value) << " is saved as " << kept << ".\n";
        }
    }
}

// A fit so far off that the model cannot be what the shots measured: more likely the wrong
// parameters free, or shots of another gun.
constexpr double FarOffShare = 0.05;

int RunFit(const FitOptions& options, CliStreams& io) {
    const std::vector<GunParameter> free = FreeParameters(options.free);
    RefuseOutputsOverTheReport(options.gun, {{"--save", options.save}});
    RefuseOutputsOverTheInput(options.chrono, "the shots", {{"--save", options.save}});
    const GunParameters gun = LoadGun(options.gun, options.settings);
    const std::vector<MeasuredShot> shots =
        LoadChronographShots(options.chrono);
    const GunFit fit = FitGunToShots(ParameterTextsOf(gun), free, shots);
    WriteFit(io.out, fit, shots.size());
    double meanVelocity = 0;
    for (const MeasuredShot& shot : shots) {
        meanVelocity += shot.velocity / static_cast<double>(shots.size());
    }
    if (fit.rmsResidual > FarOffShare * meanVelocity) {
        io.err << "Note: the fitted gun still misses the shots by "
               << FormatReport("%.0f %%", 100 * fit.rmsResidual / meanVelocity)
               << " of their velocity: free other parameters, or check the shots.\n";
    }
    if (!options.save.empty()) {
        SaveFittedGun(options.save, gun, fit, io);
    }
    return 0;
}

CliAction DefineFit(CLI::App& command) {
    auto options = std::make_shared<FitOptions>();
    command.description(
        "Fits some parameters of a saved gun to shots measured with a chronograph: changes them,\n"
        "each within what the Compute button accepts and a factor of four of its value, until the\n"
        "computed muzzle velocities come closest to the measured ones (least squares over all\n"
        "shots). Prints the fitted values and, per pellet weight, the measured mean and standard\n"
        "deviation, the computed velocity and the residual; the RMS residual last.");
    AddGunReport(command, options->gun);
    AddParameterSettings(command, options->settings);
    command
        .add_option("--chrono", options->chrono,
                    "the measured shots: a header line, then one row per shot\n"
                    "with a weight column bullet_weight_g or bullet_weight_gr\n"
                    "and a velocity column velocity_m_s or velocity_fps (other\n"
                    "columns are ignored; numbers take a point)")
        ->option_text("SHOTS.csv")
        ->required()
        ->check(NonEmptyFileName);
    command
        .add_option("--free", options->free,
                    "the parameters to fit, named as in sweep; at most as many\n"
                    "as the shots have pellet weights")
        ->option_text("NAME[,NAME...]")
        ->required()
        ->delimiter(',');
    command
        .add_option("--save", options->save,
                    "write the report of the fitted gun with the summary of its\n"
                    "shot with the report's own pellet (three decimals, as Save)")
        ->option_text("FITTED.txt")
        ->check(NonEmptyFileName);
    command.footer(
        WrapWords("Parameter names: " + FittableNames() + ".", 90, 2) +
        "\n"
        "\n"
        "Example: velloran-cli fit examples/example-gun.txt --chrono examples/example-shots.csv "
        "--free MaximumForce"
        "\n"
        "\n"
        "Exit status: 0 on success; 1 when the report or the shots are refused, when there are\n"
        "more free parameters than pellet weights, when every shot fails or the fit does not\n"
        "converge; 2 for wrong usage.");
    return [options](CliStreams& io) { return RunFit(*options, io); };
}

}  // namespace

const CliCommand FitCommand = {
    "fit",
    "GUN.txt --chrono SHOTS.csv --free NAME[,NAME...] [--set NAME=VALUE,...] [--save FITTED.txt]",
    DefineFit,
};
