#pragma once
// How closely chronograph shots settle the parameters fitted to them: each one's standard
// error and the correlation of every pair, from the Jacobian of the residuals at the optimum
// (the linearised least-squares covariance; docs/fit.md gives the equations).

#include <optional>
#include <span>
#include <utility>
#include <vector>

struct FitUncertainty {
    // Of each parameter relative to its value (the standard error of its logarithm); none when
    // the shots leave no degree of freedom or the parameters cannot be told apart.
    std::vector<std::optional<double>> relativeErrors;
    // n × n; empty when the Jacobian is singular.
    std::vector<std::vector<double>> correlations;
    // Positions of the pairs the shots cannot tell apart (|correlation| above
    // IndistinguishableCorrelation, or dependent columns of the Jacobian); a pair (j, j) is a
    // parameter that does not change the computed velocities at all.
    std::vector<std::pair<size_t, size_t>> indistinguishable;
};

inline constexpr double IndistinguishableCorrelation = 0.98;

// sensitivities[k][j]: the change of pellet k's computed velocity (m/s) per relative change of
// parameter j; shotsOf[k]: the shots of pellet k; squares: the residual sum of squares over all
// shots (m²/s²).
FitUncertainty UncertaintyOf(const std::vector<std::vector<double>>& sensitivities,
                             std::span<const int> shotsOf, double squares);
