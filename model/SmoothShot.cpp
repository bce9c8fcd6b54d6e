#include "model/SmoothShot.h"

#include "common/FloatingPointFaults.h"
#include "model/ShotSummary.h"
#include "model/SmoothShotStepping.h"

using Coefficients = ShotCoefficients<double>;
using namespace SmoothStepping;

namespace {

// Steps the shot on to the muzzle or the step limit and gives its figures, or the message its
// run ended with.
template <class Shot, class ShotCoefficients>
ShotFigures FiguresAtTheMuzzle(Shot& shot, const ShotCoefficients& c, double bulletMass) {
    bool atMuzzle = false;
    while (shot.stepIndex < StepLimit && !atMuzzle) {
        atMuzzle = StepWithEvents(shot, c);
    }
    ShotFigures figures;
    if (atMuzzle) {
        figures = SmoothStepping::FiguresAtTheMuzzle(shot, bulletMass);
    }
    CompleteBeforeReadingFlags(figures);
    if (const FloatingPointFault fault = PendingFloatingPointFault();
        fault != FloatingPointFault::None) {
        return ShotFigures{FloatingPointFaultMessage(fault)};
    }
    if (!atMuzzle) {
        return ShotFigures{StepLimitMessage};
    }
    return figures;
}

// The smooth figures of an extended shot (docs/extended-model.md), one by one.
ShotFigures ComputeExtendedSmoothShotFigures(const ModelInputs& completedInputs) {
    if (std::string refusal = PortStepRefusal(completedInputs); !refusal.empty()) {
        return ShotFigures{std::move(refusal)};
    }
    ClearFloatingPointFaults();
    const ExtendedCoefficients c = ExtendedCoefficientsOf(completedInputs);
    auto shot = StartExtendedSmoothShot<ExtendedCoreComponentCount>(completedInputs, c);
    return FiguresAtTheMuzzle(shot, c, completedInputs.BulletMass);
}

}  // namespace

SmoothShotProgress StartSmoothShot(const ModelInputs& completedInputs) {
    SmoothShotProgress shot;
    shot.y = InitialShotState(completedInputs);
    SetPistonFromRest(shot.regime, shot.y, CoefficientsOf(completedInputs));
    return shot;
}

ShotFigures ComputeSmoothShotFigures(const ModelInputs& completedInputs) {
    if (UsesExtendedModel(completedInputs)) {
        return ComputeExtendedSmoothShotFigures(completedInputs);
    }
    ClearFloatingPointFaults();
    const Coefficients c = CoefficientsOf(completedInputs);
    SmoothShotProgress shot = StartSmoothShot(completedInputs);
    return FiguresAtTheMuzzle(shot, c, completedInputs.BulletMass);
}
