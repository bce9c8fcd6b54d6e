// velloran-cli pellets: a saved gun's shot with each of a range of pellet weights, against an
// energy limit if one is given.

#include <CLI/App.hpp>
#include <cmath>
#include <memory>
#include <optional>
#include <ostream>
#include <vector>

#include "cli/CliNumbers.h"
#include "cli/CliValidators.h"
#include "cli/Commands.h"
#include "cli/OutputFiles.h"
#include "cli/CsvFormat.h"
#include "cli/PlotOptions.h"
#include "cli/SweepGrid.h"
#include "cli/UsageError.h"
#include "common/ApplicationTitle.h"
#include "common/CommandErrors.h"
#include "common/FieldNumber.h"
#include "common/ReportFormat.h"
#include "datafile/GunReportFile.h"
#include "graph/GraphLayout.h"
#include "graph/PictureFile.h"
#include "graph/PelletGraphs.h"
#include "model/ChronographShots.h"
#include "model/PelletTable.h"
#include "model/PelletUnits.h"

namespace {

struct PelletsOptions {
    std::string gun;
    std::string weights;  // FROM:TO:STEPS in g
    std::string limit;    // "" when not given
    std::string picture;  // likewise
    std::string size = "426x516";
    std::string chrono;  // likewise
    std::string units = "metric";  // of the picture: metric or imperial
};

// The picture's size: two graphs stacked, each of at least the smallest side a graph takes.
QSize PictureSize(const PelletsOptions& options) {
    PlotOptions plot;
    plot.size = options.size;
    const QSize size = ChosenPictureSize(plot);
    const int smallestGraph = static_cast<int>(std::ceil(MinimumImageSide));
    if (size.height() < 2 * smallestGraph) {
        throw UsageError("the picture holds two graphs, one above the other: its height must be "
                         "at least " +
                         std::to_string(2 * smallestGraph) + ", not " +
                         std::to_string(size.height()));
    }
    return size;
}

void WriteTable(std::ostream& out, const std::vector<PelletRow>& rows,
                std::optional<double> limit) {
    out << "bullet_weight_g,bullet_weight_gr,status,bullet_velocity_m_s,bullet_velocity_fps,"
           "bullet_energy_J,bullet_energy_ftlbf"
        << (limit ? ",over_limit" : "") << '\n';
    using namespace PelletUnits;
    for (const PelletRow& row : rows) {
        const ShotFigures& shot = row.figures;
        out << CsvNumber(row.bulletWeight) << ',' << CsvNumber(row.bulletWeight / GramsPerGrain)
            << ',';
        if (!shot.failure.empty()) {
            out << CsvField(WithClosingFullStop(shot.failure)) << ",,,," << (limit ? "," : "")
                << '\n';
            continue;
        }
        out << "ok," << CsvNumber(shot.muzzleVelocity) << ','
            << CsvNumber(shot.muzzleVelocity / MetresPerFoot) << ','
            << CsvNumber(shot.bulletEnergy) << ','
            << CsvNumber(shot.bulletEnergy / JoulesPerFootPound);
        if (limit) {
            out << ',' << (IsOverLimit(shot, *limit) ? "yes" : "no");
        }
        out << '\n';
    }
}

// The last line on standard error: which pellet to take for the limit.
std::string LimitVerdict(const std::vector<PelletRow>& rows, double limit) {
    const std::string limitText = FormatReport("%.4g J", limit);
    const PelletRow* lightest = LightestWithinLimit(rows, limit);
    if (lightest == nullptr) {
        return "No pellet of these weights stays within " + limitText + ".";
    }
    return "The lightest pellet within " + limitText + " weighs " +
           FormatReport("%.3f g (%.2f gr) and leaves with %.1f m/s and %.2f J.",
                        lightest->bulletWeight,
                        lightest->bulletWeight / PelletUnits::GramsPerGrain,
                        lightest->figures.muzzleVelocity, lightest->figures.bulletEnergy);
}

int RunPellets(const PelletsOptions& options, CliStreams& io) {
    const SweepAxis weights =
        ParseSweepRange(GunParameter::BulletWeight, options.weights, "--weights");
    const std::optional<double> limit =
        options.limit.empty() ? std::nullopt
                              : std::optional(ParseCliEnergy(options.limit, "--limit"));
    std::optional<PictureSpec> picture;
    if (!options.picture.empty()) {
        picture = PictureSpec{ChosenPictureFormat(options.picture), PictureSize(options),
                              PelletGraphsTitle};
    }

    RefuseOutputsOverTheReport(options.gun, {{"-o", options.picture}});
    if (!options.chrono.empty()) {
        RefuseOutputsOverTheInput(options.chrono, "the shots", {{"-o", options.picture}});
    }
    const GunParameters gun = LoadGunReport(options.gun);
    const std::vector<MeasuredShot> measured =
        options.chrono.empty() ? std::vector<MeasuredShot>()
                               : LoadChronographShots(options.chrono);
    std::vector<double> weightValues;
    for (int k = 0; k < weights.points; ++k) {
        weightValues.push_back(weights.Value(k));
    }
    const std::vector<PelletRow> rows = ComputePelletTable(ParameterTextsOf(gun), weightValues, 0);

    if (picture) {
        const PelletPictureUnits units = options.units == "imperial"
                                             ? PelletPictureUnits::Imperial
                                             : PelletPictureUnits::Metric;
        const QSize size = picture->size;
        SavePicture(options.picture, *picture, [&](Canvas& canvas) {
            DrawPelletGraphs(rows, measured, limit, units, size.width(), size.height(), canvas);
        });
    }
    WriteTable(io.out, rows, limit);
    if (limit) {
        io.err << LimitVerdict(rows, *limit) << '\n';
    }
    return 0;
}

CliAction DefinePellets(CLI::App& command) {
    auto options = std::make_shared<PelletsOptions>();
    command.description(
        "Computes a saved gun with each of a range of pellet weights and prints one CSV row per\n"
        "weight: which pellet suits the gun, and which stays within an energy limit.");
    AddGunReport(command, options->gun);
    command
        .add_option("--weights", options->weights,
                    "STEPS weights from FROM to TO grams, both included")
        ->option_text("FROM:TO:STEPS")
        ->required();
    command
        .add_option("--limit", options->limit,
                    "an energy limit such as 7.5J, 16.27J or 12ftlbf: adds the\n"
                    "column over_limit and names the lightest pellet within it\n"
                    "on standard error")
        ->option_text("ENERGY");
    auto* picture = command
                        .add_option("-o", options->picture,
                                    "a picture of velocity (above) and energy (below) over\n"
                                    "the pellet weight: PNG, SVG or PDF by its extension")
                        ->option_text(PictureOptionText)
                        ->check(NonEmptyFileName);
    command
        .add_option("--size", options->size, "its size in pixels (default 426x516: two graphs)")
        ->option_text("WxH")
        ->needs(picture);
    command
        .add_option("--units", options->units,
                    "the picture's units: metric (g, m/s, J, the default) or\n"
                    "imperial (gr, ft/s, ftlbf); the CSV gives both")
        ->option_text("UNITS")
        ->needs(picture)
        ->check(CLI::IsMember({"metric", "imperial"}));
    command
        .add_option("--chrono", options->chrono,
                    "shots measured with a chronograph, drawn as circles in\n"
                    "the picture (the CSV of fit)")
        ->option_text("SHOTS.csv")
        ->needs(picture)
        ->check(NonEmptyFileName);
    command.footer(
        "Columns: bullet_weight_g, bullet_weight_gr, status (ok, or the message the Compute\n"
        "button would show), bullet_velocity_m_s, bullet_velocity_fps, bullet_energy_J,\n"
        "bullet_energy_ftlbf and, with --limit, over_limit (yes or no).\n"
        "\n"
        "Example: velloran-cli pellets RevIve.txt --weights 0.45:0.70:6 --limit 7.5J -o "
        "pellets.svg\n"
        "\n"
        "Exit status: 0 when the table was computed (whatever its rows gave), 1 when the report\n"
        "or the shots are refused or the picture cannot be written, 2 for wrong usage.");
    return [options](CliStreams& io) { return RunPellets(*options, io); };
}

}  // namespace

const CliCommand PelletsCommand = {
    "pellets",
    "GUN.txt --weights FROM:TO:STEPS [--limit ENERGY] [-o FILE.png|svg|pdf [--size WxH] "
    "[--units UNITS] [--chrono SHOTS.csv]]",
    DefinePellets,
};
