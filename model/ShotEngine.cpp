#include "model/ShotEngine.h"

#include "model/ShotStepper.h"

using namespace ModelConstants;

ShotState InitialShotState(const ModelInputs& inputs) {
    // The port volume is left out here but not in AirVolume, so the first pressure lies a
    // little below ambient.
    return {0, 0, 0, 0, inputs.AmbientPressure * inputs.SweptVolume};
}

double AirVolume(const ShotState& y, const ModelInputs& in) {
    // The cylinder not yet swept by the piston, the port, and the bore behind the bullet.
    return in.SweptVolume - in.PistonArea * y[PistonTravelComponent] +
           in.BoreArea * y[BulletTravelComponent] + in.BoreArea * PortLength;
}

double AirTemperature(const ShotState& y, const ModelInputs& in) {
    return (y[PressureVolumeComponent] / in.AirMass) * (1.0 / GasConstant);
}

ShotState StateDerivatives(const ShotState& y, const ModelInputs& in) {
    return Derivatives<double>(y, CoefficientsOf(in));
}

double StateDerivative(int i, const ShotState& y, const ModelInputs& inputs) {
    if (i < 0 || i > 4) {
        return 0;
    }
    return StateDerivatives(y, inputs)[static_cast<size_t>(i)];
}

ShotOutcome ComputeShot(const ModelInputs& inputs, SimulationResult& result) {
    ClearFloatingPointFaults();
    ShotStepper stepper(inputs);
    for (;;) {
        StepEntry entry;
        stepper.Integrate(entry);
        const FloatingPointFault fault = PendingFloatingPointFault();
        if (fault != FloatingPointFault::None) {
            return {ShotEnd::FloatingPointFault, fault};
        }
        const auto n = static_cast<size_t>(stepper.StepIndex());
        const ShotStepper::Next next = stepper.Settle(entry);

        result.Time[n] = entry.time;
        result.PistonTravel[n] = entry.pistonTravel;
        result.PistonVelocity[n] = entry.pistonVelocity;
        result.BulletTravel[n] = entry.bulletTravel;
        result.BulletVelocity[n] = entry.bulletVelocity;
        result.Pressure[n] = entry.pressure;
        result.Temperature[n] = entry.temperature;

        switch (next) {
            case ShotStepper::Next::Continue:
                break;
            case ShotStepper::Next::StepLimitReached:
                return {ShotEnd::StepLimitReached};
            case ShotStepper::Next::MuzzleReached:
                result.LastIndex = static_cast<int>(n) - 1;
                return {ShotEnd::Completed};
        }
    }
}
