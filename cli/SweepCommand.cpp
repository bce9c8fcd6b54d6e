// velloran-cli sweep: a saved gun computed over a grid of one or two of its parameters.

#include <CLI/App.hpp>
#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <ostream>
#include <vector>

#include "cli/CliHelpFormatter.h"
#include "cli/CliNumbers.h"
#include "cli/CliValidators.h"
#include "cli/Commands.h"
#include "cli/CsvFormat.h"
#include "cli/ProgressLine.h"
#include "cli/ShotFiguresCsv.h"
#include "cli/SweepGrid.h"
#include "cli/UsageError.h"
#include "datafile/GunReportFile.h"
#include "model/SweepRunner.h"

namespace {

struct SweepOptions {
    std::string gun;
    std::vector<std::string> settings;  // --set
    std::vector<std::string> vary;  // one or two NAME=FROM:TO:STEPS
    std::uint64_t threads = 0;      // 0: one per core
    std::string shard;              // K/N, or empty for the whole grid
    bool smooth = false;            // events located within their steps
};

// "K/N": the K-th of N contiguous parts of the grid.
SweepShard ParseShard(const std::string& text) {
    const size_t slash = text.find('/');
    if (slash == std::string::npos) {
        throw UsageError("--shard takes K/N, such as 2/8, not '" + text + "'");
    }
    const int count = ParseCliCount(text.substr(slash + 1), "N of --shard K/N", 1,
                                    std::numeric_limits<int>::max());
    const int number = ParseCliCount(text.substr(0, slash), "K of --shard K/N", 1, count);
    return {static_cast<size_t>(number), static_cast<size_t>(count)};
}

// Raised when the command's output fails, so that the sweep stops computing rows no one reads.
struct RowsNotWritten {};

// The rows as CSV, written to the command's output as they come, and the progress on the
// terminal when there is one to show it.
class CsvSweepRows : public SweepRowSink {
    // Room for two varied values and a shot's figures in full, so that a block's buffer
    // seldom grows.
    static constexpr size_t TypicalRowLength = 160;

public:
    CsvSweepRows(size_t axes, CliStreams& io) : axes_(axes), out_(io.out) {
        if (ShowsProgressOnStandardError(io.out, io.err)) {
            progress_.emplace(io.err, "points");
        }
    }

    // Called on the worker threads, so that the writer only copies the finished buffers out.
    std::string RowsText(std::span<const SweepRow> rows) const override {
        std::string text;
        text.reserve(rows.size() * TypicalRowLength);
        for (const SweepRow& row : rows) {
            for (size_t a = 0; a < axes_; ++a) {
                AppendCsvNumber(text, row.variedValues[a]);
                text += ',';
            }
            AppendShotFiguresFields(text, row.figures);
            text += ',';
            if (row.figures.failure.empty()) {
                AppendCsvNumber(text, row.efficiency);
            }
            text += '\n';
        }
        return text;
    }

    void Write(const std::string& rowsText, SweepProgress progress) override {
        if (!(out_ << rowsText)) {
            throw RowsNotWritten{};
        }
        if (progress_) {
            progress_->Show(progress.pointsDone, progress.points);
        }
    }

private:
    size_t axes_;
    std::ostream& out_;
    std::optional<ProgressLine> progress_;
};

int RunSweep(const SweepOptions& options, CliStreams& io) {
    SweepGrid grid;
    for (const std::string& vary : options.vary) {
        grid.axes.push_back(ParseSweepAxis(vary));
    }
    if (grid.axes.size() == 2 && grid.axes[0].parameter == grid.axes[1].parameter) {
        throw UsageError("vary two different parameters");
    }
    const SweepShard shard = options.shard.empty() ? SweepShard{} : ParseShard(options.shard);
    // More threads than cores are never started, so any count can be asked for.
    const auto threads = static_cast<unsigned>(
        std::min<std::uint64_t>(options.threads, std::numeric_limits<unsigned>::max()));

    grid.gun = ParameterTextsOf(LoadGun(options.gun, options.settings));

    // Only the first shard has the header, so that the shards' outputs in order make the whole.
    if (shard.number == 1) {
        for (const SweepAxis& axis : grid.axes) {
            io.out << FieldNameOf(axis.parameter) << ',';
        }
        io.out << ShotFiguresHeader() << ",efficiency\n";
    }
    // The rows stop at the first block that cannot be written; RunCli reports the failure.
    if (!io.out) {
        return 0;
    }
    CsvSweepRows rows(grid.axes.size(), io);
    try {
        ComputeSweep(grid, shard, threads, rows,
                     options.smooth ? ShotComputation::Smooth : ShotComputation::Designed);
    } catch (const RowsNotWritten&) {
    }
    return 0;
}

CliAction DefineSweep(CLI::App& command) {
    auto options = std::make_shared<SweepOptions>();
    command.description(
        "Computes the gun of a report over a grid of one or two of its parameters and prints one\n"
        "CSV row per grid point, the first parameter varying slowest.");
    AddGunReport(command, options->gun);
    AddParameterSettings(command, options->settings);
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
                    "compute on N threads (default: one per core; never more than\n"
                    "the cores); the output is the same for any N")
        ->option_text("N")
        ->check(AtLeastOne);
    command
        .add_option("--shard", options->shard,
                    "compute only the K-th of N contiguous parts of the grid;\n"
                    "only part 1 prints the header, so the outputs of parts 1 to N\n"
                    "in order make the whole sweep")
        ->option_text("K/N");
    command.add_flag("--smooth", options->smooth,
                     "compute each point smoothly: the bullet's release, the piston's\n"
                     "stop and turn and the muzzle located within their steps, the\n"
                     "figures those at the muzzle (as fit, pellets and compare do)");
    command.footer(
        WrapWords("Parameter names: " + ParameterFieldNames() + ".", 90, 2) +
        "\n"
        "\n"
        "Columns: the varied parameters, status (ok, or the message the Compute button would\n"
        "show), steps, max_pressure_MPa, max_piston_velocity_m_s, max_temperature_K,\n"
        "bullet_velocity_m_s, bullet_energy_J, efficiency (the muzzle energy over the energy the\n"
        "spring or gas ram releases over the whole stroke). A point whose computation fails\n"
        "leaves its figures empty and the sweep goes on.\n"
        "\n"
        "Rows are written as they are computed, in grid order. When standard error is a terminal\n"
        "and the rows go elsewhere, a long sweep shows its progress there.\n"
        "\n"
        "Example: velloran-cli sweep examples/example-gun.txt --vary PistonStroke=50:70:5 --vary "
        "BulletWeight=0.4:0.6:3\n"
        "\n"
        "Exit status: 0 when the sweep ran (whatever its points gave), 1 when the report is\n"
        "refused, 2 for wrong usage.");
    return [options](CliStreams& io) { return RunSweep(*options, io); };
}

}  // namespace

const CliCommand SweepCommand = {
    "sweep",
    "GUN.txt --vary NAME=FROM:TO:STEPS [--vary NAME2=FROM:TO:STEPS] [--set NAME=VALUE,...] "
    "[--threads N] [--shard K/N] [--smooth]",
    DefineSweep,
};
