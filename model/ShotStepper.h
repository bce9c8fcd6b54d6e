#pragma once
// One shot advanced a step at a time. The integration is written once for a plain double and
// for a vector of doubles holding several shots side by side; every operation acts on each
// element as it would on a plain double, so a shot's figures are the same to the bit however
// it is run.

#include <array>
#include <cmath>

#include "model/ModelInputs.h"
#include "model/ShotEngine.h"

// What a step records: the state after the step.
template <class T>
struct BasicStepEntry {
    T time;            // s, at the end of the step
    T pistonTravel;    // m
    T pistonVelocity;  // m/s
    T bulletTravel;    // m
    T bulletVelocity;  // m/s
    T pressure;        // Pa
    T temperature;     // K
};
using StepEntry = BasicStepEntry<double>;

template <class T>
using BasicShotState = std::array<T, 5>;

// The inputs as the derivatives use them, worked out once per shot so that each of the four
// evaluations of a step only does what depends on the state. A step is four evaluations in a
// row, each waiting on its divisions and square root, so the divisors that never change are
// kept as reciprocals, and the volume's reciprocal is taken once per evaluation: the results
// differ from plain division by at most an ulp per operation.
template <class T>
struct ShotCoefficients {
    T sweptVolume;                  // m³
    T pistonArea;                   // m²
    T boreArea;                     // m²
    T portVolume;                   // m³
    T inverseBoreDiameter;          // 1/m
    T airMass;                      // kg
    T springRate;                   // N/m
    T stroke;                       // m
    T springMinimumForce;           // N
    T frictionArea;                 // m², packing friction factor times contact area
    T ambientPressure;              // Pa
    T inverseDrivenPistonMass;      // 1/kg
    T bulletAccelerationPerPascal;  // m/s² per Pa of pressure difference
    T kappaMinusOne;
    T timeStep;  // s
};

inline ShotCoefficients<double> CoefficientsOf(const ModelInputs& in) {
    using namespace ModelConstants;
    return {
        .sweptVolume = in.SweptVolume,
        .pistonArea = in.PistonArea,
        .boreArea = in.BoreArea,
        .portVolume = in.BoreArea * PortLength,
        .inverseBoreDiameter = 1.0 / in.BoreDiameter,
        .airMass = in.AirMass,
        .springRate = in.SpringRate,
        .stroke = in.Stroke,
        .springMinimumForce = in.SpringMinimumForce,
        .frictionArea = in.PackingFrictionFactor * in.PackingArea,
        .ambientPressure = in.AmbientPressure,
        // a third of the spring moves along with the piston
        .inverseDrivenPistonMass = 1.0 / (in.PistonMass + in.SpringMass * (1.0 / 3.0)),
        // the bullet's mass factor carries the barrel friction and a third of the air
        .bulletAccelerationPerPascal = in.BoreArea / (in.BulletMassFactor * in.BulletMass),
        .kappaMinusOne = in.Kappa - 1,
        .timeStep = in.TimeStep,
    };
}

// Element by element square root and choice, for plain doubles and for vectors of them.
inline double SquareRoot(double x) {
    return std::sqrt(x);
}
inline double Choose(bool condition, double a, double b) {
    return condition ? a : b;
}

template <class V>
[[gnu::always_inline]] inline V SquareRoot(V x) {
    for (int i = 0; i < static_cast<int>(sizeof(V) / sizeof(double)); ++i) {
        x[i] = __builtin_sqrt(x[i]);
    }
    return x;
}

template <class Mask, class V>
[[gnu::always_inline]] inline V Choose(Mask condition, V a, V b) {
    return condition ? a : b;
}

template <class T>
[[gnu::always_inline]] inline BasicShotState<T> Derivatives(const BasicShotState<T>& y,
                                                            const ShotCoefficients<T>& c) {
    using namespace ModelConstants;
    const T pistonTravel = y[PistonTravelComponent];
    const T pistonVelocity = y[PistonVelocityComponent];
    const T bulletTravel = y[BulletTravelComponent];
    const T bulletVelocity = y[BulletVelocityComponent];

    // The cylinder not yet swept by the piston, the port, and the bore behind the bullet.
    const T volume =
        c.sweptVolume - c.pistonArea * pistonTravel + c.boreArea * bulletTravel + c.portVolume;
    const T inverseVolume = 1.0 / volume;
    const T pressure = y[PressureVolumeComponent] * inverseVolume;
    // The moving air column loses pressure with its length and the bullet's speed, divided by
    // the air's specific volume V / m_air. With the bullet at rest the base sees the full
    // pressure.
    const T columnLoss = pressure * ColumnFriction * (PortLength + bulletTravel) * bulletVelocity *
                         c.inverseBoreDiameter * (c.airMass * inverseVolume);
    const T basePressure = SquareRoot(pressure * pressure - columnLoss);

    // Moving forward (or at rest) the spring drives at 90 %; moving back it pushes fully and
    // the packing friction changes sign so that it always opposes the motion.
    const auto forward = pistonVelocity >= 0;
    const T springShare = Choose(forward, T{} + SpringEfficiency, T{} + 1.0);
    const T frictionArea = Choose(forward, c.frictionArea, -c.frictionArea);

    BasicShotState<T> derivative;
    derivative[PistonTravelComponent] = pistonVelocity;
    derivative[PistonVelocityComponent] =
        (springShare * c.springRate * (c.stroke - pistonTravel) +
         springShare * c.springMinimumForce -
         (c.pistonArea + frictionArea) * (pressure - c.ambientPressure)) *
        c.inverseDrivenPistonMass;
    derivative[BulletTravelComponent] = bulletVelocity;
    derivative[BulletVelocityComponent] =
        (basePressure - c.ambientPressure) * c.bulletAccelerationPerPascal;
    // Work done on the air by the piston less the work the air does on the bullet.
    derivative[PressureVolumeComponent] =
        (c.pistonArea * pistonVelocity * pressure - c.boreArea * bulletVelocity * basePressure) *
        c.kappaMinusOne;
    return derivative;
}

// Advances the state by one classical fourth-order Runge–Kutta step (step index n) and
// records it.
template <class T>
[[gnu::always_inline]] inline void IntegrateStep(BasicShotState<T>& y, T n,
                                                 const ShotCoefficients<T>& c,
                                                 BasicStepEntry<T>& entry) {
    // The stage state y + k / divisor (k / 1 is exactly k).
    const auto stageFrom = [&y](const BasicShotState<T>& k, double divisor) {
        BasicShotState<T> stage;
        for (size_t i = 0; i < stage.size(); ++i) {
            stage[i] = y[i] + k[i] / divisor;
        }
        return stage;
    };
    const auto scaled = [&c](const BasicShotState<T>& derivative) {
        BasicShotState<T> k;
        for (size_t i = 0; i < k.size(); ++i) {
            k[i] = c.timeStep * derivative[i];
        }
        return k;
    };
    const T dt = c.timeStep;
    T t = n * dt;
    const BasicShotState<T> k1 = scaled(Derivatives(y, c));
    t += dt / 2;
    const BasicShotState<T> k2 = scaled(Derivatives(stageFrom(k1, 2), c));
    const BasicShotState<T> k3 = scaled(Derivatives(stageFrom(k2, 2), c));
    t += dt / 2;
    const BasicShotState<T> k4 = scaled(Derivatives(stageFrom(k3, 1), c));
    for (size_t i = 0; i < y.size(); ++i) {
        y[i] = y[i] + (k1[i] + 2 * k2[i] + 2 * k3[i] + k4[i]) * (1.0 / 6.0);
    }
    entry.time = t;
    entry.pistonTravel = y[PistonTravelComponent];
    entry.pistonVelocity = y[PistonVelocityComponent];
    entry.bulletTravel = y[BulletTravelComponent];
    entry.bulletVelocity = y[BulletVelocityComponent];
    const T volume = c.sweptVolume - c.pistonArea * y[PistonTravelComponent] +
                     c.boreArea * y[BulletTravelComponent] + c.portVolume;
    entry.pressure = y[PressureVolumeComponent] / volume;
    entry.temperature =
        (y[PressureVolumeComponent] / c.airMass) * (1.0 / ModelConstants::GasConstant);
}

class ShotStepper {
public:
    enum class Next { Continue, StepLimitReached, MuzzleReached };

    explicit ShotStepper(const ModelInputs& inputs)
        : coefficients_(CoefficientsOf(inputs)),
          releasePressure_(inputs.AmbientPressure + inputs.StartPressure),
          barrelEnd_(inputs.BarrelEnd),
          y_(InitialShotState(inputs)) {}

    // The index of the step being run: Settle moves on to the next one when the shot goes on.
    int StepIndex() const { return n_; }
    const ShotCoefficients<double>& Coefficients() const { return coefficients_; }
    ShotState& State() { return y_; }

    [[gnu::always_inline]] void Integrate(StepEntry& entry) {
        IntegrateStep<double>(y_, n_, coefficients_, entry);
    }

    // The piston's end stop, the step limit, the bullet's hold and release and the muzzle,
    // in that order, for the step just integrated; the entry follows the state.
    [[gnu::always_inline]] Next Settle(StepEntry& entry) {
        // The piston stops dead at the end of the cylinder; it may rebound later.
        if (entry.pistonTravel > coefficients_.stroke) {
            y_[PistonTravelComponent] = entry.pistonTravel = coefficients_.stroke;
            y_[PistonVelocityComponent] = entry.pistonVelocity = 0;
        }
        if (n_ >= StepLimit) {
            return Next::StepLimitReached;
        }
        // Until the air reaches the start pressure the bullet is put back at the end of every
        // step; once released it is never held again.
        if (!bulletReleased_ && releasePressure_ > entry.pressure) {
            y_[BulletTravelComponent] = entry.bulletTravel = 0;
            y_[BulletVelocityComponent] = entry.bulletVelocity = 0;
        }
        if (entry.pressure >= releasePressure_) {
            bulletReleased_ = true;
        }
        if (y_[BulletTravelComponent] >= barrelEnd_) {
            return Next::MuzzleReached;
        }
        ++n_;
        return Next::Continue;
    }

private:
    ShotCoefficients<double> coefficients_;
    double releasePressure_;  // Pa, ambient plus start pressure
    double barrelEnd_;        // m
    ShotState y_;
    bool bulletReleased_ = false;
    int n_ = 0;
};
