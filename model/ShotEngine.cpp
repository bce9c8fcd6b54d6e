#include "model/ShotEngine.h"

#include <optional>

#include "model/ShotStepper.h"

namespace {

// A run reads the floating-point flags once per stretch of this many steps, which costs nothing
// measurable; the entries of a stretch reach the result only once its flags are clean.
constexpr int StretchSteps = 128;

void Record(const StepEntry& entry, int n, SimulationResult& result) {
    const auto i = static_cast<size_t>(n);
    result.Time[i] = entry.time;
    result.PistonTravel[i] = entry.pistonTravel;
    result.PistonVelocity[i] = entry.pistonVelocity;
    result.BulletTravel[i] = entry.bulletTravel;
    result.BulletVelocity[i] = entry.bulletVelocity;
    result.Pressure[i] = entry.pressure;
    result.Temperature[i] = entry.temperature;
}

// The run's end after step n, which ended as next says.
std::optional<ShotOutcome> EndAfter(ShotStepper::Next next, int n, SimulationResult& result) {
    switch (next) {
        case ShotStepper::Next::Continue:
            break;
        case ShotStepper::Next::StepLimitReached:
            return ShotOutcome{ShotEnd::StepLimitReached};
        case ShotStepper::Next::MuzzleReached:
            result.LastIndex = n - 1;
            return ShotOutcome{ShotEnd::Completed};
    }
    return std::nullopt;
}

// The run from the stepper's state on, reading the flags after every step: it stops at the
// step whose arithmetic failed, before that step's entry is written.
ShotOutcome RunCheckingEveryStep(ShotStepper stepper, SimulationResult& result) {
    ClearFloatingPointFaults();
    for (;;) {
        const int n = stepper.StepIndex();
        StepEntry entry;
        const ShotStepper::Next next = stepper.Step(entry);
        CompleteBeforeReadingFlags(entry);
        CompleteBeforeReadingFlags(stepper);
        const FloatingPointFault fault = PendingFloatingPointFault();
        if (fault != FloatingPointFault::None) {
            return {ShotEnd::FloatingPointFault, fault};
        }
        Record(entry, n, result);
        if (const std::optional<ShotOutcome> end = EndAfter(next, n, result)) {
            return *end;
        }
    }
}

}  // namespace

ShotState InitialShotState(const ModelInputs& inputs) {
    // The port volume is left out here but not in AirVolume, so the first pressure lies a
    // little below ambient.
    return {0, 0, 0, 0, inputs.AmbientPressure * inputs.SweptVolume};
}

double AirVolume(const ShotState& y, const ModelInputs& inputs) {
    return AirVolumeOf(y, CoefficientsOf(inputs));
}

double AirTemperature(const ShotState& y, const ModelInputs& inputs) {
    return AirTemperatureOf(y[PressureVolumeComponent], CoefficientsOf(inputs));
}

ShotState StateDerivatives(const ShotState& y, const ModelInputs& inputs) {
    return Derivatives(y, CoefficientsOf(inputs));
}

double StateDerivative(int i, const ShotState& y, const ModelInputs& inputs) {
    if (i < 0 || i >= ShotComponentCount) {
        return 0;
    }
    return StateDerivatives(y, inputs)[static_cast<size_t>(i)];
}

ShotOutcome ComputeShot(const ModelInputs& inputs, SimulationResult& result) {
    ClearFloatingPointFaults();
    ShotStepper stepper(inputs);
    // Working out the coefficients may fail before any step.
    CompleteBeforeReadingFlags(stepper);
    if (const FloatingPointFault fault = PendingFloatingPointFault();
        fault != FloatingPointFault::None) {
        return {ShotEnd::FloatingPointFault, fault};
    }
    std::array<StepEntry, StretchSteps> stretch;
    for (;;) {
        const ShotStepper stretchStart = stepper;
        const int first = stepper.StepIndex();
        int count = 0;
        ShotStepper::Next next = ShotStepper::Next::Continue;
        while (next == ShotStepper::Next::Continue && count < StretchSteps) {
            next = stepper.Step(stretch[static_cast<size_t>(count)]);
            ++count;
        }
        // The flags are sticky and were clean after the previous stretch.
        CompleteBeforeReadingFlags(stretch);
        CompleteBeforeReadingFlags(stepper);
        if (PendingFloatingPointFault() != FloatingPointFault::None) {
            return RunCheckingEveryStep(stretchStart, result);
        }
        for (int i = 0; i < count; ++i) {
            Record(stretch[static_cast<size_t>(i)], first + i, result);
        }
        if (const std::optional<ShotOutcome> end = EndAfter(next, first + count - 1, result)) {
            return *end;
        }
    }
}
