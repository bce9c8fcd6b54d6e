// Shots per second of a sweep of the example gun (step 0.01 ms) over a 200 × 100 grid of its
// piston stroke (50 … 70 mm) and maximum spring force (300 … 500 N): the yardstick's plain loop
// on one thread, the lanes of each instruction set on one thread (designed and smooth, the
// smooth one beside its own one-by-one loop), and the whole velloran-cli sweep process on one
// and two threads, on each instruction set's lanes; and the peak memory of a sweep of a
// million points.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "bench/PlainShotLoop.h"
#include "datafile/GunReportFile.h"
#include "model/ShotBatch.h"
#include "model/SmoothShot.h"
#include "model/SweepGrid.h"
#include "tests/support/ExampleGun.h"

namespace {

const char* const StrokeAxis = "PistonStroke=50:70:200";
const char* const ForceAxis = "MaximumForce=300:500:100";

const SweepGrid& BenchGrid() {
    static const SweepGrid grid{
        ExampleGunTexts(),
        {{GunParameter::PistonStroke, 50, 70, 200}, {GunParameter::MaximumForce, 300, 500, 100}}};
    return grid;
}

// The inputs of the grid's points, read and checked as the Compute button would.
const std::vector<ModelInputs>& GridInputs() {
    static const std::vector<ModelInputs> inputs = [] {
        std::vector<ModelInputs> all;
        for (size_t point = 0; point < BenchGrid().PointCount(); ++point) {
            all.push_back(CompletedInputsOf(BenchGrid().PointTexts(point)));
        }
        return all;
    }();
    return inputs;
}

void ReportShotsPerSecond(benchmark::State& state, size_t shots) {
    state.counters["shots_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * static_cast<double>(shots),
                           benchmark::Counter::kIsRate);
}

// The yardstick: one shot after another through the plain loop, with its summary.
void BM_PlainLoopSweep(benchmark::State& state) {
    const std::vector<ModelInputs>& inputs = GridInputs();
    const auto scratch = std::make_unique<SimulationResult>();
    for (auto _ : state) {
        for (const ModelInputs& gun : inputs) {
            benchmark::DoNotOptimize(PlainShotFigures(gun, *scratch));
        }
    }
    ReportShotsPerSecond(state, inputs.size());
}
BENCHMARK(BM_PlainLoopSweep)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// The smooth computation's yardstick: one shot after another on plain doubles.
void BM_SmoothOneByOneSweep(benchmark::State& state) {
    const std::vector<ModelInputs>& inputs = GridInputs();
    for (auto _ : state) {
        for (const ModelInputs& gun : inputs) {
            benchmark::DoNotOptimize(ComputeSmoothShotFigures(gun));
        }
    }
    ReportShotsPerSecond(state, inputs.size());
}
BENCHMARK(BM_SmoothOneByOneSweep)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// The lanes of one instruction set on one thread, in the blocks the sweep computes.
void LaneSweep(benchmark::State& state, const ShotLaneKernel& kernel, ShotComputation computation) {
    const std::vector<ModelInputs>& inputs = GridInputs();
    std::vector<ShotFigures> figures(inputs.size());
    const auto scratch = std::make_unique<SimulationResult>();
    constexpr size_t Block = 512;
    for (auto _ : state) {
        for (size_t first = 0; first < inputs.size(); first += Block) {
            const size_t count = std::min(Block, inputs.size() - first);
            ComputeShotFigures(std::span(inputs).subspan(first, count),
                               std::span(figures).subspan(first, count), *scratch, kernel,
                               computation);
        }
        benchmark::DoNotOptimize(figures.data());
    }
    ReportShotsPerSecond(state, inputs.size());
}

const bool LaneSweepsRegistered = [] {
    for (const ShotLaneKernel& kernel : ShotLaneKernels()) {
        for (const auto& [name, chosen] :
             {std::pair{"BM_LaneSweep/", ShotComputation::Designed},
              std::pair{"BM_SmoothLaneSweep/", ShotComputation::Smooth}}) {
            // Clang 14 cannot capture a structured binding in a lambda.
            const ShotComputation computation = chosen;
            benchmark::RegisterBenchmark((std::string(name) + kernel.instructionSet).c_str(),
                                         [&kernel, computation](benchmark::State& state) {
                                             LaneSweep(state, kernel, computation);
                                         })
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        }
    }
    return true;
}();

// A report of the example gun in a folder of its own, for the command-line tool to read.
class ExampleGunReport {
public:
    ExampleGunReport() {
        SaveGunReport(path, " Air Gun", ExampleGunTexts(), '.', GunReportSummary{});
    }
    QTemporaryDir folder;
    const std::string path = folder.filePath("example.txt").toStdString();
};

struct ProcessRun {
    int status = -1;
    long peakResidentKiB = 0;
    double cpuSeconds = 0;  // user and system, on all its threads
};

// Runs velloran-cli with its output thrown away, and waits for it; laneKernel, unless empty,
// names the instruction set of its lanes in place of the one the environment names.
ProcessRun RunCli(const std::vector<std::string>& arguments, const std::string& laneKernel = {}) {
    std::vector<std::string> words = {VELLORAN_CLI_PATH};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    std::string laneChoice = "VELLORAN_LANES=" + laneKernel;
    std::vector<char*> environment;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        if (laneKernel.empty() || !std::string_view(*variable).starts_with("VELLORAN_LANES=")) {
            environment.push_back(*variable);
        }
    }
    if (!laneKernel.empty()) {
        environment.push_back(laneChoice.data());
    }
    environment.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    ProcessRun run;
    if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environment.data()) == 0) {
        int status = 0;
        rusage usage{};
        if (wait4(child, &status, 0, &usage) == child && WIFEXITED(status)) {
            run.status = WEXITSTATUS(status);
            run.peakResidentKiB = usage.ru_maxrss;
            run.cpuSeconds =
                static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

// The whole process: loading the report, reading and checking every point, the lanes on the
// given number of threads, and the CSV. Its shots per second of processor time (on all its
// threads) hold also where other work shares the cores: against the lanes' processor time
// (the CPU column), they give the process's own overhead. The tool's lanes are those of the
// kernel named, so that each instruction set is measured on a processor that has a better one.
void CliSweep(benchmark::State& state, const ShotLaneKernel& kernel) {
    const ExampleGunReport gun;
    const std::string threads = std::to_string(state.range(0));
    double cpuSeconds = 0;
    for (auto _ : state) {
        const ProcessRun run =
            RunCli({"sweep", gun.path, "--vary", StrokeAxis, "--vary", ForceAxis, "--threads",
                    threads},
                   kernel.instructionSet);
        if (run.status != 0) {
            state.SkipWithError("velloran-cli sweep failed");
            return;
        }
        cpuSeconds += run.cpuSeconds;
    }
    ReportShotsPerSecond(state, BenchGrid().PointCount());
    state.counters["shots_per_cpu_s"] = static_cast<double>(state.iterations()) *
                                        static_cast<double>(BenchGrid().PointCount()) / cpuSeconds;
}

const bool CliSweepsRegistered = [] {
    for (const ShotLaneKernel& kernel : ShotLaneKernels()) {
        benchmark::RegisterBenchmark(
            (std::string("BM_CliSweep/") + kernel.instructionSet).c_str(),
            [&kernel](benchmark::State& state) { CliSweep(state, kernel); })
            ->ArgName("threads")
            ->Arg(1)
            ->Arg(2)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    return true;
}();

// A sweep of a million points on two threads: its peak memory, which the streaming keeps
// bounded whatever the grid's size (the rows are written as the blocks finish).
void BM_CliSweepMillionPointsPeakMemory(benchmark::State& state) {
    const ExampleGunReport gun;
    ProcessRun run;
    for (auto _ : state) {
        run = RunCli({"sweep", gun.path, "--vary", "PistonStroke=50:70:1000", "--vary",
                      "MaximumForce=300:500:1000", "--threads", "2"});
        if (run.status != 0) {
            state.SkipWithError("velloran-cli sweep failed");
            return;
        }
    }
    state.counters["peak_rss_MB"] = static_cast<double>(run.peakResidentKiB) / 1024;
    ReportShotsPerSecond(state, 1'000'000);
    state.SetLabel(BestShotLaneKernel().instructionSet);
}
BENCHMARK(BM_CliSweepMillionPointsPeakMemory)
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(1);

}  // namespace
