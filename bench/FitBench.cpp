// Time of a fit to shots of many distinct pellet weights, against one pass of the yardstick's
// plain loop over the same weights: the ratio counts the fit's cost in plain passes, so fewer
// computations and faster ones both show.

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <span>
#include <vector>

#include "bench/PlainShotLoop.h"
#include "common/FieldNumber.h"
#include "model/GunBatch.h"
#include "model/GunFit.h"
#include "model/PelletTable.h"
#include "tests/support/ExampleGun.h"

namespace {

constexpr int DistinctWeights = 10000;

// One shot per weight, 0.3 to 1.1 g, as the example gun with a weaker spring gives them.
std::vector<MeasuredShot> ShotsOfManyWeights() {
    const GunParameterTexts truth = ExampleGunWith({{GunParameter::MaximumForce, "415"}});
    std::vector<GunParameterTexts> guns;
    std::vector<double> weights;
    for (int i = 0; i < DistinctWeights; ++i) {
        weights.push_back(0.3 + 0.8 * i / (DistinctWeights - 1));
        guns.push_back(WithBulletWeight(truth, weights.back()));
    }
    const std::vector<ShotFigures> figures = ComputeGunFigures(guns, 0);
    std::vector<MeasuredShot> shots;
    for (int i = 0; i < DistinctWeights; ++i) {
        shots.push_back(
            {weights[static_cast<size_t>(i)], figures[static_cast<size_t>(i)].muzzleVelocity});
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

// The maximum force (and with argument 2 the piston's weight too) fitted to shots of 10 000
// distinct weights; the target is under 10 s for one parameter.
void BM_FitTenThousandDistinctWeights(benchmark::State& state) {
    const std::vector<MeasuredShot> shots = ShotsOfManyWeights();
    const double plainPass = PlainPassSeconds(shots);
    const GunParameter parameters[] = {GunParameter::MaximumForce, GunParameter::PistonWeight};
    const std::span<const GunParameter> free(parameters, static_cast<size_t>(state.range(0)));
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
BENCHMARK(BM_FitTenThousandDistinctWeights)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();

}  // namespace
