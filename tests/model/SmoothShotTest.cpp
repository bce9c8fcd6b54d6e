#include "model/SmoothShot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "common/FieldNumber.h"
#include "model/ShotStepper.h"
#include "tests/support/ExampleGun.h"

namespace {

using enum GunParameter;

// The compute command's own steps at a step divided by `divisions`, without the step limit (the
// finer run needs more steps): the muzzle velocity of its last step inside the barrel.
double FineStepMuzzleVelocity(ModelInputs inputs, int divisions) {
    inputs.TimeStep /= divisions;
    const ShotCoefficients<double> c = CoefficientsOf(inputs);
    ShotState y = InitialShotState(inputs);
    bool released = false;
    double lastInside = 0;
    for (int n = 0; n < divisions * StepLimit; ++n) {
        StepEntry entry = IntegrateStep(y, 0.0, c);
        if (SettleStep(y, entry, 0.0, c, released).muzzle) {
            return lastInside;
        }
        lastInside = entry.bulletVelocity;
    }
    return NAN;
}

struct SmoothSweep {
    const char* name;
    GunParameterTexts gun;
    GunParameter varied;
    double from;
    double to;
};

void PrintTo(const SmoothSweep& sweep, std::ostream* out) {
    *out << sweep.name;
}

GunParameterTexts StrongGun() {
    // A spring twice as strong: its piston reaches the end of the cylinder, stops dead and
    // rebounds, with every pellet of the sweep.
    return ExampleGunWith({{MinimumForce, "400"}, {MaximumForce, "800"}});
}

class SmoothShotSweep : public testing::TestWithParam<SmoothSweep> {};

// Over 400 evenly spaced values no neighbour-to-neighbour change of the muzzle velocity departs
// from the local trend (the second difference) by more than 0.02 % of the velocity, and every
// hundredth point agrees with a run at 1/64 of the step to 0.1 %.
TEST_P(SmoothShotSweep, IsSmoothAndAgreesWithAFineStepRun) {
    const SmoothSweep& sweep = GetParam();
    constexpr int Points = 400;
    std::vector<double> velocities;
    for (int i = 0; i < Points; ++i) {
        GunParameterTexts texts = sweep.gun;
        const double value = sweep.from + (sweep.to - sweep.from) * i / (Points - 1);
        texts[static_cast<size_t>(Index(sweep.varied))] = NumberToField(value, '.');
        const ModelInputs inputs = CompletedInputsOf(texts);
        const ShotFigures figures = ComputeSmoothShotFigures(inputs);
        ASSERT_EQ(figures.failure, "") << value;
        velocities.push_back(figures.muzzleVelocity);
        if (i % 100 == 0 || i == Points - 1) {
            EXPECT_NEAR(figures.muzzleVelocity, FineStepMuzzleVelocity(inputs, 64),
                        1e-3 * figures.muzzleVelocity)
                << value;
        }
    }
    for (size_t i = 1; i + 1 < velocities.size(); ++i) {
        const double departure = velocities[i - 1] - 2 * velocities[i] + velocities[i + 1];
        EXPECT_LE(std::fabs(departure), 2e-4 * velocities[i]) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    GunsAndParameters, SmoothShotSweep,
    testing::Values(
        SmoothSweep{"ExampleGunMaximumForce", ExampleGunTexts(), MaximumForce, 398, 402},
        SmoothSweep{"ExampleGunBulletWeight", ExampleGunTexts(), BulletWeight, 0.3, 1.1},
        SmoothSweep{"StrongGunMaximumForce", StrongGun(), MaximumForce, 796, 804},
        SmoothSweep{"StrongGunBulletWeight", StrongGun(), BulletWeight, 0.3, 1.1}),
    [](const testing::TestParamInfo<SmoothSweep>& sweep) { return std::string(sweep.param.name); });

}  // namespace
