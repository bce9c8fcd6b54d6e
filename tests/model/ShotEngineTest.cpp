#include "model/ShotEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "tests/support/ExampleGun.h"

namespace {

using enum GunParameter;

class ShotEngine : public testing::Test {
protected:
    std::unique_ptr<SimulationResult> result = std::make_unique<SimulationResult>();
};

TEST_F(ShotEngine, StartsWithTheAirJustBelowAmbientAndThePistonAccelerating) {
    const ModelInputs in = CompletedInputsOf(ExampleGunTexts());
    const ShotState y = InitialShotState(in);
    // Figures quoted to one decimal; the tolerance is half a unit of that decimal.
    EXPECT_NEAR(y[PressureVolumeComponent] / AirVolume(y, in), 98774.9, 0.05);
    EXPECT_NEAR(StateDerivative(PistonVelocityComponent, y, in), 1717.3, 0.05);
    EXPECT_NEAR(StateDerivative(BulletVelocityComponent, y, in), -37.8, 0.05);
    // p_a / (1.293 × 287) at 0.1 MPa
    EXPECT_NEAR(::AirTemperature(y, in), 269.48, 0.005);
    EXPECT_EQ(StateDerivative(PistonTravelComponent, y, in), 0);
    EXPECT_EQ(StateDerivative(5, y, in), 0);
    EXPECT_EQ(StateDerivative(-1, y, in), 0);
}

TEST_F(ShotEngine, InitialTemperatureFollowsTheAmbientPressure) {
    const ModelInputs in = CompletedInputsOf(ExampleGunWith({{AirPressure, "0.101325"}}));
    EXPECT_NEAR(::AirTemperature(InitialShotState(in), in), 273.05, 0.005);
}

TEST_F(ShotEngine, TheExampleGunLeavesTheMuzzleAtAbout205MetresPerSecond) {
    const ModelInputs in = CompletedInputsOf(ExampleGunTexts());
    const ShotOutcome outcome = ComputeShot(in, *result);
    ASSERT_EQ(outcome.end, ShotEnd::Completed);
    // "About 205 m/s after about 1 170 counted steps": the figures are rounded, so allow
    // half a metre per second and the neighbouring steps.
    EXPECT_NEAR(result->LastIndex, 1170, 2);
    EXPECT_NEAR(result->BulletVelocity[static_cast<size_t>(result->LastIndex)], 205, 0.5);
    // The entry after LastIndex is the step that reached the muzzle; LastIndex did not.
    const auto last = static_cast<size_t>(result->LastIndex);
    EXPECT_GE(result->BulletTravel[last + 1], in.BarrelEnd);
    EXPECT_LT(result->BulletTravel[last], in.BarrelEnd);
    EXPECT_EQ(result->Time[last + 2], 0);  // nothing written past the end
}

TEST_F(ShotEngine, RecordsTheTimeAtTheEndOfEachStep) {
    const ModelInputs in = CompletedInputsOf(ExampleGunTexts());
    ComputeShot(in, *result);
    EXPECT_DOUBLE_EQ(result->Time[0], 1e-5);
    EXPECT_DOUBLE_EQ(result->Time[99], 100e-5);
    EXPECT_LT(result->Pressure[0], in.AmbientPressure);
    EXPECT_GT(result->Pressure[0], 0.98 * in.AmbientPressure);
}

TEST_F(ShotEngine, HoldsTheBulletUntilTheStartPressureAndNeverAgain) {
    const ModelInputs in = CompletedInputsOf(ExampleGunTexts());
    ComputeShot(in, *result);
    const double release = in.AmbientPressure + in.StartPressure;
    size_t n = 0;
    for (; result->Pressure[n] < release; ++n) {
        EXPECT_EQ(result->BulletTravel[n], 0) << n;
        EXPECT_EQ(result->BulletVelocity[n], 0) << n;
    }
    EXPECT_GT(n, 0u);
    EXPECT_GT(result->BulletVelocity[n + 5], 0);
    // After the release the pressure falls below the start pressure and the bullet moves on.
    const auto last = static_cast<size_t>(result->LastIndex);
    for (size_t i = n + 1; i <= last; ++i) {
        ASSERT_GT(result->BulletTravel[i], 0) << i;
    }
}

TEST_F(ShotEngine, StopsThePistonAtTheEndOfTheCylinderAndLetsItRebound) {
    // The example gun's piston comes to rest on its air cushion short of the end; a spring
    // ten times as strong drives it into the end.
    const ModelInputs in =
        CompletedInputsOf(ExampleGunWith({{MinimumForce, "2000"}, {MaximumForce, "4000"}}));
    ComputeShot(in, *result);
    bool stopped = false;
    bool reboundAfterStop = false;
    for (int n = 0; n <= result->LastIndex; ++n) {
        const auto i = static_cast<size_t>(n);
        ASSERT_LE(result->PistonTravel[i], in.Stroke) << n;
        stopped = stopped || result->PistonTravel[i] == in.Stroke;
        reboundAfterStop = reboundAfterStop || (stopped && result->PistonVelocity[i] < 0);
    }
    EXPECT_TRUE(stopped);
    EXPECT_TRUE(reboundAfterStop);
}

TEST_F(ShotEngine, ATooSmallStepRunsIntoTheStepLimitAndKeepsTheLastIndex) {
    const ModelInputs in = CompletedInputsOf(ExampleGunWith({{ComputationStep, "0.001"}}));
    result->LastIndex = 77;
    EXPECT_EQ(ComputeShot(in, *result).end, ShotEnd::StepLimitReached);
    EXPECT_EQ(result->LastIndex, 77);
    EXPECT_GT(result->Time[StepLimit], 0);  // entries 0 … 10 000 are written
    EXPECT_EQ(result->Time[StepLimit + 1], 0);
}

TEST_F(ShotEngine, AStartPressureNeverReachedKeepsTheBulletAtRest) {
    const ModelInputs in = CompletedInputsOf(ExampleGunWith({{InitialPressure, "1000"}}));
    EXPECT_EQ(ComputeShot(in, *result).end, ShotEnd::StepLimitReached);
    // The run ends at step 10 000 before that step's hold, so its entry is left as integrated.
    for (size_t n = 0; n < StepLimit; ++n) {
        ASSERT_EQ(result->BulletTravel[n], 0) << n;
    }
}

TEST_F(ShotEngine, ABulletAtTheMuzzleAfterTheFirstStepLeavesNoCountedEntry) {
    const ModelInputs in = CompletedInputsOf(ExampleGunWith({{BarrelLength, "1e-9"},
                                                             {InitialPressure, "1e-9"},
                                                             {MinimumForce, "20000"},
                                                             {MaximumForce, "40000"},
                                                             {ComputationStep, "0.2"}}));
    EXPECT_EQ(ComputeShot(in, *result).end, ShotEnd::Completed);
    EXPECT_EQ(result->LastIndex, -1);
}

TEST_F(ShotEngine, ARootOfANegativeNumberEndsTheRunInOrder) {
    // A step far too large makes the column loss exceed the squared pressure.
    const ModelInputs in = CompletedInputsOf(ExampleGunWith({{ComputationStep, "100"}}));
    result->LastIndex = 77;
    constexpr double Unwritten = -1;
    result->Pressure.fill(Unwritten);
    const ShotOutcome outcome = ComputeShot(in, *result);
    EXPECT_EQ(outcome.end, ShotEnd::FloatingPointFault);
    EXPECT_EQ(outcome.fault, FloatingPointFault::InvalidOperation);
    EXPECT_EQ(result->LastIndex, 77);
    // The steps before the faulting one are written, and nothing from it on: no entry holds
    // what the failed arithmetic gave.
    const auto firstUnwritten =
        std::find(result->Pressure.begin(), result->Pressure.end(), Unwritten);
    EXPECT_TRUE(std::all_of(result->Pressure.begin(), firstUnwritten,
                            [](double p) { return std::isfinite(p); }));
    EXPECT_TRUE(std::all_of(firstUnwritten, result->Pressure.end(),
                            [](double p) { return p == Unwritten; }));
}

TEST_F(ShotEngine, RunsAgainIntoTheSameResultWithTheSameFigures) {
    const ModelInputs in = CompletedInputsOf(ExampleGunTexts());
    ComputeShot(in, *result);
    const auto first = std::make_unique<SimulationResult>(*result);
    ComputeShot(CompletedInputsOf(ExampleGunWith({{ComputationStep, "0.001"}})), *result);
    ComputeShot(in, *result);
    ASSERT_EQ(result->LastIndex, first->LastIndex);
    for (size_t n = 0; n <= static_cast<size_t>(first->LastIndex) + 1; ++n) {
        ASSERT_EQ(result->BulletVelocity[n], first->BulletVelocity[n]) << n;
        ASSERT_EQ(result->Pressure[n], first->Pressure[n]) << n;
    }
}

}  // namespace

#include "tests/model/AllocationCounter.h"

TEST(ShotEngineMemory, ARunAllocatesNothing) {
    const auto result = std::make_unique<SimulationResult>();
    ModelInputs in;
    ReadModelInputs(ExampleGunTexts(), '.', in);
    CompleteModelInputs(in);
    const AllocationCounter allocations;
    ComputeShot(in, *result);
    EXPECT_EQ(allocations.Count(), 0);
}
