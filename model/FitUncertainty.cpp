#include "model/FitUncertainty.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

using Matrix = std::vector<std::vector<double>>;

// A pivot of the Cholesky factor of the columns' cosine matrix at or below this (squared
// sine of the angle between a column and the span of those before it) is a dependent column:
// the finite differences carry about seven significant digits.
constexpr double DependentPivot = 1e-10;

// The lower Cholesky factor of the symmetric matrix with a unit diagonal, or the first column
// that depends on those before it.
struct Factor {
    Matrix lower;
    std::optional<size_t> dependentColumn;
};

Factor CholeskyOf(const Matrix& a) {
    const size_t n = a.size();
    Factor factor{Matrix(n, std::vector<double>(n, 0.0)), std::nullopt};
    Matrix& l = factor.lower;
    for (size_t j = 0; j < n; ++j) {
        double pivot = a[j][j];
        for (size_t k = 0; k < j; ++k) {
            pivot -= l[j][k] * l[j][k];
        }
        if (!(pivot > DependentPivot)) {
            factor.dependentColumn = j;
            return factor;
        }
        l[j][j] = std::sqrt(pivot);
        for (size_t i = j + 1; i < n; ++i) {
            double sum = a[i][j];
            for (size_t k = 0; k < j; ++k) {
                sum -= l[i][k] * l[j][k];
            }
            l[i][j] = sum / l[j][j];
        }
    }
    return factor;
}

// The inverse of L·Lᵀ from its factor L.
Matrix InverseFromCholesky(const Matrix& l) {
    const size_t n = l.size();
    Matrix inverseLower(n, std::vector<double>(n, 0.0));  // L⁻¹, lower triangular
    for (size_t c = 0; c < n; ++c) {
        for (size_t i = c; i < n; ++i) {
            double sum = i == c ? 1.0 : 0.0;
            for (size_t k = c; k < i; ++k) {
                sum -= l[i][k] * inverseLower[k][c];
            }
            inverseLower[i][c] = sum / l[i][i];
        }
    }
    Matrix inverse(n, std::vector<double>(n, 0.0));  // L⁻ᵀ·L⁻¹
    for (size_t i = 0; i < n; ++i) {
        for (size_t j = 0; j < n; ++j) {
            for (size_t k = std::max(i, j); k < n; ++k) {
                inverse[i][j] += inverseLower[k][i] * inverseLower[k][j];
            }
        }
    }
    return inverse;
}

}  // namespace

FitUncertainty UncertaintyOf(const Matrix& sensitivities, std::span<const int> shotsOf,
                             double squares) {
    const size_t n = sensitivities.empty() ? 0 : sensitivities.front().size();
    FitUncertainty result;
    result.relativeErrors.assign(n, std::nullopt);

    // JᵀJ: every shot of a pellet has that pellet's row of the Jacobian.
    Matrix normal(n, std::vector<double>(n, 0.0));
    for (size_t k = 0; k < sensitivities.size(); ++k) {
        for (size_t i = 0; i < n; ++i) {
            for (size_t j = 0; j < n; ++j) {
                normal[i][j] += shotsOf[k] * sensitivities[k][i] * sensitivities[k][j];
            }
        }
    }
    // Scaled to the cosines between the columns, so that the test for dependence does not
    // depend on how strongly each parameter acts.
    std::vector<double> length(n);
    for (size_t j = 0; j < n; ++j) {
        length[j] = std::sqrt(normal[j][j]);
        if (!(length[j] > 0) || !std::isfinite(length[j])) {
            result.indistinguishable.emplace_back(j, j);
        }
    }
    if (!result.indistinguishable.empty()) {
        return result;
    }
    Matrix cosines(n, std::vector<double>(n));
    for (size_t i = 0; i < n; ++i) {
        for (size_t j = 0; j < n; ++j) {
            cosines[i][j] = normal[i][j] / (length[i] * length[j]);
        }
    }
    const Factor factor = CholeskyOf(cosines);
    if (factor.dependentColumn) {
        // Name the column it depends on most.
        const size_t dependent = *factor.dependentColumn;
        size_t partner = 0;
        for (size_t j = 1; j < dependent; ++j) {
            if (std::fabs(cosines[dependent][j]) > std::fabs(cosines[dependent][partner])) {
                partner = j;
            }
        }
        result.indistinguishable.emplace_back(partner, dependent);
        return result;
    }
    const Matrix inverse = InverseFromCholesky(factor.lower);
    result.correlations.assign(n, std::vector<double>(n));
    for (size_t i = 0; i < n; ++i) {
        for (size_t j = 0; j < n; ++j) {
            result.correlations[i][j] = inverse[i][j] / std::sqrt(inverse[i][i] * inverse[j][j]);
            if (j > i && std::fabs(result.correlations[i][j]) > IndistinguishableCorrelation) {
                result.indistinguishable.emplace_back(i, j);
            }
        }
    }
    // The residuals' variance, with one degree of freedom used by each parameter.
    const int shots = std::accumulate(shotsOf.begin(), shotsOf.end(), 0);
    if (static_cast<size_t>(shots) <= n) {
        return result;
    }
    const double variance = squares / static_cast<double>(shots - static_cast<int>(n));
    for (size_t j = 0; j < n; ++j) {
        result.relativeErrors[j] = std::sqrt(variance * inverse[j][j]) / length[j];
    }
    return result;
}
