#pragma once
// The yardstick of the benchmarks: the step arithmetic of a shot written plainly, one shot at a
// time, the components in arrays and loops, as a first straightforward implementation would
// have it, with no regard for speed. It is compiled as the project is and gives the engine's
// figures to the bit, so a ratio against it measures how the engine is built and nothing else.
// The engine may change; this stays.

#include "model/ModelInputs.h"
#include "model/ShotFigures.h"
#include "model/SimulationResult.h"

// Runs the shot into the result's series (engine units) and writes LastIndex when it
// completes; false at the step limit. Floating-point faults are not looked for.
bool RunPlainShot(const ModelInputs& inputs, SimulationResult& result);

// The shot's figures as the compute command's summary shows them: the run, the display units,
// the maxima over the counted entries but the last, the muzzle velocity and the energy.
ShotFigures PlainShotFigures(const ModelInputs& inputs, SimulationResult& scratch);
