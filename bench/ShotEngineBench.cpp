// Time of the shot simulation, per run and per integration step, and of the yardstick's plain
// loop on the same shot.

#include <benchmark/benchmark.h>

#include <time.h>

#include <memory>
#include <vector>

#include "bench/PlainShotLoop.h"
#include "model/ComputeCommand.h"
#include "model/ModelInputs.h"
#include "model/ShotBatch.h"
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

void ReportSteps(benchmark::State& state, int stepsPerRun) {
    state.counters["steps"] = stepsPerRun;
    state.counters["ns_per_step"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * stepsPerRun,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
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
    ReportSteps(state, stepsPerRun);
}

// The example gun at 0.01 ms: about 1 170 steps to the muzzle.
void BM_ExampleShot(benchmark::State& state) {
    RunShot(state, "0.01");
}
BENCHMARK(BM_ExampleShot)->Unit(benchmark::kMicrosecond);

// The same shot through the yardstick, the plain loop.
void BM_PlainLoopShot(benchmark::State& state) {
    const ModelInputs inputs = ExampleInputs("0.01");
    const auto result = std::make_unique<SimulationResult>();
    if (PlainShotFigures(inputs, *result) != ComputeShotFiguresOneByOne(inputs, *result)) {
        state.SkipWithError("the plain loop no longer gives the engine's figures");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(RunPlainShot(inputs, *result));
        benchmark::DoNotOptimize(result->BulletVelocity.data());
    }
    ReportSteps(state, result->LastIndex + 2);
}
BENCHMARK(BM_PlainLoopShot)->Unit(benchmark::kMicrosecond);

// The thread's CPU time (s), so that a shared machine's other work does not count.
double ThreadSeconds() {
    timespec time{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
    return static_cast<double>(time.tv_sec) + 1e-9 * static_cast<double>(time.tv_nsec);
}

// The example gun with a 2 mm transfer port (the extended model, two air volumes) against the
// same gun without one, in the same run: port_over_basic is the ratio of their times one shot
// at a time, port_over_basic_in_lanes the same for blocks of shots of a little differing
// spring force in the best lanes, as a sweep computes them.
void BM_PortShotOverBasicShot(benchmark::State& state) {
    const ModelInputs basic = ExampleInputs("0.01");
    ModelInputs port = basic;
    port.PortDiameter = 0.002;
    const auto result = std::make_unique<SimulationResult>();
    if (ComputeShot(port, *result).end != ShotEnd::Completed) {
        state.SkipWithError("the shot with a port did not complete");
        return;
    }
    constexpr size_t Block = 256;
    std::vector<ModelInputs> basicBlock(Block, basic);
    std::vector<ModelInputs> portBlock(Block, port);
    for (size_t i = 0; i < Block; ++i) {
        const double stronger = 1 + 0.2 * static_cast<double>(i) / Block;
        basicBlock[i].SpringRate *= stronger;
        portBlock[i].SpringRate *= stronger;
    }
    std::vector<ShotFigures> figures(Block);
    double basicTime = 0;
    double portTime = 0;
    double basicLanesTime = 0;
    double portLanesTime = 0;
    for (auto _ : state) {
        const double start = ThreadSeconds();
        benchmark::DoNotOptimize(ComputeShot(basic, *result));
        benchmark::DoNotOptimize(result->BulletVelocity.data());
        const double middle = ThreadSeconds();
        benchmark::DoNotOptimize(ComputeShot(port, *result));
        benchmark::DoNotOptimize(result->BulletVelocity.data());
        const double lanesStart = ThreadSeconds();
        ComputeShotFigures(basicBlock, figures, *result);
        benchmark::DoNotOptimize(figures.data());
        const double lanesMiddle = ThreadSeconds();
        ComputeShotFigures(portBlock, figures, *result);
        benchmark::DoNotOptimize(figures.data());
        const double end = ThreadSeconds();
        basicTime += middle - start;
        portTime += lanesStart - middle;
        basicLanesTime += (lanesMiddle - lanesStart) / Block;
        portLanesTime += (end - lanesMiddle) / Block;
    }
    if (figures.back().failure != "") {
        state.SkipWithError("a shot with a port failed in the lanes");
    }
    state.counters["port_over_basic"] = portTime / basicTime;
    state.counters["port_over_basic_in_lanes"] = portLanesTime / basicLanesTime;
    // The lanes' own times per shot, which the ratio hides.
    const double iterations = static_cast<double>(state.iterations());
    state.counters["basic_in_lanes_us"] = basicLanesTime / iterations * 1e6;
    state.counters["port_in_lanes_us"] = portLanesTime / iterations * 1e6;
    state.SetLabel(BestShotLaneKernel().instructionSet);
}
BENCHMARK(BM_PortShotOverBasicShot)->Unit(benchmark::kMicrosecond);

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
