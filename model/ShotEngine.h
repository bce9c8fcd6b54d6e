#pragma once
// The simulation of one shot: piston, air and bullet integrated with the classical
// fourth-order Runge–Kutta method at a fixed step, from the release of the cocked piston
// until the bullet reaches the muzzle.

#include <array>

#include "common/FloatingPointFaults.h"
#include "model/ModelInputs.h"
#include "model/SimulationResult.h"

// The integrated state, in this order.
enum ShotComponent {
    PistonTravelComponent,    // x_p, m, 0 with the piston cocked
    PistonVelocityComponent,  // v_p, m/s
    BulletTravelComponent,    // x_b, m, 0 at the bullet's start position
    BulletVelocityComponent,  // v_b, m/s
    PressureVolumeComponent,  // E = p × V, J; the pressure is always derived from it
    ShotComponentCount
};
using ShotState = std::array<double, ShotComponentCount>;

// The state before the first step: everything at rest, the air at ambient pressure in the
// swept volume alone.
ShotState InitialShotState(const ModelInputs& inputs);

// Air volume (m³) and temperature (K) of a state, as the steps work them out.
double AirVolume(const ShotState& y, const ModelInputs& inputs);
double AirTemperature(const ShotState& y, const ModelInputs& inputs);

// The time derivatives of all five components of a state.
ShotState StateDerivatives(const ShotState& y, const ModelInputs& inputs);

// The time derivative of component i (0 … 4) of the state; any other index gives 0.
double StateDerivative(int i, const ShotState& y, const ModelInputs& inputs);

enum class ShotEnd {
    Completed,           // the bullet reached the muzzle; LastIndex is written
    StepLimitReached,    // still in the barrel after step StepLimit - 1
    StepTooCoarse,       // the step cannot resolve the port's filling (PortStepRefusal)
    FloatingPointFault,  // the arithmetic failed (see fault); the run stopped at that step
};

struct ShotOutcome {
    ShotEnd end = ShotEnd::Completed;
    FloatingPointFault fault = FloatingPointFault::None;
};

// Runs the shot for inputs that passed the checks and were completed, writing the series of
// the result from entry 0 (and, when given, the port's series). Only a completed run writes
// LastIndex; the summary is untouched. A run whose arithmetic fails stops at that step: the
// entries before it are written, none from it on. Inputs at the extended model's neutral values
// run the basic model's steps; any other the extended model's (docs/extended-model.md).
// Allocates nothing.
ShotOutcome ComputeShot(const ModelInputs& inputs, SimulationResult& result,
                        PortSeries* port = nullptr);

inline constexpr const char* StepLimitMessage =
    "Maximum Number of Steps was reached. Increase Step.";
