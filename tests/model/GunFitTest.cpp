#include "model/GunFit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/CommandErrors.h"
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
    std::vector<FreeValue> start = {};  // where the fit starts if not at the example gun's value
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
    std::string csv =
        c.imperial ? "shot,bullet_weight_gr,velocity_fps\n" : "shot,bullet_weight_g,velocity_m_s\n";
    for (const double pellet : c.pellets) {
        const double velocity =
            ComputedVelocity(truth, c.imperial ? pellet * GramsPerGrain : pellet);
        for (int shot = 0; shot < 2; ++shot) {
            csv += FormatReport("%d,%.17g,%.17g\n", shot, pellet,
                                c.imperial ? velocity / MetresPerFoot : velocity);
        }
    }

    GunParameterTexts start = ExampleGunTexts();
    for (const FreeValue& v : c.start) {
        start[static_cast<size_t>(Index(v.parameter))] = NumberToField(v.value, '.');
    }
    const GunFit fit = FitGunToShots(start, free, ReadChronographShots(csv, "shots"));
    ASSERT_EQ(fit.parameters.size(), c.truth.size());
    for (const FreeValue& v : c.truth) {
        const double fitted = FieldToNumber(fit.gun[static_cast<size_t>(Index(v.parameter))], '.');
        EXPECT_NEAR(fitted, v.value, 0.001 * v.value) << FieldNameOf(v.parameter);
    }
    EXPECT_LT(fit.rmsResidual, 0.05);  // m/s
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(, GunFitRecovery, testing::Values(
    RecoveryCase{"OneParameterInGrams",   {{MaximumForce, 430}},                         {0.45, 0.53, 0.68},         false},
    RecoveryCase{"OneParameterInGrains",  {{BarrelFriction, 0.93}},                      {7.0, 8.2, 10.5},           true},
    RecoveryCase{"TwoParametersInGrams",  {{MaximumForce, 415}, {PistonWeight, 0.18}},   {0.34, 0.53, 0.68, 1.03},   false},
    RecoveryCase{"TwoParametersInGrains", {{MaximumForce, 371.3}, {BarrelFriction, 1.13}}, {5.25, 8.18, 10.49, 15.89}, true},
    RecoveryCase{"TransferPortInGrams",   {{PortDiameter, 2}},                           {0.45, 0.53, 0.67},         false, {{PortDiameter, 2.6}}}),
    [](const testing::TestParamInfo<RecoveryCase>& info) { return std::string(info.param.name); });
// clang-format on

struct ScatterCase {
    const char* name;
    double scatter;  // m/s, added to and taken from the computed velocity, alternately
    int shots;       // of the one pellet
};

class GunFitStandardError : public testing::TestWithParam<ScatterCase> {};

// With one pellet and one free parameter the fit can only match the shots' mean, so one
// standard error of the parameter must move the computed velocity by the standard error of
// that mean, s/√n: a statistical fact that owes nothing to the fit's own formulas. The
// designed velocity's jumps (about 0.1 m/s) against the 1.2 m/s and more moved here explain
// the 10 % allowed.
TEST_P(GunFitStandardError, MovesTheVelocityByTheStandardErrorOfTheShotsMean) {
    const ScatterCase& c = GetParam();
    const double pellet = 0.53;  // g
    const double truth = ComputedVelocity(ExampleGunWith({{MaximumForce, "415"}}), pellet);
    std::vector<MeasuredShot> shots;
    for (int shot = 0; shot < c.shots; ++shot) {
        shots.push_back({pellet, truth + (shot % 2 ? c.scatter : -c.scatter)});
    }
    const GunParameter free[] = {MaximumForce};
    const GunFit fit = FitGunToShots(ExampleGunTexts(), free, shots);
    ASSERT_TRUE(fit.parameters[0].standardError);
    const double fitted = fit.parameters[0].fittedValue;
    const double error = *fit.parameters[0].standardError;
    const auto velocityWith = [&](double maximumForce) {
        return ComputedVelocity(ExampleGunWith({{MaximumForce, NumberToField(maximumForce, '.')}}),
                                pellet);
    };
    const double moved = (velocityWith(fitted + error) - velocityWith(fitted - error)) / 2;
    const double n = c.shots;
    const double sampleSpread = c.scatter * std::sqrt(n / (n - 1));
    EXPECT_NEAR(moved, sampleSpread / std::sqrt(n), 0.1 * sampleSpread / std::sqrt(n));
    EXPECT_FALSE(fit.IsPoor());  // the residual is the scatter itself
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(, GunFitStandardError, testing::Values(
    ScatterCase{"FourShots",  3.0, 4},
    ScatterCase{"EightShots", 2.0, 8}),
    [](const testing::TestParamInfo<ScatterCase>& info) { return std::string(info.param.name); });
// clang-format on

// The piston's friction force is its friction coefficient times the packing's thickness: the
// shots can only settle the product, and the fit must say so rather than report two values.
TEST(GunFit, NamesParametersThatActOnlyTogether) {
    const GunParameterTexts truth = ExampleGunWith({{PistonFriction, "0.12"}});
    std::vector<MeasuredShot> shots;
    for (const double pellet : {0.45, 0.68}) {
        shots.push_back({pellet, ComputedVelocity(truth, pellet)});
    }
    const GunParameter free[] = {PackingThickness, PistonFriction};
    const GunFit fit = FitGunToShots(ExampleGunTexts(), free, shots);
    ASSERT_EQ(fit.indistinguishable.size(), 1u);
    EXPECT_EQ(fit.indistinguishable[0], std::make_pair(size_t{0}, size_t{1}));
    EXPECT_EQ(fit.parameters[0].parameter, PackingThickness);  // in the order given
}

// A factor of four about the start would take a restitution to 1 and beyond, a gas ram's
// exponent below 1 and above 1.67, where every shot is refused: the search keeps inside.
TEST(GunFit, SearchesARestitutionAndAGasRamOnlyOverTheValuesTheyAccept) {
    const GunParameterTexts gun =
        ExampleGunWith({{PistonRestitution, "0.6"}, {GasRamExponent, "1.6"}});
    std::vector<MeasuredShot> shots;
    for (const double pellet : {0.45, 0.68}) {
        shots.push_back({pellet, 0.99 * ComputedVelocity(gun, pellet)});
    }
    const GunParameter free[] = {PistonRestitution, GasRamExponent};
    const GunFit fit = FitGunToShots(gun, free, shots);
    EXPECT_NEAR(fit.parameters[0].searchedFrom, 0.15, 1e-12);
    EXPECT_LT(fit.parameters[0].searchedTo, 1);
    EXPECT_GE(fit.parameters[1].searchedFrom, 1);
    EXPECT_LE(fit.parameters[1].searchedTo, 1.67);
}

// Velocities no gun reaches make every sum of squares infinite; the fit must end with a
// message instead of reporting an infinite RMS residual as a result.
TEST(GunFit, RefusesShotsWhoseResidualsAreNotFinite) {
    const MeasuredShot shots[] = {{0.5, 1e200}, {0.6, 1e200}};
    const GunParameter free[] = {MaximumForce};
    try {
        FitGunToShots(ExampleGunTexts(), free, shots);
        FAIL() << "the fit gave a result";
    } catch (const CommandAbort& abort) {
        EXPECT_EQ(std::string(abort.what()).rfind("The fit has no finite result: ", 0), 0u)
            << abort.what();
    }
}

}  // namespace
