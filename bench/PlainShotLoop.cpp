#include "bench/PlainShotLoop.h"

#include <cmath>

namespace {

struct PlainCoefficients {
    double sweptVolume, pistonArea, boreArea, portVolume, inverseBoreDiameter, airMass, springRate,
        stroke, springMinimumForce, frictionArea, ambientPressure, inverseDrivenPistonMass,
        bulletAccelerationPerPascal, kappaMinusOne;
};

void PlainDerivatives(const double y[5], const PlainCoefficients& c, double f[5]) {
    const double volume = c.sweptVolume - c.pistonArea * y[0] + c.boreArea * y[2] + c.portVolume;
    const double inverseVolume = 1.0 / volume;
    const double pressure = y[4] * inverseVolume;
    const double columnLoss = pressure * 0.01 * (0.022 + y[2]) * y[3] * c.inverseBoreDiameter *
                              (c.airMass * inverseVolume);
    const double basePressure = std::sqrt(pressure * pressure - columnLoss);
    double springShare = 0.9;
    double frictionArea = c.frictionArea;
    if (y[1] < 0) {
        springShare = 1.0;
        frictionArea = -c.frictionArea;
    }
    f[0] = y[1];
    f[1] = (springShare * c.springRate * (c.stroke - y[0]) + springShare * c.springMinimumForce -
            (c.pistonArea + frictionArea) * (pressure - c.ambientPressure)) *
           c.inverseDrivenPistonMass;
    f[2] = y[3];
    f[3] = (basePressure - c.ambientPressure) * c.bulletAccelerationPerPascal;
    f[4] = (c.pistonArea * y[1] * pressure - c.boreArea * y[3] * basePressure) * c.kappaMinusOne;
}

}  // namespace

bool RunPlainShot(const ModelInputs& in, SimulationResult& result) {
    const PlainCoefficients c = {
        in.SweptVolume,
        in.PistonArea,
        in.BoreArea,
        in.BoreArea * 0.022,
        1.0 / in.BoreDiameter,
        in.AirMass,
        in.SpringRate,
        in.Stroke,
        in.SpringMinimumForce,
        in.PackingFrictionFactor * in.PackingArea,
        in.AmbientPressure,
        1.0 / (in.PistonMass + in.SpringMass * (1.0 / 3.0)),
        in.BoreArea / (in.BulletMassFactor * in.BulletMass),
        in.Kappa - 1,
    };
    const double dt = in.TimeStep;
    double y[5] = {0, 0, 0, 0, in.AmbientPressure * in.SweptVolume};
    bool released = false;
    for (int n = 0;; ++n) {
        double f[5];
        double k1[5];
        double k2[5];
        double k3[5];
        double k4[5];
        double stage[5];
        double t = n * dt;
        PlainDerivatives(y, c, f);
        for (int i = 0; i < 5; ++i) {
            k1[i] = dt * f[i];
            stage[i] = y[i] + k1[i] / 2;
        }
        t += dt / 2;
        PlainDerivatives(stage, c, f);
        for (int i = 0; i < 5; ++i) {
            k2[i] = dt * f[i];
            stage[i] = y[i] + k2[i] / 2;
        }
        PlainDerivatives(stage, c, f);
        for (int i = 0; i < 5; ++i) {
            k3[i] = dt * f[i];
            stage[i] = y[i] + k3[i];
        }
        t += dt / 2;
        PlainDerivatives(stage, c, f);
        for (int i = 0; i < 5; ++i) {
            k4[i] = dt * f[i];
            y[i] = y[i] + (k1[i] + 2 * k2[i] + 2 * k3[i] + k4[i]) * (1.0 / 6.0);
        }
        const auto entry = static_cast<size_t>(n);
        result.Time[entry] = t;
        result.PistonTravel[entry] = y[0];
        result.PistonVelocity[entry] = y[1];
        result.BulletTravel[entry] = y[2];
        result.BulletVelocity[entry] = y[3];
        const double volume =
            in.SweptVolume - in.PistonArea * y[0] + in.BoreArea * y[2] + in.BoreArea * 0.022;
        result.Pressure[entry] = y[4] / volume;
        result.Temperature[entry] = (y[4] / in.AirMass) * (1.0 / 287);
        if (y[0] > in.Stroke) {
            y[0] = result.PistonTravel[entry] = in.Stroke;
            y[1] = result.PistonVelocity[entry] = 0;
        }
        if (n >= StepLimit) {
            return false;
        }
        if (!released && in.AmbientPressure + in.StartPressure > result.Pressure[entry]) {
            y[2] = result.BulletTravel[entry] = 0;
            y[3] = result.BulletVelocity[entry] = 0;
        }
        if (result.Pressure[entry] >= in.AmbientPressure + in.StartPressure) {
            released = true;
        }
        if (y[2] >= in.BarrelEnd) {
            result.LastIndex = n - 1;
            return true;
        }
    }
}

ShotFigures PlainShotFigures(const ModelInputs& inputs, SimulationResult& scratch) {
    if (!RunPlainShot(inputs, scratch)) {
        return {"Maximum Number of Steps was reached. Increase Step."};
    }
    ShotFigures figures;
    figures.lastIndex = scratch.LastIndex;
    for (int n = 0; n <= scratch.LastIndex; ++n) {
        const auto i = static_cast<size_t>(n);
        scratch.Time[i] *= 1000;
        scratch.BulletTravel[i] *= 1000;
        scratch.PistonTravel[i] *= 1000;
        scratch.Pressure[i] *= 1e-6;
    }
    for (int n = 0; n < scratch.LastIndex; ++n) {
        const auto i = static_cast<size_t>(n);
        if (scratch.Pressure[i] > figures.maximumPressure) {
            figures.maximumPressure = scratch.Pressure[i];
        }
        if (scratch.PistonVelocity[i] > figures.maximumPistonVelocity) {
            figures.maximumPistonVelocity = scratch.PistonVelocity[i];
        }
        if (scratch.Temperature[i] > figures.maximumTemperature) {
            figures.maximumTemperature = scratch.Temperature[i];
        }
    }
    figures.muzzleVelocity =
        scratch.BulletVelocity[static_cast<size_t>(scratch.LastIndex < 0 ? 0 : scratch.LastIndex)];
    figures.bulletEnergy =
        0.5 * inputs.BulletMass * figures.muzzleVelocity * figures.muzzleVelocity;
    return figures;
}
