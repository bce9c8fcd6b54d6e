#include "model/SubsonicFlowFit.h"

#include <cmath>
#include <numbers>

namespace {

// For κ up to 2 the critical ratio is at least 4/9, far enough from the flow function's branch
// point at r = 0 that the Chebyshev terms fall by a factor of 5 or more each: 15 terms give Ψ²
// within 1e-14 of its choked value for κ up to 1.8 and 1e-13 at 2, far below what the step's
// own error moves it. Every gas's κ lies between 1 and 5/3.
constexpr double LargestFittedKappa = 2;

using Wide = long double;

// Ψ²(r) / (1 − r) for r below 1, without the cancellation of the two powers near r = 1.
Wide FlowFunctionOverGap(Wide r, Wide kappa) {
    if (kappa == 1) {
        return -2 * r * r * std::log(r) / (1 - r);
    }
    const Wide gapPower = -std::expm1((kappa - 1) / kappa * std::log(r));  // 1 − r^((κ−1)/κ)
    return 2 / (kappa - 1) * std::pow(r, 2 / kappa) * gapPower / (1 - r);
}

SubsonicFlowFit Fit(double kappa) {
    SubsonicFlowFit fit;
    const Wide k = kappa;
    const Wide critical = kappa == 1 ? std::exp(-0.5L) : std::pow(2 / (k + 1), k / (k - 1));
    fit.criticalRatio = static_cast<double>(critical);
    fit.chokedFlowFunctionSquared = static_cast<double>(
        kappa == 1 ? std::exp(-1.0L) : std::pow(2 / (k + 1), (k + 1) / (k - 1)));
    if (!(kappa >= 1 && kappa <= LargestFittedKappa)) {
        return fit;
    }
    constexpr size_t n = SubsonicFlowTerms;
    const Wide center = (1 + critical) / 2;
    const Wide halfWidth = (1 - critical) / 2;
    const auto angle = [](size_t i, size_t j) {
        return std::numbers::pi_v<Wide> * static_cast<Wide>(i) * (static_cast<Wide>(j) + 0.5L) /
               static_cast<Wide>(n);
    };

    // Chebyshev interpolation at the n nodes of the first kind, none of which is r = 1 itself.
    std::array<Wide, n> values;
    for (size_t j = 0; j < n; ++j) {
        values[j] = FlowFunctionOverGap(center + halfWidth * std::cos(angle(1, j)), k);
    }
    std::array<Wide, n> chebyshev{};
    for (size_t i = 0; i < n; ++i) {
        for (size_t j = 0; j < n; ++j) {
            chebyshev[i] += values[j] * std::cos(angle(i, j));
        }
        chebyshev[i] *= (i == 0 ? 1.0L : 2.0L) / static_cast<Wide>(n);
    }

    // To powers of u: T₀ = 1, T₁ = u, T_{i+1} = 2u T_i − T_{i−1}. The coefficients of the T_i are
    // integers, exact in a long double, and the falling Chebyshev terms keep the sums well
    // conditioned.
    std::array<Wide, n> previous{};
    std::array<Wide, n> current{};
    std::array<Wide, n> powers{};
    previous[0] = 1;
    current[1] = 1;
    powers[0] = chebyshev[0];
    powers[1] = chebyshev[1];
    for (size_t i = 2; i < n; ++i) {
        std::array<Wide, n> next{};
        for (size_t p = 0; p < n; ++p) {
            next[p] = (p > 0 ? 2 * current[p - 1] : 0) - previous[p];
        }
        previous = current;
        current = next;
        for (size_t p = 0; p <= i; ++p) {
            powers[p] += chebyshev[i] * current[p];
        }
    }

    fit.fitted = true;
    fit.center = static_cast<double>(center);
    fit.inverseHalfWidth = static_cast<double>(1 / halfWidth);
    for (size_t p = 0; p < n; ++p) {
        fit.coefficients[p] = static_cast<double>(powers[p]);
    }
    return fit;
}

}  // namespace

SubsonicFlowFit FitSubsonicFlow(double kappa) {
    // A batch's shots mostly share their κ: the fit of the last one is kept.
    thread_local double lastKappa = std::nan("");
    thread_local SubsonicFlowFit last;
    if (!(kappa == lastKappa)) {
        last = Fit(kappa);
        lastKappa = kappa;
    }
    return last;
}
