// Time of the shot simulation, per run and per integration step.

#include <benchmark/benchmark.h>

#include <memory>

#include "model/ComputeCommand.h"
#include "model/ModelInputs.h"
#include "model/ShotEngine.h"
#include "tests/support/ExampleGun.h"

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

namespace {

// The whole Compute command on the example gun (0.01 ms) without its message boxes or graph:
// reading and checking the sixteen fields, the run, the display units and the summary lines.
void BM_ComputeCommand(benchmark::State& state) {
    const GunParameterTexts gun = ExampleGunTexts();
    ModelInputs inputs;
    const auto result = std::make_unique<SimulationResult>();
    for (auto _ : state) {
        SimulateShotFromFields(gun, '.', inputs, *result);
        SummarizeShot(inputs, *result);
        benchmark::DoNotOptimize(SummaryLines(*result));
    }
}
BENCHMARK(BM_ComputeCommand)->Unit(benchmark::kMicrosecond);

}  // namespace
