// Time of the shot simulation, per run and per integration step.

#include <benchmark/benchmark.h>

#include <memory>

#include "model/ModelInputs.h"
#include "model/ShotEngine.h"
#include "tests/model/ExampleGun.h"

namespace {

ModelInputs ExampleInputs(const char* computationStep) {
    GunParameterTexts texts = ExampleGunTexts();
    texts[static_cast<size_t>(Index(GunParameter::ComputationStep))] = computationStep;
    ModelInputs inputs;
    ReadModelInputs(texts, '.', inputs);
    ValidateModelInputs(inputs);
    CompleteModelInputs(inputs);
    return inputs;
}

void RunShot(benchmark::State& state, const char* computationStep) {
    const ModelInputs inputs = ExampleInputs(computationStep);
    const auto result = std::make_unique<SimulationResult>();
    int stepsPerRun = 0;
    for (auto _ : state) {
        const ShotOutcome outcome = ComputeShot(inputs, *result);
        benchmark::DoNotOptimize(outcome);
        benchmark::DoNotOptimize(result->BulletVelocity.data());
        stepsPerRun = outcome.end == ShotEnd::Completed ? result->LastIndex + 2 : StepLimit + 1;
    }
    state.counters["steps"] = stepsPerRun;
    state.counters["ns_per_step"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * stepsPerRun,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The example gun at 0.01 ms: about 1 170 steps to the muzzle.
void BM_ExampleShot(benchmark::State& state) {
    RunShot(state, "0.01");
}
BENCHMARK(BM_ExampleShot)->Unit(benchmark::kMicrosecond);

// The same gun at 0.001 ms runs the full 10 001 steps into the step limit.
void BM_FullStepLimitRun(benchmark::State& state) {
    RunShot(state, "0.001");
}
BENCHMARK(BM_FullStepLimitRun)->Unit(benchmark::kMicrosecond);

}  // namespace
