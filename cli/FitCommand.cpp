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
#include "common/ApplicationTitle.h"
#include "common/CommandErrors.h"
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
    for (const OptionalParameterInfo& info : OptionalParameterTable) {
        names += std::string(", ") + info.fieldName;
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
    const std::string unit = UnitOf(parameter);
    return FormatReport(format, value) + (unit.empty() ? "" : " " + unit);
}

std::string NameOf(const FittedParameter& parameter) {
    return FieldNameOf(parameter.parameter);
}

double FeetPerSecond(double metresPerSecond) {
    return metresPerSecond / PelletUnits::MetresPerFoot;
}

// A velocity in metres and in feet per second: the chronograph's file may give either.
std::string Velocity(const char* format, double metresPerSecond) {
    return FormatReport(format, metresPerSecond) + " m/s (" +
           FormatReport(format, FeetPerSecond(metresPerSecond)) + " fps)";
}

std::string PelletWeight(double grams) {
    return FormatReport("%.3f g (%.2f gr)", grams, grams / PelletUnits::GramsPerGrain);
}

void WriteFittedValues(std::ostream& out, const GunFit& fit) {
    for (const FittedParameter& p : fit.parameters) {
        out << FormatReport(" %-18s ", (NameOf(p) + ":").c_str())
            << WithUnit("%11.6g", p.fittedValue, p.parameter) << "  ± "
            << (p.standardError ? WithUnit("%.3g", *p.standardError, p.parameter)
                                : std::string("-"))
            << "  (from " << WithUnit("%g", p.startValue, p.parameter) << ")\n";
    }
    const bool anyError =
        std::any_of(fit.parameters.begin(), fit.parameters.end(),
                    [](const FittedParameter& p) { return p.standardError.has_value(); });
    if (anyError) {
        out << FormatReport(
            " (± one standard error, from the residuals' Jacobian at the fit by "
            "central differences of ±%g %% of each value)\n",
            100 * JacobianStep);
    } else if (fit.correlations.empty()) {
        out << " (no standard errors: the shots cannot tell the free parameters apart)\n";
    } else {
        out << " (no standard errors: no more shots than free parameters)\n";
    }
    for (size_t i = 0; i < fit.correlations.size(); ++i) {
        for (size_t j = i + 1; j < fit.correlations.size(); ++j) {
            out << " correlation of " << NameOf(fit.parameters[i]) << " and "
                << NameOf(fit.parameters[j]) << FormatReport(": %+.3f\n", fit.correlations[i][j]);
        }
    }
}

void WriteFit(std::ostream& out, const GunFit& fit, size_t shotCount) {
    out << "Fitted to " << shotCount << " shots of " << fit.pellets.size() << " pellet weights ("
        << fit.computations << " computations, " << fit.shots << " shots computed):\n";
    WriteFittedValues(out, fit);
    out << "\n weight [g]  weight [gr]  shots  measured [m/s]  measured [fps]  SD [m/s]"
           "  computed [m/s]  computed [fps]  residual [m/s]  residual [%]\n";
    for (const FittedPellet& pellet : fit.pellets) {
        const MeasuredPellet& measured = pellet.measured;
        const double residual = measured.meanVelocity - pellet.computedVelocity;
        out << FormatReport("%11.3f  %11.2f  %5d  %14.2f  %14.2f  ", measured.bulletWeight,
                            measured.bulletWeight / PelletUnits::GramsPerGrain, measured.shots,
                            measured.meanVelocity, FeetPerSecond(measured.meanVelocity))
            << (measured.velocitySpread ? FormatReport("%8.2f", *measured.velocitySpread)
                                        : std::string("       -"))
            << FormatReport("  %14.2f  %14.2f  %+14.2f  %+12.3f\n", pellet.computedVelocity,
                            FeetPerSecond(pellet.computedVelocity), residual,
                            100 * residual / measured.meanVelocity);
    }
    out << " RMS residual over all shots: " << Velocity("%.3f", fit.rmsResidual) << "\n";
}

// The pairs the shots cannot tell apart, one warning each.
void WarnOfIndistinguishable(std::ostream& err, const GunFit& fit) {
    for (const auto& [i, j] : fit.indistinguishable) {
        if (i == j) {
            err << "Warning: " << NameOf(fit.parameters[i])
                << " does not change the computed velocities: the shots cannot settle it; fit "
                   "without it.\n";
            continue;
        }
        err << "Warning: the shots cannot tell " << NameOf(fit.parameters[i]) << " and "
            << NameOf(fit.parameters[j]) << " apart ("
            << (fit.correlations.empty()
                    ? std::string("they change the computed velocities alike")
                    : FormatReport("correlation %+.3f", fit.correlations[i][j]))
            << "): only a combination of them is fitted; free one of them only.\n";
    }
}

// The verdict on a poor fit: by how much it misses, where, and which parameters ran to the end
// of the range searched.
void WritePoorFitVerdict(std::ostream& err, const GunFit& fit, bool saveAsked) {
    err << "Poor fit: the model does not reach the shots.\n The RMS residual "
        << Velocity("%.2f", fit.rmsResidual)
        << (fit.rmsResidual > fit.poorFitLimit ? " is above " : " is within ")
        << Velocity("%.2f", fit.poorFitLimit)
        << (fit.pooledSpread ? ", three times the shots' pooled standard deviation.\n"
                             : ", 1 % of the shots' mean velocity (every weight has one shot).\n");
    const auto worst = std::max_element(
        fit.pellets.begin(), fit.pellets.end(), [](const FittedPellet& a, const FittedPellet& b) {
            return std::fabs(a.measured.meanVelocity - a.computedVelocity) <
                   std::fabs(b.measured.meanVelocity - b.computedVelocity);
        });
    const double miss = worst->computedVelocity - worst->measured.meanVelocity;
    err << " The nearest the model gets still misses the "
        << PelletWeight(worst->measured.bulletWeight) << " pellet by "
        << FormatReport("%+.2f m/s (%+.2f fps, %+.1f %%)", miss, FeetPerSecond(miss),
                        100 * miss / worst->measured.meanVelocity)
        << ": computed " << Velocity("%.2f", worst->computedVelocity) << " against "
        << Velocity("%.2f", worst->measured.meanVelocity) << " measured.\n";
    bool atEnd = false;
    for (const FittedParameter& p : fit.parameters) {
        if (p.atSearchEnd) {
            atEnd = true;
            err << " " << NameOf(p) << " sits at the end of the range searched ("
                << WithUnit("%g", p.searchedFrom, p.parameter) << " to "
                << WithUnit("%g", p.searchedTo, p.parameter)
                << "): the shots ask for a value beyond it.\n";
        }
    }
    if (!atEnd) {
        err << " No parameter sits at the end of the range searched.\n";
    }
    err << " Free other parameters, start from a gun nearer the shots, or check the shots."
        << (saveAsked ? " Nothing was saved." : "") << "\n";
}

// The summary of the fitted gun's shot with the report's own pellet, as simulate --save
// writes it; ends the command, saying that nothing was saved, when that shot fails.
GunReportSummary OwnPelletSummary(const GunFit& fit) {
    ModelInputs inputs;
    const auto result = std::make_unique<SimulationResult>();
    try {
        SimulateShotFromFields(fit.gun, '.', inputs, *result);
    } catch (const CommandFailure& failure) {
        ShowMessageAndAbort("The fitted gun cannot shoot its own pellet (the report's " +
                            fit.gun[static_cast<size_t>(Index(GunParameter::BulletWeight))] +
                            " g): " + WithClosingFullStop(failure.what()) + " Nothing was saved.");
    }
    SummarizeShot(inputs, *result);
    return ReportSummaryOf(*result, inputs);
}

// Saves the fitted gun; notes on standard error the fitted values that the report's three
// decimals change by more than 0.01 %.
void SaveFittedGun(const std::string& path, const GunParameters& gun, const GunFit& fit,
                   const GunReportSummary& summary, CliStreams& io) {
    SaveGunReport(path, gun.name, fit.gun, '.', summary);
    for (const FittedParameter& p : fit.parameters) {
        const std::string kept = FormatReport("%.3f", p.fittedValue);
        if (std::fabs(FieldToNumber(kept, '.') - p.fittedValue) > 1e-4 * std::fabs(p.fittedValue)) {
            io.err << "Note: the report keeps three decimals: " << NameOf(p) << ' '
                   << FormatReport("%.6g", p.fittedValue) << " is saved as " << kept << ".\n";
        }
    }
}

// The fit ran, but the model does not reach the shots.
constexpr int PoorFitStatus = 3;

int RunFit(const FitOptions& options, CliStreams& io) {
    const std::vector<GunParameter> free = FreeParameters(options.free);
    RefuseOutputsOverTheReport(options.gun, {{"--save", options.save}});
    RefuseOutputsOverTheInput(options.chrono, "the shots", {{"--save", options.save}});
    const GunParameters gun = LoadGun(options.gun, options.settings);
    // The search scales each start value, and an optional parameter's neutral 0 gives it
    // nothing to scale.
    for (const GunParameter parameter : free) {
        if (IsOptional(parameter) &&
            gun.optional[static_cast<size_t>(Index(parameter) - GunParameterCount)] == 0) {
            throw UsageError(std::string("--free ") + FieldNameOf(parameter) +
                             " needs a start value other than 0: give one with --set " +
                             FieldNameOf(parameter) + "=VALUE");
        }
    }
    const std::vector<MeasuredShot> shots = LoadChronographShots(options.chrono);
    const GunFit fit = FitGunToShots(ParameterTextsOf(gun), free, shots);
    WriteFit(io.out, fit, shots.size());
    WarnOfIndistinguishable(io.err, fit);
    if (fit.IsPoor()) {
        WritePoorFitVerdict(io.err, fit, !options.save.empty());
        return PoorFitStatus;
    }
    if (!options.save.empty()) {
        SaveFittedGun(options.save, gun, fit, OwnPelletSummary(fit), io);
    }
    return 0;
}

CliAction DefineFit(CLI::App& command) {
    auto options = std::make_shared<FitOptions>();
    command.description(
        "Fits some parameters of a saved gun to shots measured with a chronograph: changes them,\n"
        "each within what the Compute button accepts and a factor of four of its value, until the\n"
        "computed muzzle velocities come closest to the measured ones (least squares over all\n"
        "shots). Prints the fitted values in the order given, each with its standard error (from\n"
        "the residuals' Jacobian, central differences of 1 % of each value), the correlation of\n"
        "every pair and, per pellet weight, the measured mean and standard deviation, the computed\n"
        "velocity and the residual (m/s and ft/s); the RMS residual last. Warns when the shots\n"
        "cannot tell two free parameters apart (|correlation| above 0.98). A poor fit (RMS\n"
        "residual above three times the shots' pooled standard deviation, or 1 % of the mean\n"
        "velocity where every weight has one shot, or a parameter at the end of the range\n"
        "searched) gets a verdict on standard error and saves nothing.");
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
        ->delimiter(',')
        ->transform(TrimmedListItem);
    command
        .add_option("--save", options->save,
                    "write the report of the fitted gun with the summary of its\n"
                    "shot with the report's own pellet (three decimals, as Save)")
        ->option_text("FITTED.txt")
        ->check(WholeFileName);
    command.footer(
        WrapWords("Parameter names: " + FittableNames() +
                      ". An optional parameter is fitted from a start other than 0, from the "
                      "report or --set.",
                  90, 2) +
        "\n"
        "\n"
        "Example: velloran-cli fit examples/example-gun.txt --chrono examples/example-shots.csv "
        "--free MaximumForce"
        "\n"
        "\n"
        "Exit status: 0 on success; 1 when the report or the shots are refused, when there are\n"
        "more free parameters than pellet weights, when every shot fails, the fit does not\n"
        "converge or gives no finite figure, or the fitted gun cannot shoot the report's own\n"
        "pellet (nothing is saved); 2 for wrong usage; 3 for a poor fit: the table is printed,\n"
        "a verdict follows on standard error and nothing is saved.");
    return [options](CliStreams& io) { return RunFit(*options, io); };
}

}  // namespace

const CliCommand FitCommand = {
    "fit",
    "GUN.txt --chrono SHOTS.csv --free NAME[,NAME...] [--set NAME=VALUE,...] [--save FITTED.txt]",
    DefineFit,
};
