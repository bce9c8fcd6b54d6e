#pragma once
// Many independent shots at once, for sweeps over a gun's parameters: stepped side by side in
// the lanes of vector registers (model/ShotLanes.h). Every shot's figures are those the
// compute command would give for it, to the bit.

#include <span>

#include "model/ModelInputs.h"
#include "model/ShotFigures.h"
#include "model/ShotLanes.h"
#include "model/SimulationResult.h"
#include "model/SmoothShot.h"

// One shot through the compute command's own steps (the engine, the display units, the
// summary), for inputs that passed the checks and were completed. The scratch result is
// overwritten.
ShotFigures ComputeShotFiguresOneByOne(const ModelInputs& completedInputs,
                                       SimulationResult& scratch);

// The figures of every shot of a block, computed in the kernel's lanes; the same as
// ComputeShotFiguresOneByOne gives for each. The floating-point flags are read once each time
// the lanes stop for a shot that ended: when they were raised, the shots stepped since then
// run again alone, which reports each fault as the compute command would. The scratch result
// serves the shots run alone (those too whose values come near the limits of a double).
// The smooth computation (model/SmoothShot.h) runs in the lanes as long as no event falls
// within a step, and the steps with events alone; its figures are those of
// ComputeSmoothShotFigures, to the bit.
void ComputeShotFigures(std::span<const ModelInputs> completedInputs,
                        std::span<ShotFigures> figures, SimulationResult& scratch,
                        const ShotLaneKernel& kernel = BestShotLaneKernel(),
                        ShotComputation computation = ShotComputation::Designed);
