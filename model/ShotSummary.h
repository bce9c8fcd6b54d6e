#pragma once
// A shot's figures from the summary gathered over its counted entries: by the compute command
// from the recorded series, by the shot batch step by step in its lanes.

#include "model/ShotFigures.h"
#include "model/ShotStepper.h"

// The kinetic energy (J) of a bullet of the given mass (kg) at the given velocity (m/s).
inline double BulletEnergyOf(double bulletMass, double velocity) {
    return 0.5 * bulletMass * velocity * velocity;
}

// The figures of a completed shot from the summary of its counted entries 0 … lastIndex. When
// none counts (the first step reached the muzzle) the muzzle velocity is the bullet velocity
// of that first step. The energy (J) is 0.5 × m_b × v², m_b the bullet mass in kg.
ShotFigures CompletedShotFigures(const ShotSummary& summary, int lastIndex,
                                 double firstStepBulletVelocity, double bulletMass);
