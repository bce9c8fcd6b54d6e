#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

#include "model/EnergyBudget.h"
#include "model/ExtendedShot.h"
#include "model/ShotBatch.h"
#include "model/ShotEngine.h"
#include "model/SmoothShot.h"
#include "tests/support/ExampleGun.h"

namespace {

using enum GunParameter;

struct ExtendedInputs {
    double portDiameter = 0;  // mm
    double portLength = 22;   // mm
    double restitution = 0;
    double gasRamExponent = 0;
    double airTemperature = 0;  // K
};

// The gun's inputs with the extended model's five set as a report's texts would give them.
ModelInputs InputsWith(const GunParameterTexts& texts, const ExtendedInputs& extended) {
    ModelInputs in;
    ReadModelInputs(texts, '.', in);
    ValidateModelInputs(in);
    in.PortDiameter = extended.portDiameter * 0.001;
    in.PortLength = extended.portLength * 0.001;
    in.PistonRestitution = extended.restitution;
    in.GasRamExponent = extended.gasRamExponent;
    in.AirTemperature = extended.airTemperature;
    CompleteModelInputs(in);
    return in;
}

// The extended model's designed run, without the dispatch that sends neutral inputs to the
// basic model's code: the bullet velocity of the last counted step.
double ExtendedDesignedMuzzleVelocity(const ModelInputs& in) {
    ExtendedShotStepper stepper(in);
    double lastCounted = 0;
    for (;;) {
        ExtendedEntry entry{};
        const ExtendedShotStepper::Next next = stepper.Step(entry);
        if (next == ExtendedShotStepper::Next::MuzzleReached) {
            return lastCounted;
        }
        if (next == ExtendedShotStepper::Next::StepLimitReached) {
            return NAN;
        }
        lastCounted = entry.basic.bulletVelocity;
    }
}

TEST(ExtendedModel, NeutralValuesAreTheBasicModel) {
    const ModelInputs basic = CompletedInputsOf(ExampleGunTexts());
    const ModelInputs neutral = InputsWith(ExampleGunTexts(), {});
    ASSERT_FALSE(UsesExtendedModel(neutral));
    auto scratch = std::make_unique<SimulationResult>();
    EXPECT_EQ(ComputeShotFiguresOneByOne(neutral, *scratch),
              ComputeShotFiguresOneByOne(basic, *scratch));
    EXPECT_EQ(ComputeSmoothShotFigures(neutral), ComputeSmoothShotFigures(basic));
    // The extended equations at the neutral values are the basic model's, up to rounding.
    EXPECT_NEAR(ExtendedDesignedMuzzleVelocity(neutral),
                ComputeShotFiguresOneByOne(basic, *scratch).muzzleVelocity, 1e-7);
}

TEST(ExtendedModel, APortFarWiderThanTheBoreIsTheBasicModel) {
    // 10 mm on the 4.5 mm bore: almost five times its area.
    const GunParameterTexts gun = ExampleGunWith({{ComputationStep, "0.00125"}});
    const ShotFigures wide = ComputeSmoothShotFigures(InputsWith(gun, {.portDiameter = 10}));
    const ShotFigures basic = ComputeSmoothShotFigures(CompletedInputsOf(gun));
    ASSERT_EQ(wide.failure, "");
    EXPECT_NEAR(wide.muzzleVelocity / basic.muzzleVelocity, 1, 0.005);
    // At the example gun's step the same port's filling is not resolved.
    EXPECT_EQ(ComputeSmoothShotFigures(InputsWith(ExampleGunTexts(), {.portDiameter = 10})).failure,
              "Step too coarse for the transfer port, which fills in 0.0141 ms: use a "
              "Computation Step of at most 0.0017 ms.");
}

// The orifice formula as written, with its two powers, from one side's pressure and
// temperature to the other's.
double OrificeFlow(double area, double kappa, double pUp, double tUp, double pDown) {
    const double r = pDown / pUp;
    const double critical = std::pow(2 / (kappa + 1), kappa / (kappa - 1));
    const double psi = r <= critical
                           ? std::pow(2 / (kappa + 1), (kappa + 1) / (2 * (kappa - 1)))
                           : std::sqrt(2 / (kappa - 1) *
                                       (std::pow(r, 2 / kappa) - std::pow(r, (kappa + 1) / kappa)));
    return area * pUp * std::sqrt(kappa / (287 * tUp)) * psi;
}

TEST(ExtendedModel, ThePortsMassFlowIsTheOrificesAtEveryStep) {
    const ModelInputs in = InputsWith(ExampleGunTexts(), {.portDiameter = 2});
    auto result = std::make_unique<SimulationResult>();
    auto port = std::make_unique<PortSeries>();
    ASSERT_EQ(ComputeShot(in, *result, port.get()).end, ShotEnd::Completed);
    const double area = std::numbers::pi / 4 * 0.002 * 0.002;
    double largestFlow = 0;
    for (int n = 0; n <= result->LastIndex; ++n) {
        const auto i = static_cast<size_t>(n);
        const double pc = result->Pressure[i];
        const double pr = port->BreechPressure[i];
        const bool out = pc >= pr;
        const double pUp = out ? pc : pr;
        const double tUp = out ? result->Temperature[i] : port->BreechTemperature[i];
        const double expected =
            (out ? 1 : -1) * OrificeFlow(area, in.Kappa, pUp, tUp, out ? pr : pc);
        // Near equal pressures both forms cancel: the tolerance scales with the choked flow.
        const double choked = OrificeFlow(area, in.Kappa, pUp, tUp, 0);
        ASSERT_NEAR(port->PortMassFlow[i], expected, 1e-9 * choked) << n;
        largestFlow = std::max(largestFlow, std::abs(expected));
    }
    EXPECT_GT(largestFlow, 1e-3);  // kg/s: the port did carry the shot
}

// The fitted flow function against the formula with its two powers, worked out in long double,
// over the subsonic ratios for exponents from the isothermal limit to 2.
TEST(ExtendedModel, TheFittedFlowFunctionIsTheOrificeFormulas) {
    for (const double kappa : {1.0, 1.2, 1.4, 5.0 / 3, 2.0}) {
        ModelInputs in = InputsWith(ExampleGunTexts(), {.portDiameter = 2});
        in.Kappa = kappa;
        const ExtendedCoefficients c = ExtendedCoefficientsOf(in);
        ASSERT_EQ(c.subsonicFitted, 1) << kappa;
        const long double k = kappa;
        const double choked = static_cast<double>(
            kappa == 1 ? std::exp(-1.0L) : std::pow(2 / (k + 1), (k + 1) / (k - 1)));
        EXPECT_NEAR(c.chokedFlowFunctionSquared, choked, 1e-16) << kappa;
        for (int i = 1; i < 1000; ++i) {
            const long double r = c.criticalRatio + (1 - c.criticalRatio) * i / 1000.0L;
            const long double exact =
                kappa == 1 ? -2 * r * r * std::log(r)
                           : 2 / (k - 1) * (std::pow(r, 2 / k) - std::pow(r, (k + 1) / k));
            EXPECT_NEAR(SubsonicFlowFunctionSquared(static_cast<double>(r), c),
                        static_cast<double>(exact), 1e-13 * choked)
                << kappa << " " << static_cast<double>(r);
        }
    }
}

// The power the gas ram raises to, which the orifice raises to outside the fitted exponents,
// against the C library's over the ratios and exponents they raise.
TEST(ExtendedModel, ThePowerIsTheLibrarysWithinAFewUnitsInTheLastPlace) {
    for (double x = 0.01; x < 2; x *= 1.0173) {
        for (const double y : {0.0, 0.5, 1 / 1.4, 1.0, 1.3, 1.67}) {
            const double expected = std::pow(x, y);
            EXPECT_NEAR(Power(x, y), expected,
                        8 * (std::nextafter(expected, 2.0 * expected) - expected))
                << x << "^" << y;
        }
    }
    EXPECT_EQ(Power(1.0, 1 / 1.4), 1.0);
    EXPECT_EQ(Power(0.0, 1 / 1.4), 0.0);
    EXPECT_TRUE(std::isnan(Power(-0.5, 1 / 1.4)));
}

TEST(ExtendedModel, TheGasRamsForceEndsAtTheMaximumAndMinimumForces) {
    const ModelInputs in = InputsWith(ExampleGunTexts(), {.gasRamExponent = 1.4});
    const ExtendedCoefficients c = ExtendedCoefficientsOf(in);
    EXPECT_NEAR(GasRamForce(0.0, c), 400, 400 * 1e-12);
    EXPECT_NEAR(GasRamForce(in.Stroke, c), 200, 200 * 1e-12);
}

struct BudgetCase {
    const char* name;
    GunParameterTexts gun;
    ExtendedInputs extended;
    double largestResidualShare;  // of spring_work
};

void PrintTo(const BudgetCase& budgetCase, std::ostream* out) {
    *out << budgetCase.name;
}

double ResidualShare(const ModelInputs& in) {
    const EnergyBudget budget = ComputeEnergyBudget(in);
    EXPECT_EQ(budget.failure, "");
    if (budget.terms.empty()) {
        return NAN;
    }
    return std::abs(budget.terms.back().energy / budget.terms.front().energy);
}

class EnergyBudgetCloses : public testing::TestWithParam<BudgetCase> {};

// The budget's residual stays below its share of spring_work and falls as the step is halved.
TEST_P(EnergyBudgetCloses, AndItsResidualFallsWithTheStep) {
    const BudgetCase& budgetCase = GetParam();
    ModelInputs in = InputsWith(budgetCase.gun, budgetCase.extended);
    const double coarse = ResidualShare(in);
    EXPECT_LT(coarse, budgetCase.largestResidualShare);
    in.TimeStep /= 2;
    EXPECT_LT(ResidualShare(in), coarse);
}

const GunParameterTexts AlmostFrictionless =
    ExampleGunWith({{PistonFriction, "1e-6"}, {BarrelFriction, "1"}, {ComputationStep, "0.0025"}});
const GunParameterTexts StrongSpring =
    ExampleGunWith({{MinimumForce, "400"}, {MaximumForce, "800"}});

INSTANTIATE_TEST_SUITE_P(
    ExtendedModel, EnergyBudgetCloses,
    testing::Values(BudgetCase{"ExampleGun", ExampleGunTexts(), {}, 1e-3},
                    BudgetCase{"AlmostFrictionless", AlmostFrictionless, {}, 1e-6},
                    BudgetCase{"PortRamAndWarmAir",
                               StrongSpring,
                               {.portDiameter = 2, .gasRamExponent = 1.3, .airTemperature = 293},
                               1e-5},
                    // The piston hits the end of the cylinder at speed.
                    BudgetCase{"Rebound", StrongSpring, {.restitution = 0.5}, 1e-7}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
