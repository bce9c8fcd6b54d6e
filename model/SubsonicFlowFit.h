#pragma once
// The orifice's flow function Ψ² for an adiabatic exponent κ: its constants, and above the
// critical pressure ratio a polynomial fitted once per κ, which the step evaluates where it
// would otherwise raise the pressure ratio to a power (docs/extended-model.md, "The port's flow
// function").

#include <array>
#include <cstddef>

inline constexpr size_t SubsonicFlowTerms = 15;

struct SubsonicFlowFit {
    // (2/(κ+1))^(κ/(κ−1)): at and below it the flow is choked.
    double criticalRatio = 0;
    // Ψ² there, (2/(κ+1))^((κ+1)/(κ−1)).
    double chokedFlowFunctionSquared = 0;
    // Above the critical ratio r_c, Ψ²(r) = 2/(κ−1) (r^(2/κ) − r^((κ+1)/κ)) is (1 − r) P(u) for
    // u = (r − center) × inverseHalfWidth, from −1 at r_c to 1 at r = 1, and P the polynomial of
    // the coefficients (u⁰ first). Fitted for κ from 1 to 2; else fitted is false, and the
    // step raises r to the powers.
    bool fitted = false;
    double center = 0;
    double inverseHalfWidth = 0;
    std::array<double, SubsonicFlowTerms> coefficients{};
};

// At κ = 1, the isothermal limits: r_c = e^(−1/2), Ψ² = e^(−1) there and −2 r² ln r above.
SubsonicFlowFit FitSubsonicFlow(double kappa);
