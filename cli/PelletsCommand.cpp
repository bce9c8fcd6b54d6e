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
#include "cli/CsvFormat.h"
#include "cli/OutputFiles.h"
#include "cli/PictureDrawing.h"
#include "cli/PlotOptions.h"
#include "cli/SweepGrid.h"
#include "cli/UsageError.h"
#include "common/ApplicationTitle.h"
#include "common/CommandErrors.h"
#include "common/FieldNumber.h"
#include "common/ReportFormat.h"
#include "datafile/GunReportFile.h"
#include "graph/CurveSlot.h"
#include "graph/GraphLayout.h"
#include "graph/PelletGraphs.h"
#include "model/ChronographShots.h"
#include "model/EnergyLimitVerdict.h"
#include "model/PelletTable.h"
#include "model/PelletUnits.h"
#include "model/UnitTable.h"

namespace {

struct PelletsOptions {
    std::string gun;
    std::vector<std::string> settings;  // --set
    std::string weights;                // FROM:TO:STEPS, in g or with a unit
    std::string limit;                  // "" when not given
    std::string margin;                 // PERCENT, likewise
    std::string picture;                // likewise
    std::string size = "426x516";
    std::string chrono;  // likewise
    std::string units = "metric";  // of the picture: metric or imperial
};

// Rows computed at a time: enough to keep every core busy, few enough that a table of a
// million weights never stands in memory whole.
constexpr size_t RowsPerBatch = 4096;

// The picture's size: two graphs stacked, each of at least the smallest side a graph takes.
QSize PictureSize(const PelletsOptions& options) {
    PlotOptions plot;
    plot.size = options.size;
    const QSize size = ChosenPictureSize(plot);
    const int smallestGraph = static_cast<int>(std::ceil(MinimumImageSide));
    if (size.height() < 2 * smallestGraph) {
        throw UsageError(
            "the picture holds two graphs, one above the other: its height must be "
            "at least " +
            std::to_string(2 * smallestGraph) + ", not " + std::to_string(size.height()));
    }
    return size;
}

// A curve of the picture holds at most CurveCapacity points: known before anything is computed.
void RefuseMorePointsThanAGraphHolds(size_t points, const std::string& what) {
    if (points > static_cast<size_t>(CurveCapacity)) {
        throw UsageError("-o draws at most " + std::to_string(CurveCapacity) + " " + what +
                         ", not " + std::to_string(points) + "; leave out -o for the table alone");
    }
}

struct LimitOptions {
    double energy;      // J
    double nearMargin;  // share of the limit, 0 when --margin is not given
};

const char* StandingText(LimitStanding standing) {
    switch (standing) {
        case LimitStanding::Over:
            return "yes";
        case LimitStanding::Near:
            return "near";
        case LimitStanding::Within:
            break;
    }
    return "no";
}

void WriteHeader(std::ostream& out, bool withLimit) {
    out << "bullet_weight_g,bullet_weight_gr,status,bullet_velocity_m_s,bullet_velocity_fps,"
           "bullet_energy_J,bullet_energy_ftlbf"
        << (withLimit ? ",over_limit" : "") << '\n';
}

void WriteRow(std::ostream& out, const PelletRow& row, const std::optional<LimitOptions>& limit) {
    using namespace PelletUnits;
    const ShotFigures& shot = row.figures;
    out << CsvNumber(row.bulletWeight) << ',' << CsvNumber(row.bulletWeight / GramsPerGrain) << ',';
    if (!shot.failure.empty()) {
        out << CsvField(WithClosingFullStop(shot.failure)) << ",,,," << (limit ? "," : "") << '\n';
        return;
    }
    out << "ok," << CsvNumber(shot.muzzleVelocity) << ','
        << CsvNumber(shot.muzzleVelocity / MetresPerFoot) << ',' << CsvNumber(shot.bulletEnergy)
        << ',' << CsvNumber(shot.bulletEnergy / JoulesPerFootPound);
    if (limit) {
        out << ',' << StandingText(StandingOf(shot, limit->energy, limit->nearMargin));
    }
    out << '\n';
}

std::string WeightText(double grams) {
    return FormatReport("%.3f g (%.2f gr)", grams, grams / PelletUnits::GramsPerGrain);
}

std::string RangeText(const WeightRange& range) {
    if (range.first == range.last) {
        return WeightText(range.first);
    }
    return FormatReport("%.3f to %.3f g (%.2f to %.2f gr)", range.first, range.last,
                        range.first / PelletUnits::GramsPerGrain,
                        range.last / PelletUnits::GramsPerGrain);
}

// The limit as given and, when given in another unit, in joules: "12 ft·lbf = 16.27 J".
std::string LimitEcho(const std::string& given, double joules) {
    const std::optional<ValueWithUnit> split = SplitUnit(given);
    std::string number = split ? split->number : given;
    number.erase(number.find_last_not_of(' ') + 1);
    number.erase(0, number.find_first_not_of(' '));
    const std::string unit = split ? std::string(split->unit->Name()) : "J";
    return number + " " + unit + (unit == "J" ? "" : FormatReport(" = %.2f J", joules));
}

// The lines on standard error after the table: the verdict on the whole range of weights.
void WriteVerdict(std::ostream& err, const EnergyLimitVerdict& verdict, const std::string& given) {
    const double limit = verdict.Limit();
    err << "Limit: " << LimitEcho(given, limit) << ".\n";
    if (!verdict.Highest()) {
        err << "No weight gave a shot; the status column says why.\n";
        return;
    }
    const PelletRow& highest = *verdict.Highest();
    const double energy = highest.figures.bulletEnergy;
    err << FormatReport("Highest energy: %.2f J (%.2f ft\u00b7lbf), from the ", energy,
                        energy / PelletUnits::JoulesPerFootPound)
        << WeightText(highest.bulletWeight)
        << FormatReport(" pellet at %.1f m/s.\n", highest.figures.muzzleVelocity);
    std::string over;
    for (const WeightRange& range : verdict.OverRanges()) {
        over += (over.empty() ? "" : "; ") + RangeText(range);
    }
    if (verdict.OverRangeCount() > verdict.OverRanges().size()) {
        over += "; and " + std::to_string(verdict.OverRangeCount() - verdict.OverRanges().size()) +
                " more ranges";
    }
    const double margin = energy - limit;
    if (verdict.OverCount() == 0) {
        err << "Over the limit: none. The highest is "
            << FormatReport("%.2f J (%.1f %%) below the limit.\n", -margin, -margin / limit * 100);
    } else {
        err << "Over the limit: " << over << ".\n"
            << "The worst, " << WeightText(highest.bulletWeight) << ", is "
            << FormatReport("%.2f J (%.1f %%) over the limit.\n", margin, margin / limit * 100);
    }
    if (verdict.FailedCount() > 0) {
        err << verdict.FailedCount()
            << " weights gave no shot and are not judged; the status column says why.\n";
    }
}

int RunPellets(const PelletsOptions& options, CliStreams& io) {
    const SweepAxis weights =
        ParseSweepRange(GunParameter::BulletWeight, options.weights, "--weights");
    std::optional<LimitOptions> limit;
    if (!options.limit.empty()) {
        limit = LimitOptions{ParseCliEnergy(options.limit, "--limit"), 0};
    }
    if (!options.margin.empty()) {
        const double percent = ParseCliNumber(options.margin, "--margin");
        if (!(percent >= 0 && percent < 100)) {
            throw UsageError("--margin takes a percentage from 0 to below 100, not '" +
                             options.margin + "'");
        }
        limit->nearMargin = percent / 100;
    }
    std::optional<PictureSpec> picture;
    if (!options.picture.empty()) {
        picture = PictureSpec{ChosenPictureFormat(options.picture), PictureSize(options),
                              PelletGraphsTitle};
        RefuseMorePointsThanAGraphHolds(static_cast<size_t>(weights.points), "weights");
    }

    RefuseOutputsOverTheReport(options.gun, {{"-o", options.picture}});
    if (!options.chrono.empty()) {
        RefuseOutputsOverTheInput(options.chrono, "the shots", {{"-o", options.picture}});
    }
    const GunParameters gun = LoadGun(options.gun, options.settings);
    const std::vector<MeasuredShot> measured =
        options.chrono.empty() ? std::vector<MeasuredShot>() : LoadChronographShots(options.chrono);
    RefuseMorePointsThanAGraphHolds(measured.size(), "shots");
    if (picture) {
        PreparePictureDrawing();
    }

    // The rows go out as they are computed; only a picture, at most CurveCapacity points,
    // keeps them.
    const GunParameterTexts texts = ParameterTextsOf(gun);
    std::optional<EnergyLimitVerdict> verdict;
    if (limit) {
        verdict.emplace(limit->energy);
    }
    std::vector<PelletRow> drawn;
    WriteHeader(io.out, limit.has_value());
    std::vector<double> batch;
    for (int k = 0; k < weights.points && io.out;) {
        batch.clear();
        for (; k < weights.points && batch.size() < RowsPerBatch; ++k) {
            batch.push_back(weights.Value(k));
        }
        for (const PelletRow& row : ComputePelletTable(texts, batch, 0)) {
            WriteRow(io.out, row, limit);
            if (verdict) {
                verdict->Add(row);
            }
            if (picture) {
                drawn.push_back(row);
            }
        }
    }
    if (!io.out.flush()) {
        ShowMessageAndAbort(FileSavingErrorMessage);
    }
    if (verdict) {
        WriteVerdict(io.err, *verdict, options.limit);
    }

    if (picture) {
        const PelletPictureUnits units = options.units == "imperial"
                                             ? PelletPictureUnits::Imperial
                                             : PelletPictureUnits::Metric;
        const QSize size = picture->size;
        const std::optional<double> limitEnergy =
            limit ? std::optional(limit->energy) : std::nullopt;
        SavePicture(options.picture, *picture, [&](Canvas& canvas) {
            DrawPelletGraphs(drawn, measured, limitEnergy, units, size.width(), size.height(),
                             canvas);
        });
    }
    return 0;
}

CliAction DefinePellets(CLI::App& command) {
    auto options = std::make_shared<PelletsOptions>();
    command.description(
        "Computes a saved gun with each of a range of pellet weights and prints one CSV row per\n"
        "weight as it goes: which pellet suits the gun, and which weights an energy limit\n"
        "holds.");
    AddGunReport(command, options->gun);
    AddParameterSettings(command, options->settings);
    command
        .add_option("--weights", options->weights,
                    "STEPS weights from FROM to TO, both included, in grams or\n"
                    "with a unit of mass: 0.45:0.7:6 or 5gr:16gr:12")
        ->option_text("FROM:TO:STEPS")
        ->required();
    auto* limit = command
                      .add_option("--limit", options->limit,
                                  "an energy limit such as 7.5J, 16.27J or 12ftlbf: adds the\n"
                                  "column over_limit and ends with a verdict on the whole\n"
                                  "range on standard error")
                      ->option_text("ENERGY");
    command
        .add_option("--margin", options->margin,
                    "marks rows within PERCENT below the limit as near in\n"
                    "over_limit")
        ->option_text("PERCENT")
        ->needs(limit);
    auto* picture = command
                        .add_option("-o", options->picture,
                                    "a picture of velocity (above) and energy (below) over\n"
                                    "the pellet weight, of at most 10010 weights: PNG, SVG or\n"
                                    "PDF by its extension")
                        ->option_text(PictureOptionText)
                        ->check(WholeFileName);
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
                    "the picture (the CSV of fit), at most 10010")
        ->option_text("SHOTS.csv")
        ->needs(picture)
        ->check(NonEmptyFileName);
    command.footer(
        "Columns: bullet_weight_g, bullet_weight_gr, status (ok, or the message the Compute\n"
        "button would show), bullet_velocity_m_s, bullet_velocity_fps, bullet_energy_J,\n"
        "bullet_energy_ftlbf and, with --limit, over_limit (yes, near within --margin, or no).\n"
        "\n"
        "The verdict after the table names the limit as given and in joules, the highest energy\n"
        "and its pellet, every weight over the limit (as ranges in the order of the table) and\n"
        "how far the worst one is over, or how far the highest is below.\n"
        "\n"
        "Energies: " +
        UnitSpellings(Quantity::Energy) +
        ".\n"
        "Masses: " +
        UnitSpellings(Quantity::Mass) +
        ".\n"
        "\n"
        "Example: velloran-cli pellets examples/example-gun.txt --weights 5gr:16gr:12 --limit "
        "8ftlbf --margin 5 -o pellets.svg\n"
        "\n"
        "Exit status: 0 when the table was computed (whatever its rows gave), 1 when the report\n"
        "or the shots are refused or the picture cannot be written, 2 for wrong usage.");
    return [options](CliStreams& io) { return RunPellets(*options, io); };
}

}  // namespace

const CliCommand PelletsCommand = {
    "pellets",
    "GUN.txt --weights FROM:TO:STEPS [--set NAME=VALUE,...] [--limit ENERGY [--margin PERCENT]] "
    "[-o FILE.png|svg|pdf [--size WxH] [--units UNITS] [--chrono SHOTS.csv]]",
    DefinePellets,
};
