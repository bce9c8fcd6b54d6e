// Shots per second of a sweep: 10 000 variations of the example gun (step 0.01 ms).

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "common/FieldNumber.h"
#include "model/ShotBatch.h"
#include "tests/support/ExampleGun.h"

namespace {

// A 100 × 100 grid over the piston stroke (50 … 70 mm) and the maximum spring force
// (300 … 500 N), through the same text conversion and checks as the window.
const std::vector<ModelInputs>& SweepGrid() {
    static const std::vector<ModelInputs> grid = [] {
        std::vector<ModelInputs> guns;
        for (int i = 0; i < 100; ++i) {
            for (int j = 0; j < 100; ++j) {
                GunParameterTexts texts = ExampleGunTexts();
                texts[static_cast<size_t>(Index(GunParameter::PistonStroke))] =
                    NumberToField(50 + 20.0 * i / 99, '.');
                texts[static_cast<size_t>(Index(GunParameter::MaximumForce))] =
                    NumberToField(300 + 200.0 * j / 99, '.');
                ModelInputs inputs;
                ReadModelInputs(texts, '.', inputs);
                ValidateModelInputs(inputs);
                CompleteModelInputs(inputs);
                guns.push_back(inputs);
            }
        }
        return guns;
    }();
    return grid;
}

void ReportShotsPerSecond(benchmark::State& state) {
    state.counters["shots_per_s"] = benchmark::Counter(
        static_cast<double>(state.iterations() * SweepGrid().size()), benchmark::Counter::kIsRate);
}

// Shots side by side, on the given number of threads.
void BM_SweepSideBySide(benchmark::State& state) {
    const std::vector<ModelInputs>& grid = SweepGrid();
    std::vector<ShotFigures> figures(grid.size());
    for (auto _ : state) {
        ComputeShotFiguresOnThreads(grid, figures, static_cast<unsigned>(state.range(0)));
        benchmark::DoNotOptimize(figures.data());
    }
    ReportShotsPerSecond(state);
}
BENCHMARK(BM_SweepSideBySide)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// A plain loop of single shots through the compute command's steps, on one thread.
void BM_SweepOneByOne(benchmark::State& state) {
    const std::vector<ModelInputs>& grid = SweepGrid();
    std::vector<ShotFigures> figures(grid.size());
    const auto scratch = std::make_unique<SimulationResult>();
    for (auto _ : state) {
        for (size_t i = 0; i < grid.size(); ++i) {
            figures[i] = ComputeShotFiguresOneByOne(grid[i], *scratch);
        }
        benchmark::DoNotOptimize(figures.data());
    }
    ReportShotsPerSecond(state);
}
BENCHMARK(BM_SweepOneByOne)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
