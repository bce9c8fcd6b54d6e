// Time of a fit to shots of several or many distinct pellet weights, and of a pellet table,
// against one pass of the yardstick's plain loop over the same weights: the ratio counts the
// cost in plain passes, so fewer computations and faster ones both show.

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <span>
#include <vector>

#include "bench/PlainShotLoop.h"
#include "model/GunBatch.h"
#include "model/GunFit.h"
#include "model/PelletTable.h"
#include "tests/support/ExampleGun.h"

namespace {

constexpr int DistinctWeights = 10000;

// Evenly spread weights from 0.3 to 1.1 g.
std::vector<double> WeightsFrom0_3To1_1(int count) {
    std::vector<double> weights;
    for (int i = 0; i < count; ++i) {
        weights.push_back(0.3 + 0.8 * i / (count - 1));
    }
    return weights;
}

// One shot per weight, as the example gun with a weaker spring gives them.
std::vector<MeasuredShot> ShotsOfWeights(int count) {
    const GunParameterTexts truth = ExampleGunWith({{GunParameter::MaximumForce, "415"}});
    const std::vector<double> weights = WeightsFrom0_3To1_1(count);
    std::vector<GunParameterTexts> guns;
    for (const double weight : weights) {
        guns.push_back(WithBulletWeight(truth, weight));
    }
    const std::vector<ShotFigures> figures = ComputeGunFigures(guns, 0);
    std::vector<MeasuredShot> shots;
    for (size_t i = 0; i < weights.size(); ++i) {
        shots.push_back({weights[i], figures[i].muzzleVelocity});
    }
    return shots;
}

double PlainPassSeconds(const std::vector<MeasuredShot>& shots) {
    const auto result = std::make_unique<SimulationResult>();
    const auto begin = std::chrono::steady_clock::now();
    for (const MeasuredShot& shot : shots) {
        benchmark::DoNotOptimize(PlainShotFigures(
            CompletedInputsOf(WithBulletWeight(ExampleGunTexts(), shot.bulletWeight)), *result));
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
}

// The maximum force (and with 2 free the piston's weight too) fitted to shots of the given
// number of distinct weights.
void FitDistinctWeights(benchmark::State& state, int weights, int freeCount) {
    const std::vector<MeasuredShot> shots = ShotsOfWeights(weights);
    const double plainPass = PlainPassSeconds(shots);
    const GunParameter parameters[] = {GunParameter::MaximumForce, GunParameter::PistonWeight};
    const std::span<const GunParameter> free(parameters, static_cast<size_t>(freeCount));
    int computations = 0;
    double seconds = 0;
    for (auto _ : state) {
        const auto begin = std::chrono::steady_clock::now();
        const GunFit fit = FitGunToShots(ExampleGunTexts(), free, shots);
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        computations = fit.computations;
        benchmark::DoNotOptimize(fit.rmsResidual);
    }
    state.counters["computations"] = computations;
    state.counters["plain_pass_s"] = plainPass;
    state.counters["fit_over_plain_pass"] = seconds / plainPass;
}

// Shots of 10 000 distinct weights; the target is under 10 s for one parameter.
void BM_FitTenThousandDistinctWeights(benchmark::State& state) {
    FitDistinctWeights(state, DistinctWeights, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_FitTenThousandDistinctWeights)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();

// Two parameters fitted to four pellets, as a chronograph session gives them.
void BM_FitTwoParametersFourWeights(benchmark::State& state) {
    FitDistinctWeights(state, 4, 2);
}
BENCHMARK(BM_FitTwoParametersFourWeights)->Unit(benchmark::kMillisecond)->UseRealTime();

// The pellet table of 1 000 weights on the given number of threads (smoothly computed, as the
// command computes it), and its speed over one plain pass of the same weights.
void BM_PelletTableThousandWeights(benchmark::State& state) {
    const std::vector<double> weights = WeightsFrom0_3To1_1(1000);
    std::vector<MeasuredShot> shots;
    for (const double weight : weights) {
        shots.push_back({weight, 0});
    }
    const double plainPass = PlainPassSeconds(shots);
    const auto threads = static_cast<unsigned>(state.range(0));
    double seconds = 0;
    for (auto _ : state) {
        const auto begin = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(ComputePelletTable(ExampleGunTexts(), weights, threads));
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    }
    state.counters["plain_pass_s"] = plainPass;
    state.counters["over_plain_loop"] =
        plainPass * static_cast<double>(state.iterations()) / seconds;
}
BENCHMARK(BM_PelletTableThousandWeights)
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
