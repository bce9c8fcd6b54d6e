#include "model/ShotEngine.h"

#include <optional>

#include "model/ExtendedShot.h"
#include "model/ShotStepper.h"

namespace {

// A run reads the floating-point flags once per stretch of this many steps, which costs nothing
// measurable; the entries of a stretch reach the result only once its flags are clean.
constexpr int StretchSteps = 128;

// Where a run writes its entries: the record, and for an extended shot the port's series.
struct RunRecord {
    SimulationResult& result;
    PortSeries* port = nullptr;
};

void Record(const StepEntry& entry, int n, RunRecord& record) {
    SimulationResult& result = record.result;
    const auto i = static_cast<size_t>(n);
    result.Time[i] = entry.time;
    result.PistonTravel[i] = entry.pistonTravel;
    result.PistonVelocity[i] = entry.pistonVelocity;
    result.BulletTravel[i] = entry.bulletTravel;
    result.BulletVelocity[i] = entry.bulletVelocity;
    result.Pressure[i] = entry.pressure;
    result.Temperature[i] = entry.temperature;
}

void Record(const ExtendedEntry& entry, int n, RunRecord& record) {
    Record(entry.basic, n, record);
    if (record.port != nullptr) {
        const auto i = static_cast<size_t>(n);
        record.port->BreechPressure[i] = entry.breechPressure;
        record.port->BreechTemperature[i] = entry.breechTemperature;
        record.port->PortMassFlow[i] = entry.portMassFlow;
    }
}

// The run's end after step n, which ended as next says.
template <class Next>
std::optional<ShotOutcome> EndAfter(Next next, int n, RunRecord& record) {
    switch (next) {
        case Next::Continue:
            break;
        case Next::StepLimitReached:
            return ShotOutcome{ShotEnd::StepLimitReached};
        case Next::MuzzleReached:
            record.result.LastIndex = n - 1;
            return ShotOutcome{ShotEnd::Completed};
    }
    return std::nullopt;
}

// The run from the stepper's state on, reading the flags after every step: it stops at the
// step whose arithmetic failed, before that step's entry is written.
template <class Stepper, class Entry>
ShotOutcome RunCheckingEveryStep(Stepper stepper, RunRecord& result) {
    ClearFloatingPointFaults();
    for (;;) {
        const int n = stepper.StepIndex();
        Entry entry;
        const typename Stepper::Next next = stepper.Step(entry);
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

namespace {

// The run of a stepper whose steps give entries of type Entry.
template <class Stepper, class Entry>
ShotOutcome RunShot(const ModelInputs& inputs, RunRecord& result) {
    ClearFloatingPointFaults();
    Stepper stepper(inputs);
    // Working out the coefficients may fail before any step.
    CompleteBeforeReadingFlags(stepper);
    if (const FloatingPointFault fault = PendingFloatingPointFault();
        fault != FloatingPointFault::None) {
        return {ShotEnd::FloatingPointFault, fault};
    }
    std::array<Entry, StretchSteps> stretch;
    for (;;) {
        const Stepper stretchStart = stepper;
        const int first = stepper.StepIndex();
        int count = 0;
        typename Stepper::Next next = Stepper::Next::Continue;
        while (next == Stepper::Next::Continue && count < StretchSteps) {
            next = stepper.Step(stretch[static_cast<size_t>(count)]);
            ++count;
        }
        // The flags are sticky and were clean after the previous stretch.
        CompleteBeforeReadingFlags(stretch);
        CompleteBeforeReadingFlags(stepper);
        if (PendingFloatingPointFault() != FloatingPointFault::None) {
            return RunCheckingEveryStep<Stepper, Entry>(stretchStart, result);
        }
        for (int i = 0; i < count; ++i) {
            Record(stretch[static_cast<size_t>(i)], first + i, result);
        }
        if (const std::optional<ShotOutcome> end = EndAfter(next, first + count - 1, result)) {
            return *end;
        }
    }
}

}  // namespace

ShotOutcome ComputeShot(const ModelInputs& inputs, SimulationResult& result, PortSeries* port) {
    RunRecord record{result, port};
    if (!UsesExtendedModel(inputs)) {
        return RunShot<ShotStepper, StepEntry>(inputs, record);
    }
    if (!StepResolvesPort(inputs)) {
        return {ShotEnd::StepTooCoarse};
    }
    if (port != nullptr) {
        return RunShot<ExtendedShotStepperOf<true>, ExtendedEntry>(inputs, record);
    }
    return RunShot<ExtendedShotStepperOf<false>, ExtendedEntry>(inputs, record);
}
