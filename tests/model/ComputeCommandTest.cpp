#include "model/ComputeCommand.h"

#include <gtest/gtest.h>

#include <memory>

#include "common/CommandErrors.h"
#include "tests/support/ExampleGun.h"

namespace {

using enum GunParameter;

class ComputeCommand : public testing::Test {
protected:
    // The message the command ends with, or "" when it completes.
    std::string Compute(const GunParameterTexts& texts) {
        try {
            SimulateShotFromFields(texts, '.', inputs, *result);
            SummarizeShot(inputs, *result);
        } catch (const CommandFailure& failure) {
            return failure.what();
        }
        return "";
    }

    ModelInputs inputs;
    std::unique_ptr<SimulationResult> result = std::make_unique<SimulationResult>();
};

TEST_F(ComputeCommand, SummarizesTheExampleGunInSevenLines) {
    ASSERT_EQ(Compute(ExampleGunTexts()), "");
    const auto lines = SummaryLines(*result);
    EXPECT_EQ(lines[0], std::string(53, '-'));
    EXPECT_EQ(lines[1], " Computation Steps:     " + std::to_string(result->LastIndex) + " ");
    // About 205 m/s for a 0.5 g pellet: about 10.5 J.
    EXPECT_EQ(lines[5].substr(0, 25), " Bullet Velocity:        ");
    EXPECT_NEAR(std::stod(lines[5].substr(25)), 205, 0.5);
    EXPECT_EQ(lines[5].substr(lines[5].size() - 5), "  m/s");
    EXPECT_NEAR(result->BulletEnergy, 0.5 * 0.0005 * 205 * 205, 0.3);
    EXPECT_EQ(lines[6], " Bullet Energy:             " +
                            std::string(lines[6].substr(28, lines[6].size() - 31)) + "  J");
    EXPECT_EQ(lines[2].find(" Maximum Pressure: "), 0u);
    EXPECT_EQ(lines[3].find(" Max. Piston Velocity: "), 0u);
    EXPECT_EQ(lines[4].find(" Max. Temperature:    "), 0u);
    // Every number is written with a point, even in the decimal-comma run of the suite.
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find(','), std::string::npos) << line;
    }
}

TEST_F(ComputeCommand, ConvertsTheCountedEntriesToDisplayUnitsAndNoMore) {
    ASSERT_EQ(Compute(ExampleGunTexts()), "");
    const auto last = static_cast<size_t>(result->LastIndex);
    EXPECT_DOUBLE_EQ(result->Time[0], 0.01);  // ms
    EXPECT_NEAR(result->Time[last], (last + 1) * 0.01, 1e-9);
    // mm, short of the muzzle by less than one step's travel (about 2 mm at 205 m/s)
    EXPECT_LT(result->BulletTravel[last], 450);
    EXPECT_GT(result->BulletTravel[last], 447.9);
    EXPECT_LT(result->Pressure[0], 0.1);  // MPa, just below ambient
    EXPECT_GT(result->Pressure[0], 0.098);
    // The step that reached the muzzle keeps the engine's units.
    EXPECT_GE(result->BulletTravel[last + 1], 0.45);
    EXPECT_LT(result->BulletTravel[last + 1], 1);
}

TEST_F(ComputeCommand, LeavesOutTheLastCountedEntryFromTheMaxima) {
    result->LastIndex = 3;
    result->Pressure = {};
    result->Pressure[0] = 1;
    result->Pressure[1] = 7;
    result->Pressure[3] = 9;  // the last counted entry is not examined
    result->PistonVelocity[0] = -2;
    result->Temperature[2] = 300;
    result->BulletVelocity[3] = 200;
    inputs.BulletMass = 0.0005;
    SummarizeShot(inputs, *result);
    EXPECT_EQ(result->MaximumPressure, 7);
    EXPECT_EQ(result->MaximumPistonVelocity, 0);  // all entries at or below 0 give 0
    EXPECT_EQ(result->MaximumTemperature, 300);
    EXPECT_DOUBLE_EQ(result->BulletEnergy, 10);
}

TEST_F(ComputeCommand, ABulletOutAfterTheFirstStepReportsThatStepsVelocity) {
    ASSERT_EQ(Compute(ExampleGunWith({{BarrelLength, "1e-9"},
                                      {InitialPressure, "1e-9"},
                                      {MinimumForce, "20000"},
                                      {MaximumForce, "40000"},
                                      {ComputationStep, "0.2"}})),
              "");
    ASSERT_EQ(result->LastIndex, -1);
    EXPECT_EQ(MuzzleVelocity(*result), result->BulletVelocity[0]);
    EXPECT_GT(MuzzleVelocity(*result), 0);
    EXPECT_DOUBLE_EQ(result->BulletEnergy, 0.5 * inputs.BulletMass * result->BulletVelocity[0] *
                                               result->BulletVelocity[0]);
    EXPECT_EQ(result->MaximumPressure, 0);
    EXPECT_EQ(SummaryLines(*result)[1], " Computation Steps:       -1 ");
}

TEST_F(ComputeCommand, AFailedCheckLeavesTheEarlierResultUntouched) {
    ASSERT_EQ(Compute(ExampleGunTexts()), "");
    const auto before = std::make_unique<SimulationResult>(*result);
    GunParameterTexts allZero;
    allZero.fill("0");
    EXPECT_EQ(Compute(allZero), "One or more Parameters out of range.");
    EXPECT_EQ(Compute(ExampleGunWith({{BulletWeight, "0,5"}})),
              "'0,5' is not a valid floating point value");
    EXPECT_EQ(result->LastIndex, before->LastIndex);
    EXPECT_EQ(result->Time, before->Time);
    EXPECT_EQ(result->MaximumPressure, before->MaximumPressure);
}

TEST_F(ComputeCommand, TheStepLimitKeepsTheLastIndexAndSummaryButNotTheSeries) {
    ASSERT_EQ(Compute(ExampleGunTexts()), "");
    const int lastIndex = result->LastIndex;
    const double energy = result->BulletEnergy;
    EXPECT_EQ(Compute(ExampleGunWith({{ComputationStep, "0.001"}})),
              "Maximum Number of Steps was reached. Increase Step.");
    EXPECT_EQ(result->LastIndex, lastIndex);
    EXPECT_EQ(result->BulletEnergy, energy);
    EXPECT_DOUBLE_EQ(result->Time[0], 1e-6);  // overwritten, in the engine's seconds
}

TEST_F(ComputeCommand, AFloatingPointFaultInTheRunEndsWithItsMessage) {
    ASSERT_EQ(Compute(ExampleGunTexts()), "");
    const int lastIndex = result->LastIndex;
    EXPECT_EQ(Compute(ExampleGunWith({{ComputationStep, "100"}})),
              "Invalid floating point operation");
    EXPECT_EQ(result->LastIndex, lastIndex);
}

}  // namespace
