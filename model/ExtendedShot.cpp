#include "model/ExtendedShot.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "common/ReportFormat.h"

using namespace ModelConstants;

namespace {

bool IsGasRam(const ModelInputs& in) {
    return in.GasRamExponent > 0;
}

double MaximumForce(const ModelInputs& in) {
    return in.SpringMinimumForce + in.SpringRate * in.Stroke;
}

// ℓ0 of F_max (ℓ0 / (ℓ0 + x))^n, chosen so that the force at x = s is F_min.
double RamGasLength(const ModelInputs& in) {
    const double ratio = std::pow(in.SpringMinimumForce / MaximumForce(in), 1 / in.GasRamExponent);
    return ratio * in.Stroke / (1 - ratio);
}

double PassageVolume(const ModelInputs& in) {
    return in.BoreArea * in.PortLength;
}

}  // namespace

ExtendedCoefficients ExtendedCoefficientsOf(const ModelInputs& in) {
    const double kappa = in.Kappa;
    const bool ram = IsGasRam(in);
    ExtendedCoefficients c{};
    c.sweptVolume = in.SweptVolume;
    c.pistonArea = in.PistonArea;
    c.boreArea = in.BoreArea;
    c.passageLength = in.PortLength;
    c.inverseBoreDiameter = 1.0 / in.BoreDiameter;
    c.springRate = in.SpringRate;
    c.stroke = in.Stroke;
    c.springMinimumForce = in.SpringMinimumForce;
    c.frictionArea = in.PackingFrictionFactor * in.PackingArea;
    c.ambientPressure = in.AmbientPressure;
    // A third of a coil spring moves with the piston; the ram's moving mass moves whole.
    c.inverseDrivenPistonMass =
        1.0 / (in.PistonMass + (ram ? in.SpringMass : in.SpringMass * (1.0 / 3.0)));
    c.bulletAccelerationPerPascal = in.BoreArea / (in.BulletMassFactor * in.BulletMass);
    c.kappa = kappa;
    c.kappaMinusOne = kappa - 1;
    c.timeStep = in.TimeStep;
    c.releasePressure = in.AmbientPressure + in.StartPressure;
    c.barrelEnd = in.BarrelEnd;
    c.singleVolume = in.PortDiameter > 0 ? 0 : 1;
    // The port is a new formula: the true π, not the piston formulas' 3.14159.
    c.portArea = std::numbers::pi / 4 * in.PortDiameter * in.PortDiameter;
    c.restitution = in.PistonRestitution;
    c.gasRam = ram ? 1 : 0;
    // A coil spring's shot never uses the ram's force, but works it out: keep it finite.
    c.ramMaximumForce = ram ? MaximumForce(in) : 0;
    c.ramGasLength = ram ? RamGasLength(in) : 1;
    c.ramExponent = ram ? in.GasRamExponent : 0;
    c.inverseKappa = 1 / kappa;
    const SubsonicFlowFit fit = FitSubsonicFlow(kappa);
    c.criticalRatio = fit.criticalRatio;
    c.chokedFlowFunctionSquared = fit.chokedFlowFunctionSquared;
    // Only the powers' form of Ψ² uses it, where κ is 1 neither.
    c.subsonicFlowFactor = fit.fitted ? 0 : 2 / (kappa - 1);
    c.inverseGasConstant = 1 / GasConstant;
    c.subsonicFitted = fit.fitted ? 1 : 0;
    c.subsonicCenter = fit.center;
    c.subsonicInverseHalfWidth = fit.inverseHalfWidth;
    c.subsonicPolynomial = fit.coefficients;
    return c;
}

template <size_t N>
ExtendedState<N> InitialExtendedState(const ModelInputs& in) {
    const double passage = PassageVolume(in);
    const double total = in.SweptVolume + passage;
    // Without AirTemperature the basic model's start: ambient pressure in the swept volume
    // alone, spread over the whole volume.
    const double energy = in.AmbientPressure * (in.AirTemperature > 0 ? total : in.SweptVolume);
    const double mass = in.AirMass;
    const bool single = in.PortDiameter <= 0;
    ExtendedState<N> y{};
    // Without a port the breech's own air is a placeholder at the same state, never used.
    y[CylinderEnergyComponent] = single ? energy : energy * (in.SweptVolume / total);
    y[CylinderAirMassComponent] = single ? mass : mass * (in.SweptVolume / total);
    y[BreechEnergyComponent] = energy * (passage / total);
    y[BreechAirMassComponent] = mass * (passage / total);
    return y;
}
template ExtendedState<ExtendedCoreComponentCount> InitialExtendedState(const ModelInputs&);
template ExtendedState<ExtendedBudgetComponentCount> InitialExtendedState(const ModelInputs&);

double SpringEnergyOverStroke(const ModelInputs& in) {
    const double maximum = MaximumForce(in);
    if (!IsGasRam(in)) {
        return 0.5 * (maximum + in.SpringMinimumForce) * in.Stroke;
    }
    const double n = in.GasRamExponent;
    const double l0 = RamGasLength(in);
    // ∫₀ˢ F_max (ℓ0/(ℓ0+x))^n dx; for n = 1 the logarithm.
    if (std::abs(n - 1) < 1e-9) {
        return maximum * l0 * std::log((l0 + in.Stroke) / l0);
    }
    return (maximum * l0 - in.SpringMinimumForce * (l0 + in.Stroke)) / (n - 1);
}

double PortFillingTime(const ModelInputs& in) {
    if (!(in.PortDiameter > 0)) {
        return std::numeric_limits<double>::infinity();
    }
    // The breech's start volume over the port's area times the speed of sound of the start air.
    const ExtendedCoefficients c = ExtendedCoefficientsOf(in);
    const ExtendedShotStateCore y = InitialExtendedState<ExtendedCoreComponentCount>(in);
    const double startTemperature =
        y[CylinderEnergyComponent] / y[CylinderAirMassComponent] / GasConstant;
    const double soundSpeed = std::sqrt(in.Kappa * GasConstant * startTemperature);
    return PassageVolume(in) / (c.portArea * soundSpeed);
}

bool StepResolvesPort(const ModelInputs& in) {
    const double fillingTime = PortFillingTime(in);
    // A filling time that is not a positive number (a breech of no volume, a start air whose
    // temperature cannot be worked out) names no step that would do: the run's own arithmetic
    // then fails and reports its fault.
    return !(fillingTime > 0) || in.TimeStep <= fillingTime * PortStepShareOfFillingTime;
}

bool PortFlowIsFitted(const ModelInputs& in) {
    return !(in.PortDiameter > 0) || FitSubsonicFlow(in.Kappa).fitted;
}

std::string PortStepRefusal(const ModelInputs& in) {
    if (StepResolvesPort(in)) {
        return {};
    }
    const double fillingTime = PortFillingTime(in);
    // The step named is the largest rounded down to two significant digits, in ms.
    const double largestMs = fillingTime * PortStepShareOfFillingTime * 1e3;
    const double exponent = std::floor(std::log10(largestMs)) - 1;
    const double unit = std::pow(10.0, exponent);
    return FormatReport(
        "Step too coarse for the transfer port, which fills in %.3g ms: use a "
        "Computation Step of at most %.*f ms.",
        fillingTime * 1e3, static_cast<int>(std::clamp(-exponent, 0.0, 400.0)),
        std::floor(largestMs / unit) * unit);
}
