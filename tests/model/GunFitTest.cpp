#include "model/GunFit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/FieldNumber.h"
#include "common/ReportFormat.h"
#include "model/PelletTable.h"
#include "model/PelletUnits.h"
#include "model/SmoothShot.h"
#include "tests/support/ExampleGun.h"

namespace {

using enum GunParameter;

struct FreeValue {
    GunParameter parameter;
    double value;  // of the gun that made the shots; the fit starts from the example gun's
};

struct RecoveryCase {
    const char* name;
    std::vector<FreeValue> truth;
    std::vector<double> pellets;  // in the file's weight unit
    bool imperial;                // grains and feet per second, else grams and metres per second
};

// The muzzle velocity of the gun with the pellet, computed smoothly as the fit computes it.
double ComputedVelocity(const GunParameterTexts& gun, double bulletWeight) {
    return ComputeSmoothShotFigures(CompletedInputsOf(WithBulletWeight(gun, bulletWeight)))
        .muzzleVelocity;
}

class GunFitRecovery : public testing::TestWithParam<RecoveryCase> {};

// Shots computed by the engine itself for a known gun, two per pellet, written as a
// chronograph's file. The pellets are chosen so that the free parameters change the shots
// differently enough that 0.1 % is within reach.
TEST_P(GunFitRecovery, GivesTheParametersOfTheGunThatMadeTheShotsBack) {
    const RecoveryCase& c = GetParam();
    GunParameterTexts truth = ExampleGunTexts();
    std::vector<GunParameter> free;
    for (const FreeValue& v : c.truth) {
        truth[static_cast<size_t>(Index(v.parameter))] = NumberToField(v.value, '.');
        free.push_back(v.parameter);
    }
    using namespace PelletUnits;
    std::string csv = c.imperial ? "shot,bullet_weight_gr,velocity_fps\n"
                                 : "shot,bullet_weight_g,velocity_m_s\n";
    for (const double pellet : c.pellets) {
        const double velocity = ComputedVelocity(truth, c.imperial ? pellet * GramsPerGrain : pellet);
        for (int shot = 0; shot < 2; ++shot) {
            csv += FormatReport("%d,%.17g,%.17g\n", shot, pellet,
                                c.imperial ? velocity / MetresPerFoot : velocity);
        }
    }

    const GunFit fit = FitGunToShots(ExampleGunTexts(), free, ReadChronographShots(csv, "shots"));
    ASSERT_EQ(fit.freeParameters.size(), c.truth.size());
    for (const FreeValue& v : c.truth) {
        const double fitted = FieldToNumber(fit.gun[static_cast<size_t>(Index(v.parameter))], '.');
        EXPECT_NEAR(fitted, v.value, 0.001 * v.value) << InfoOf(v.parameter).fieldName;
    }
    EXPECT_LT(fit.rmsResidual, 0.05);  // m/s
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(, GunFitRecovery, testing::Values(
    RecoveryCase{"OneParameterInGrams",   {{MaximumForce, 430}},                         {0.45, 0.53, 0.68},         false},
    RecoveryCase{"OneParameterInGrains",  {{BarrelFriction, 0.93}},                      {7.0, 8.2, 10.5},           true},
    RecoveryCase{"TwoParametersInGrams",  {{MaximumForce, 415}, {PistonWeight, 0.18}},   {0.34, 0.53, 0.68, 1.03},   false},
    RecoveryCase{"TwoParametersInGrains", {{MaximumForce, 371.3}, {BarrelFriction, 1.13}}, {5.25, 8.18, 10.49, 15.89}, true}),
    [](const testing::TestParamInfo<RecoveryCase>& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
