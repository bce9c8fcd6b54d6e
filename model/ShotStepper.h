#pragma once
// One shot advanced a step at a time on plain doubles: the single shot of the compute command
// and every shot the batch must run alone. The batch's lanes run the same step arithmetic
// (model/ShotStepArithmetic-inl.h) on vectors.

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "model/ModelInputs.h"
#include "model/ResultSeries.h"
#include "model/ShotEngine.h"
#include "model/SubsonicFlowFit.h"

// The element functions of the step arithmetic, for plain doubles.
inline double SquareRoot(double x) {
    return std::sqrt(x);
}
inline double Choose(bool condition, double a, double b) {
    return condition ? a : b;
}
// As std::max: the first unless the second is larger.
inline double Larger(double a, double b) {
    return std::max(a, b);
}
// Computes only the side the condition takes: a side that costs, or that could fail where it
// is not wanted, is then not worked out at all.
template <class WhenTrue, class WhenFalse>
[[gnu::always_inline]] inline auto ChooseLazily(bool condition, WhenTrue&& whenTrue,
                                                WhenFalse&& whenFalse) {
    return condition ? whenTrue() : whenFalse();
}
inline bool And(bool a, bool b) {
    return a && b;
}
inline bool AndNot(bool notThis, bool that) {
    return !notThis && that;
}
inline bool Or(bool a, bool b) {
    return a || b;
}
// The exponent handling of Power (model/PowerArithmetic-inl.h), which only the extended model
// uses (its gas ram and orifice).
inline double SplitExponent(double x, double& mantissa) {
    const auto bits = std::bit_cast<uint64_t>(x);
    mantissa = std::bit_cast<double>((bits & 0x000F'FFFF'FFFF'FFFFu) | 0x3FF0'0000'0000'0000u);
    return static_cast<double>(static_cast<int>(bits >> 52) - 1023);
}
// 2^k from the low bits of 1.5 × 2^52 + k, as the lanes write it: no conversion to an integer,
// which a NaN would make undefined.
inline double PowerOfTwo(double k) {
    const auto shifted = std::bit_cast<uint64_t>(k + 6755399441055744.0);
    return std::bit_cast<double>((shifted + 1023) << 52);
}

#include "model/ShotStepArithmetic-inl.h"

#include "model/PowerArithmetic-inl.h"

// The extended model's arithmetic builds on the basic model's and on the power.
#include "model/ExtendedStepArithmetic-inl.h"

using StepEntry = BasicStepEntry<double>;
using ShotSummary = BasicShotSummary<double>;
using ShotRegime = BasicShotRegime<bool>;

inline constexpr size_t ShotCoefficientCount = [] {
    ShotCoefficients<double> c{};
    size_t count = 0;
    VisitCoefficients(c, [&count](double&) { ++count; });
    return count;
}();
static_assert(sizeof(ShotCoefficients<double>) == ShotCoefficientCount * sizeof(double),
              "VisitCoefficients visits every member of ShotCoefficients");

inline ShotCoefficients<double> CoefficientsOf(const ModelInputs& in) {
    using namespace ModelConstants;
    return {
        .sweptVolume = in.SweptVolume,
        .pistonArea = in.PistonArea,
        .boreArea = in.BoreArea,
        .portVolume = in.BoreArea * PortLength,
        .inverseBoreDiameter = 1.0 / in.BoreDiameter,
        .airMass = in.AirMass,
        .springRate = in.SpringRate,
        .stroke = in.Stroke,
        .springMinimumForce = in.SpringMinimumForce,
        .frictionArea = in.PackingFrictionFactor * in.PackingArea,
        .ambientPressure = in.AmbientPressure,
        // a third of the spring moves along with the piston
        .inverseDrivenPistonMass = 1.0 / (in.PistonMass + in.SpringMass * (1.0 / 3.0)),
        // the bullet's mass factor carries the barrel friction and a third of the air
        .bulletAccelerationPerPascal = in.BoreArea / (in.BulletMassFactor * in.BulletMass),
        .kappaMinusOne = in.Kappa - 1,
        .timeStep = in.TimeStep,
        .releasePressure = in.AmbientPressure + in.StartPressure,
        .barrelEnd = in.BarrelEnd,
    };
}

class ShotStepper {
public:
    enum class Next { Continue, StepLimitReached, MuzzleReached };

    explicit ShotStepper(const ModelInputs& inputs)
        : coefficients_(CoefficientsOf(inputs)), y_(InitialShotState(inputs)) {}

    // The index of the step to run next; it stays at the step that ended the shot.
    int StepIndex() const { return n_; }

    // Runs the step and gives its entry, the state after it.
    [[gnu::always_inline]] Next Step(StepEntry& entry) {
        const auto n = static_cast<double>(n_);
        entry = IntegrateStep(y_, n, coefficients_);
        const StepEnds<bool> ends = SettleStep(y_, entry, n, coefficients_, bulletReleased_);
        if (ends.stepLimit) {
            return Next::StepLimitReached;
        }
        if (ends.muzzle) {
            return Next::MuzzleReached;
        }
        ++n_;
        return Next::Continue;
    }

private:
    ShotCoefficients<double> coefficients_;
    ShotState y_;
    bool bulletReleased_ = false;
    int n_ = 0;
};
