#pragma once
// A shot computed smoothly: the same equations and the same fixed step, but the bullet's
// release, the piston's arrival at the end of the cylinder, the piston coming to rest or
// turning back, and the bullet's arrival at the muzzle are each located within the step in
// which they happen, and the figures are those at the muzzle itself. Between real changes of
// regime the figures are then smooth functions of the inputs, where the compute command's
// figures, decided at whole steps, move in a sawtooth. The method and what was checked:
// docs/smooth-shot.md.

#include "model/ModelInputs.h"
#include "model/ShotFigures.h"
#include "model/ShotStepper.h"

// Which computation a batch of shots runs.
enum class ShotComputation {
    Designed,  // the compute command's own steps: the window's figures to the bit
    Smooth,    // events located within their steps, figures at the muzzle crossing
};

// A smooth shot between two steps. The batch's lanes step it on as long as no event falls
// within a step, and hand the steps with events to SmoothStepping::StepWithEvents
// (model/SmoothShotStepping.h).
struct SmoothShotProgress {
    ShotState y{};
    ShotRegime regime{};
    ShotSummary summary{};  // over the states reached so far, in display units
    int stepIndex = 0;      // of the step to run next
};

// The shot before its first step.
SmoothShotProgress StartSmoothShot(const ModelInputs& completedInputs);


// The smooth figures of a shot, for inputs that passed the checks and were completed. lastIndex
// is one less than the index of the step in which the bullet reaches the muzzle, as in the
// compute command's figures; the maxima are taken over the states at every step's end and at
// every event up to the muzzle. A shot still in the barrel after step StepLimit - 1 fails with
// the step-limit message, one whose arithmetic fails with the floating-point fault's message.
ShotFigures ComputeSmoothShotFigures(const ModelInputs& completedInputs);
