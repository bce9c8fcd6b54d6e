#include "model/ShotEngine.h"

#include <cmath>

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

namespace {

// The parts of the derivatives that stay the same for the whole shot, worked out once so that
// each of the four evaluations of a step only does what depends on the state. A step is four
// evaluations in a row, each waiting on its divisions and square root, so the divisors that
// never change are kept as reciprocals and the volume's reciprocal is taken once per
// evaluation: the results differ from plain division by at most an ulp per operation.
struct ShotConstants {
    explicit ShotConstants(const ModelInputs& in)
        : portVolume(in.BoreArea * PortLength),
          inverseBoreDiameter(1.0 / in.BoreDiameter),
          // a third of the spring moves along with the piston
          inverseDrivenPistonMass(1.0 / (in.PistonMass + in.SpringMass * (1.0 / 3.0))),
          // the bullet's mass factor carries the barrel friction and a third of the air
          bulletAccelerationPerPascal(in.BoreArea / (in.BulletMassFactor * in.BulletMass)),
          frictionArea(in.PackingFrictionFactor * in.PackingArea) {}

    double portVolume;                   // m³
    double inverseBoreDiameter;          // 1/m
    double inverseDrivenPistonMass;      // 1/kg
    double bulletAccelerationPerPascal;  // m/s² per Pa of pressure difference
    double frictionArea;                 // m², packing friction factor times contact area
};

[[gnu::always_inline]] inline ShotState Derivatives(const ShotState& y, const ModelInputs& in,
                                                    const ShotConstants& c) {
    const double pistonTravel = y[PistonTravelComponent];
    const double pistonVelocity = y[PistonVelocityComponent];
    const double bulletTravel = y[BulletTravelComponent];
    const double bulletVelocity = y[BulletVelocityComponent];

    // The cylinder not yet swept by the piston, the port, and the bore behind the bullet.
    const double volume =
        in.SweptVolume - in.PistonArea * pistonTravel + in.BoreArea * bulletTravel + c.portVolume;
    const double inverseVolume = 1.0 / volume;
    const double pressure = y[PressureVolumeComponent] * inverseVolume;
    // The moving air column loses pressure with its length and the bullet's speed, divided by
    // the air's specific volume V / m_air. With the bullet at rest the base sees the full
    // pressure.
    const double columnLoss = pressure * ColumnFriction * (PortLength + bulletTravel) *
                              bulletVelocity * c.inverseBoreDiameter * (in.AirMass * inverseVolume);
    const double basePressure = std::sqrt(pressure * pressure - columnLoss);

    // Moving forward (or at rest) the spring drives at 90 %; moving back it pushes fully and
    // the packing friction changes sign so that it always opposes the motion.
    const bool forward = pistonVelocity >= 0;
    const double springShare = forward ? SpringEfficiency : 1.0;
    const double frictionArea = forward ? c.frictionArea : -c.frictionArea;

    ShotState derivative;
    derivative[PistonTravelComponent] = pistonVelocity;
    derivative[PistonVelocityComponent] =
        (springShare * in.SpringRate * (in.Stroke - pistonTravel) +
         springShare * in.SpringMinimumForce -
         (in.PistonArea + frictionArea) * (pressure - in.AmbientPressure)) *
        c.inverseDrivenPistonMass;
    derivative[BulletTravelComponent] = bulletVelocity;
    derivative[BulletVelocityComponent] =
        (basePressure - in.AmbientPressure) * c.bulletAccelerationPerPascal;
    // Work done on the air by the piston less the work the air does on the bullet.
    derivative[PressureVolumeComponent] =
        (in.PistonArea * pistonVelocity * pressure - in.BoreArea * bulletVelocity * basePressure) *
        (in.Kappa - 1);
    return derivative;
}

}  // namespace

ShotState StateDerivatives(const ShotState& y, const ModelInputs& in) {
    return Derivatives(y, in, ShotConstants(in));
}

double StateDerivative(int i, const ShotState& y, const ModelInputs& inputs) {
    if (i < 0 || i > 4) {
        return 0;
    }
    return StateDerivatives(y, inputs)[static_cast<size_t>(i)];
}

namespace {

// The stage state y + k / divisor (k / 1 is exactly k).
ShotState StageFrom(const ShotState& y, const ShotState& k, double divisor) {
    ShotState stage;
    for (size_t i = 0; i < stage.size(); ++i) {
        stage[i] = y[i] + k[i] / divisor;
    }
    return stage;
}

ShotState Scaled(const ShotState& derivative, double timeStep) {
    ShotState k;
    for (size_t i = 0; i < k.size(); ++i) {
        k[i] = timeStep * derivative[i];
    }
    return k;
}

}  // namespace

ShotOutcome ComputeShot(const ModelInputs& in, SimulationResult& result) {
    ClearFloatingPointFaults();
    const double dt = in.TimeStep;
    const double releasePressure = in.AmbientPressure + in.StartPressure;
    const ShotConstants constants(in);
    ShotState y = InitialShotState(in);
    bool bulletReleased = false;

    for (int n = 0;; ++n) {
        double t = n * dt;
        const ShotState k1 = Scaled(Derivatives(y, in, constants), dt);
        t += dt / 2;
        const ShotState k2 = Scaled(Derivatives(StageFrom(y, k1, 2), in, constants), dt);
        const ShotState k3 = Scaled(Derivatives(StageFrom(y, k2, 2), in, constants), dt);
        t += dt / 2;
        const ShotState k4 = Scaled(Derivatives(StageFrom(y, k3, 1), in, constants), dt);
        for (size_t i = 0; i < y.size(); ++i) {
            y[i] = y[i] + (k1[i] + 2 * k2[i] + 2 * k3[i] + k4[i]) * (1.0 / 6.0);
        }

        const size_t entry = static_cast<size_t>(n);
        result.Time[entry] = t;
        result.PistonTravel[entry] = y[PistonTravelComponent];
        result.PistonVelocity[entry] = y[PistonVelocityComponent];
        result.BulletTravel[entry] = y[BulletTravelComponent];
        result.BulletVelocity[entry] = y[BulletVelocityComponent];
        result.Pressure[entry] = y[PressureVolumeComponent] / AirVolume(y, in);
        result.Temperature[entry] = AirTemperature(y, in);

        const FloatingPointFault fault = PendingFloatingPointFault();
        if (fault != FloatingPointFault::None) {
            return {ShotEnd::FloatingPointFault, fault};
        }

        // The piston stops dead at the end of the cylinder; it may rebound later.
        if (result.PistonTravel[entry] > in.Stroke) {
            y[PistonTravelComponent] = result.PistonTravel[entry] = in.Stroke;
            y[PistonVelocityComponent] = result.PistonVelocity[entry] = 0;
        }
        if (n >= StepLimit) {
            return {ShotEnd::StepLimitReached};
        }
        // Until the air reaches the start pressure the bullet is put back at the end of every
        // step; once released it is never held again.
        if (!bulletReleased && releasePressure > result.Pressure[entry]) {
            y[BulletTravelComponent] = result.BulletTravel[entry] = 0;
            y[BulletVelocityComponent] = result.BulletVelocity[entry] = 0;
        }
        if (result.Pressure[entry] >= releasePressure) {
            bulletReleased = true;
        }
        if (y[BulletTravelComponent] >= in.BarrelEnd) {
            result.LastIndex = n - 1;
            return {ShotEnd::Completed};
        }
    }
}
