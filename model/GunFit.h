#pragma once
// Fitting a gun to chronograph shots: some of its parameters changed until its computed muzzle
// velocities come closest to the measured ones, least squares over all shots. Each free
// parameter stays within the values the Compute command accepts and within a factor of four of
// its start value either way. docs/fit.md gives the method and the figures it reports.

#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "model/ChronographShots.h"
#include "model/GunParameters.h"

struct FittedPellet {
    MeasuredPellet measured;
    double computedVelocity;  // m/s, of the fitted gun
};

struct FittedParameter {
    GunParameter parameter;
    double startValue;   // in the window's unit
    double fittedValue;  // likewise
    // likewise; none when there are no more shots than free parameters or the shots cannot
    // tell this parameter from another
    std::optional<double> standardError;
    bool atSearchEnd;     // at the end of the range searched: the shots ask for more
    double searchedFrom;  // the range searched, in the window's unit
    double searchedTo;
};

struct GunFit {
    GunParameterTexts gun;                          // with the fitted values, texts with a point
    std::vector<FittedParameter> parameters;        // in the order given
    std::vector<std::vector<double>> correlations;  // of the parameters, pairwise; empty when
                                                    // the Jacobian is singular
    // Pairs of positions in parameters that the shots cannot tell apart; (j, j) when a
    // parameter does not change the computed velocities at all.
    std::vector<std::pair<size_t, size_t>> indistinguishable;
    std::vector<FittedPellet> pellets;  // lightest first
    double rmsResidual;                 // m/s, measured less computed over all shots
    // m/s, the shots' scatter about their pellet's mean, pooled over the pellets with more than
    // one shot; none when every pellet has one
    std::optional<double> pooledSpread;
    // m/s: three times the pooled spread (never below 0.1 % of the mean velocity), or 1 % of
    // the mean velocity without one
    double poorFitLimit;
    int computations;  // of the shots of every pellet
    int shots;         // computed in all

    // The model cannot reach the shots: the RMS residual exceeds poorFitLimit, or a parameter
    // ran to the end of the range searched.
    bool IsPoor() const;
};

// The relative change of each fitted value by which the Jacobian is differenced (centrally).
inline constexpr double JacobianStep = 0.01;

// The gun's parameters that a fit may not free: the pellet's weight, which the shots give,
// and the computation step, which is no property of the gun.
bool IsFittable(GunParameter parameter);

// Fits the free parameters (different, fittable) of the gun (field texts with a point) to
// the shots. Ends the command (CommandAbort) when there are more free parameters than pellet
// weights, when every shot of the gun fails, when the shots give no finite sum of squares,
// when a shot of the fitted gun fails, or when the fit does not converge within its budget of
// computations; raises the Compute command's refusal of the gun itself. The result is never
// worse than a fit of a subset of the free parameters, and the same inputs give the same fit.
GunFit FitGunToShots(const GunParameterTexts& gun, std::span<const GunParameter> freeParameters,
                     std::span<const MeasuredShot> shots);
