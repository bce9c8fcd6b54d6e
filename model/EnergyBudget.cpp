#include "model/EnergyBudget.h"

#include "common/FloatingPointFaults.h"
#include "model/ExtendedShot.h"
#include "model/SmoothShotStepping.h"

using namespace SmoothStepping;

namespace {

// The sinks at the muzzle state, in the CSV's order. The run carries the basic model's inputs
// on the extended model's equations, which at the neutral values are the basic model's.
std::vector<EnergyTerm> TermsAtMuzzle(
    const ExtendedSmoothShotProgress<ExtendedBudgetComponentCount>& shot,
    const ExtendedState<ExtendedBudgetComponentCount>& start, const ModelInputs& in,
    const ExtendedCoefficients& c) {
    const auto& y = shot.y;
    const auto airEnergy = [&c](const auto& state) {
        return state[CylinderEnergyComponent] + (1 - c.singleVolume) * state[BreechEnergyComponent];
    };
    const double pistonVelocity = y[PistonVelocityComponent];
    const double bulletVelocity = y[BulletVelocityComponent];
    const double halfSquare = 0.5 * bulletVelocity * bulletVelocity;
    // The bullet's equation moves φ m_b = m_air / 3 + φ1 m_b: the pellet, a third of the air,
    // and the barrel friction's share of it.
    return {
        {"spring_work", y[SpringWorkComponent]},
        {"spring_loss", y[SpringLossComponent]},
        {"piston_kinetic", 0.5 / c.inverseDrivenPistonMass * pistonVelocity * pistonVelocity},
        {"piston_impact", shot.impactLoss},
        {"packing_friction", y[PackingFrictionComponent]},
        {"air_internal", (airEnergy(y) - airEnergy(start)) / c.kappaMinusOne},
        {"air_kinetic", in.AirMass * (1.0 / 3.0) * halfSquare},
        {"pellet_kinetic", in.BulletMass * halfSquare},
        {"barrel_friction", (in.BarrelFrictionFactor - 1) * in.BulletMass * halfSquare},
        {"ambient_work", y[AmbientWorkComponent]},
    };
}

}  // namespace

EnergyBudget ComputeEnergyBudget(const ModelInputs& in) {
    if (std::string refusal = PortStepRefusal(in); !refusal.empty()) {
        return {std::move(refusal), {}};
    }
    ClearFloatingPointFaults();
    const ExtendedCoefficients c = ExtendedCoefficientsOf(in);
    auto shot = StartExtendedSmoothShot<ExtendedBudgetComponentCount>(in, c);
    const auto start = shot.y;
    bool atMuzzle = false;
    while (shot.stepIndex < StepLimit && !atMuzzle) {
        atMuzzle = StepWithEvents(shot, c);
    }
    EnergyBudget budget;
    if (atMuzzle) {
        budget.terms = TermsAtMuzzle(shot, start, in, c);
        double residual = budget.terms.front().energy;
        for (size_t i = 1; i < budget.terms.size(); ++i) {
            residual -= budget.terms[i].energy;
        }
        budget.terms.push_back({"residual", residual});
    }
    CompleteBeforeReadingFlags(budget.terms);
    if (const FloatingPointFault fault = PendingFloatingPointFault();
        fault != FloatingPointFault::None) {
        return {FloatingPointFaultMessage(fault), {}};
    }
    if (!atMuzzle) {
        return {StepLimitMessage, {}};
    }
    return budget;
}

double ShotEfficiency(double muzzleEnergy, const ModelInputs& in) {
    return muzzleEnergy / SpringEnergyOverStroke(in);
}
