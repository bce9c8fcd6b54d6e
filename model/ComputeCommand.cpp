#include "model/ComputeCommand.h"

#include <algorithm>

#include "common/CommandErrors.h"
#include "common/FloatingPointFaults.h"
#include "common/ReportFormat.h"
#include "model/ShotEngine.h"

namespace {

void ClearSeries(SimulationResult& result) {
    // The temperature is left as it is: only counted entries are ever read.
    for (Series* series : {&result.Time, &result.BulletTravel, &result.BulletVelocity,
                           &result.PistonTravel, &result.PistonVelocity, &result.Pressure}) {
        series->fill(0);
    }
}

void ConvertToDisplayUnits(SimulationResult& result) {
    ClearFloatingPointFaults();
    for (int n = 0; n <= result.LastIndex; ++n) {
        const auto i = static_cast<size_t>(n);
        result.Time[i] *= 1000;          // s to ms
        result.BulletTravel[i] *= 1000;  // m to mm
        result.PistonTravel[i] *= 1000;  // m to mm
        result.Pressure[i] *= 1e-6;      // Pa to MPa
    }
    ThrowIfFloatingPointFault();
}

// The largest entry before the last counted one, starting from 0.
double MaximumBeforeLast(const Series& series, int lastIndex) {
    double maximum = 0;
    for (int n = 0; n < lastIndex; ++n) {
        maximum = std::max(maximum, series[static_cast<size_t>(n)]);
    }
    return maximum;
}

}  // namespace

void SimulateShotFromFields(const GunParameterTexts& texts, char decimalSeparator,
                            ModelInputs& inputs, SimulationResult& result) {
    ReadModelInputs(texts, decimalSeparator, inputs);
    ValidateModelInputs(inputs);
    ClearSeries(result);
    CompleteModelInputs(inputs);
    RunCompletedShot(inputs, result);
}

void RunCompletedShot(const ModelInputs& inputs, SimulationResult& result) {
    const ShotOutcome outcome = ComputeShot(inputs, result);
    switch (outcome.end) {
        case ShotEnd::StepLimitReached:
            ShowMessageAndAbort(StepLimitMessage);
        case ShotEnd::FloatingPointFault:
            throw CommandError(FloatingPointFaultMessage(outcome.fault));
        case ShotEnd::Completed:
            break;
    }
    ConvertToDisplayUnits(result);
}

void SummarizeShot(const ModelInputs& inputs, SimulationResult& result) {
    ClearFloatingPointFaults();
    result.MaximumPressure = MaximumBeforeLast(result.Pressure, result.LastIndex);
    result.MaximumPistonVelocity = MaximumBeforeLast(result.PistonVelocity, result.LastIndex);
    result.MaximumTemperature = MaximumBeforeLast(result.Temperature, result.LastIndex);
    const double velocity = MuzzleVelocity(result);
    result.BulletEnergy = 0.5 * inputs.BulletMass * velocity * velocity;
    ThrowIfFloatingPointFault();
}

double MuzzleVelocity(const SimulationResult& result) {
    return result.BulletVelocity[static_cast<size_t>(std::max(result.LastIndex, 0))];
}

std::array<std::string, SummaryLineCount> SummaryLines(const SimulationResult& result) {
    return {
        std::string(53, '-'),
        FormatReport(" Computation Steps:   %6.0i ", result.LastIndex),
        FormatReport(" Maximum Pressure: %7.1f  MPa", result.MaximumPressure),
        FormatReport(" Max. Piston Velocity: %5.1f  m/s", result.MaximumPistonVelocity),
        FormatReport(" Max. Temperature:    %7.1f  K", result.MaximumTemperature),
        FormatReport(" Bullet Velocity:        %9.1f  m/s", MuzzleVelocity(result)),
        FormatReport(" Bullet Energy:        %9.1f  J", result.BulletEnergy),
    };
}
