#pragma once
// Where the spring's energy goes in a shot: what the spring or gas ram gave the piston up to the
// muzzle, every sink the model's equations have, and what is left over. The terms and what was
// checked: docs/energy-budget.md.

#include <string>
#include <vector>

#include "model/ModelInputs.h"

struct EnergyTerm {
    const char* name;  // spring_work, …, residual: the CSV's term
    double energy;     // J
};

struct EnergyBudget {
    std::string failure;  // the message the shot ended with; empty when it reached the muzzle
    // spring_work first, residual (spring_work less the sinks) last.
    std::vector<EnergyTerm> terms;
};

// The budget of the smooth computation's shot (docs/smooth-shot.md), which ends at the muzzle
// crossing, for inputs that passed the checks and were completed; both models.
EnergyBudget ComputeEnergyBudget(const ModelInputs& completedInputs);

// The muzzle energy over the energy the spring or ram releases over the whole stroke.
double ShotEfficiency(double muzzleEnergy, const ModelInputs& completedInputs);
