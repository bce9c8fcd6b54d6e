#pragma once
// A gun's shot with each of several pellet weights, everything else as the gun is.

#include <span>
#include <vector>

#include "model/GunParameters.h"
#include "model/ShotBatch.h"

// The gun's field texts (with a point) with the bullet weight in grams.
GunParameterTexts WithBulletWeight(const GunParameterTexts& gun, double bulletWeight);

struct PelletRow {
    double bulletWeight;  // g, as the shot read it
    ShotFigures figures;  // with the Compute button's message as failure when it failed
};

// The shot of every weight (g), as the Compute button would give it, in the given order. On the
// given number of threads (0: one per core).
std::vector<PelletRow> ComputePelletTable(const GunParameterTexts& gun,
                                          std::span<const double> bulletWeights, unsigned threads);

// Whether a completed shot's energy is above the limit (J).
bool IsOverLimit(const ShotFigures& figures, double energyLimit);
