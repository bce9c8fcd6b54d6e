#pragma once
// Fitting a gun to chronograph shots: some of its parameters changed until its computed muzzle
// velocities come closest to the measured ones, least squares over all shots. Each free
// parameter stays within the values the Compute command accepts and within a factor of four of
// its start value either way.

#include <span>
#include <vector>

#include "model/ChronographShots.h"
#include "model/GunParameters.h"

struct FittedPellet {
    MeasuredPellet measured;
    double computedVelocity;  // m/s, of the fitted gun
};

struct GunFit {
    GunParameterTexts gun;  // with the fitted values, texts with a point
    std::vector<GunParameter> freeParameters;  // in the order of the parameter table
    std::vector<double> startValues;           // of each, in the window's units
    std::vector<double> fittedValues;          // likewise
    std::vector<FittedPellet> pellets;  // lightest first
    double rmsResidual;                 // m/s, measured less computed over all shots
    int computations;                   // of the shots of every pellet
    int shots;                          // computed in all
};

// The gun's parameters that a fit may not free: the pellet's weight, which the shots give,
// and the computation step, which is no property of the gun.
bool IsFittable(GunParameter parameter);

// Fits the free parameters (different, fittable) of the gun (field texts with a point) to
// the shots. Ends the command (CommandAbort) when there are more free parameters than pellet
// weights, when every shot of the gun fails, or when the fit does not converge (within its
// budget of computations, or inside the range it searches); raises the Compute command's
// refusal of the gun itself.
GunFit FitGunToShots(const GunParameterTexts& gun, std::span<const GunParameter> freeParameters,
                     std::span<const MeasuredShot> shots);
