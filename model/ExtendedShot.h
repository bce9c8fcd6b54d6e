#pragma once
// The extended model on plain doubles: its coefficients and start state worked out from the
// inputs, the designed step of one shot, and the checks and closed forms the commands share.
// The equations: docs/extended-model.md.

#include <string>

#include "model/ModelInputs.h"
#include "model/ShotStepper.h"

using ExtendedCoefficients = ExtendedShotCoefficients<double>;
template <size_t N>
using ExtendedState = ExtendedShotState<double, N>;
using ExtendedShotStateCore = ExtendedState<ExtendedCoreComponentCount>;
using ExtendedEntry = ExtendedStepEntry<double>;

inline constexpr size_t ExtendedCoefficientCount = [] {
    ExtendedCoefficients c{};
    size_t count = 0;
    VisitExtendedCoefficients(c, [&count](double&) { ++count; });
    return count;
}();
static_assert(sizeof(ExtendedCoefficients) == ExtendedCoefficientCount * sizeof(double),
              "VisitExtendedCoefficients visits every member of ExtendedShotCoefficients");

ExtendedCoefficients ExtendedCoefficientsOf(const ModelInputs& completedInputs);

// The start state's air: at rest, spread evenly over the cylinder and the passage (the basic
// model's start air without AirTemperature, else AirPressure throughout); the integrated powers
// start at 0.
template <size_t N>
ExtendedState<N> InitialExtendedState(const ModelInputs& completedInputs);
extern template ExtendedState<ExtendedCoreComponentCount> InitialExtendedState(const ModelInputs&);
extern template ExtendedState<ExtendedBudgetComponentCount> InitialExtendedState(
    const ModelInputs&);

// The energy the coil spring or the gas ram releases over the whole stroke (J), from its force
// cocked to its force at the stroke's end: (F_max + F_min) s / 2 for the coil, the integral of
// the polytropic force for the ram.
double SpringEnergyOverStroke(const ModelInputs& completedInputs);

// The largest step, as a share of the port's filling time, that the orifice flow is integrated
// with (docs/extended-model.md).
inline constexpr double PortStepShareOfFillingTime = 0.125;

// The port's filling time (s): the breech's start volume over the port's area times the speed of
// sound of the start air; infinite without a port.
double PortFillingTime(const ModelInputs& completedInputs);

// Whether the step resolves the port's filling: at most PortStepShareOfFillingTime of it.
bool StepResolvesPort(const ModelInputs& completedInputs);

// Whether the port's flow function is a fitted polynomial (SubsonicFlowFit: an adiabatic
// exponent from 1 to 2), as the lanes need; always without a port.
bool PortFlowIsFitted(const ModelInputs& completedInputs);

// The shot's refusal when its step is too coarse for the port's filling time (docs/
// extended-model.md): the message names the filling time and a step that would do. Empty when
// the step will do, and always without a port.
std::string PortStepRefusal(const ModelInputs& completedInputs);

// The designed steps of an extended shot, as ShotStepper runs the basic model's; the entries
// have their port mass flow only when recordsPortFlow.
template <bool recordsPortFlow>
class ExtendedShotStepperOf {
public:
    enum class Next { Continue, StepLimitReached, MuzzleReached };

    explicit ExtendedShotStepperOf(const ModelInputs& inputs)
        : coefficients_(ExtendedCoefficientsOf(inputs)),
          y_(InitialExtendedState<ExtendedCoreComponentCount>(inputs)) {}

    int StepIndex() const { return n_; }

    [[gnu::always_inline]] Next Step(ExtendedEntry& entry) {
        const auto n = static_cast<double>(n_);
        entry = IntegrateExtendedStep<recordsPortFlow>(y_, n, coefficients_);
        const StepEnds<bool> ends =
            SettleExtendedStep(y_, entry, n, coefficients_, bulletReleased_);
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
    ExtendedCoefficients coefficients_;
    ExtendedShotStateCore y_;
    bool bulletReleased_ = false;
    int n_ = 0;
};

using ExtendedShotStepper = ExtendedShotStepperOf<false>;
