#include "model/ShotBatch.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "common/FieldNumber.h"
#include "model/ShotEngine.h"
#include "model/SmoothShot.h"
#include "tests/support/ExampleGun.h"

namespace {

using enum GunParameter;

class ShotBatch : public testing::Test {
protected:
    std::vector<ShotFigures> OneByOne(const std::vector<ModelInputs>& guns) {
        std::vector<ShotFigures> figures;
        for (const ModelInputs& gun : guns) {
            figures.push_back(ComputeShotFiguresOneByOne(gun, *scratch));
        }
        return figures;
    }

    std::unique_ptr<SimulationResult> scratch = std::make_unique<SimulationResult>();
};

// The lanes of every instruction set this processor runs, each in turn.
class ShotBatchLanes : public ShotBatch, public testing::WithParamInterface<size_t> {
protected:
    std::vector<ShotFigures> Batched(const std::vector<ModelInputs>& guns,
                                     ShotComputation computation = ShotComputation::Designed) {
        std::vector<ShotFigures> figures(guns.size());
        ComputeShotFigures(guns, figures, *scratch, ShotLaneKernels()[GetParam()], computation);
        return figures;
    }
};

INSTANTIATE_TEST_SUITE_P(EveryInstructionSet, ShotBatchLanes,
                         testing::Range(size_t{0}, ShotLaneKernels().size()),
                         [](const testing::TestParamInfo<size_t>& kernel) {
                             std::string name = ShotLaneKernels()[kernel.param].instructionSet;
                             std::erase(name, '-');
                             return name;
                         });

TEST_F(ShotBatch, GivesTheExampleGunTheComputeCommandsSummary) {
    const ModelInputs gun = CompletedInputsOf(ExampleGunTexts());
    const ShotFigures figures = ComputeShotFiguresOneByOne(gun, *scratch);
    EXPECT_EQ(figures.failure, "");
    EXPECT_EQ(figures.lastIndex, scratch->LastIndex);
    EXPECT_NEAR(figures.muzzleVelocity, 205, 0.5);
    EXPECT_EQ(figures.bulletEnergy, scratch->BulletEnergy);
    EXPECT_EQ(figures.maximumPressure, scratch->MaximumPressure);
}

// Shots of every kind side by side: of different lengths, at the step limit, failing in their
// arithmetic, out after one step; fewer and more shots than lanes.
TEST_P(ShotBatchLanes, GivesEveryShotTheFiguresItGetsAlone) {
    std::vector<ModelInputs> guns;
    std::mt19937 random(7);
    std::uniform_real_distribution<double> spread(0.6, 1.6);
    for (int i = 0; i < 40; ++i) {
        guns.push_back(CompletedInputsOf(ExampleGunWith({
            {PistonStroke, NumberToField(60 * spread(random), '.')},
            {MaximumForce, NumberToField(400 * spread(random), '.')},
            {BulletWeight, NumberToField(0.5 * spread(random), '.')},
            {ComputationStep, NumberToField(0.01 * spread(random), '.')},
        })));
        if (i % 3 == 1) {  // the extended model: port, gas ram, rebound, air temperature
            guns.push_back(CompletedInputsOf(ExampleGunWith({
                {PortDiameter, NumberToField(2.5 * spread(random), '.')},
                {GasRamExponent, i % 2 == 0 ? "1.3" : "0"},
                {PistonRestitution, i % 5 == 1 ? "0.4" : "0"},
                {AirTemperature, i % 7 == 1 ? "293" : "0"},
                {MaximumForce, NumberToField(400 * spread(random), '.')},
            })));
        }
        if (i % 9 == 3) {
            guns.push_back(
                CompletedInputsOf(ExampleGunWith({{ComputationStep, "0.001"}})));  // step limit
            guns.push_back(CompletedInputsOf(ExampleGunWith(
                {{PortDiameter, "8"}, {PistonRestitution, "0.3"}})));  // refused: step too coarse
            guns.push_back(CompletedInputsOf(ExampleGunWith(
                {{PortDiameter, "2"}, {AdiabaticExponent, "2.5"}})));  // alone: flow not fitted
        }
        if (i % 11 == 5) {
            guns.push_back(
                CompletedInputsOf(ExampleGunWith({{ComputationStep, "100"}})));  // arithmetic fails
        }
    }
    guns.push_back(
        CompletedInputsOf(ExampleGunWith({{BarrelLength, "1e-9"},
                                          {InitialPressure, "1e-9"},
                                          {MinimumForce, "20000"},
                                          {MaximumForce, "40000"},
                                          {ComputationStep, "0.2"}})));  // out after one step
    const std::vector<ShotFigures> expected = OneByOne(guns);
    EXPECT_EQ(Batched(guns), expected);
    for (size_t count : {0u, 1u, 3u, 5u, 9u, 17u}) {
        const std::vector<ModelInputs> few(guns.begin(), guns.begin() + static_cast<long>(count));
        EXPECT_EQ(Batched(few), OneByOne(few)) << count;
    }
    EXPECT_EQ(expected.back().lastIndex, -1);
    EXPECT_EQ(expected[2].failure, "");  // an extended shot
    EXPECT_EQ(expected[5].failure, "Maximum Number of Steps was reached. Increase Step.");
    EXPECT_TRUE(expected[6].failure.starts_with("Step too coarse for the transfer port"));

    // The smooth computation, whose steps with events the lanes leave to the shot alone.
    std::vector<ShotFigures> smoothAlone;
    for (const ModelInputs& gun : guns) {
        smoothAlone.push_back(ComputeSmoothShotFigures(gun));
    }
    EXPECT_EQ(Batched(guns, ShotComputation::Smooth), smoothAlone);
    EXPECT_EQ(smoothAlone[5].failure, expected[5].failure);
}

TEST_P(ShotBatchLanes, AFailingShotDoesNotSpoilTheShotsBesideIt) {
    const std::vector<ModelInputs> guns = {
        CompletedInputsOf(ExampleGunTexts()),
        CompletedInputsOf(ExampleGunWith({{ComputationStep, "100"}})),
        CompletedInputsOf(ExampleGunWith({{MaximumForce, "500"}})),
        CompletedInputsOf(ExampleGunTexts())};
    const std::vector<ShotFigures> figures = Batched(guns);
    EXPECT_EQ(figures[1].failure, "Invalid floating point operation");
    EXPECT_EQ(figures[0], ComputeShotFiguresOneByOne(guns[0], *scratch));
    EXPECT_EQ(figures[2], ComputeShotFiguresOneByOne(guns[2], *scratch));
    EXPECT_EQ(figures[3], figures[0]);
}

// A bullet so heavy and so braked that the product of its mass factor and its mass overflows:
// the command fails on it from the first step. The batch worked the product out when the shot
// entered a lane, then cleared the flags before the step and ran the shot to the step limit
// with a bullet that never moved.
TEST_P(ShotBatchLanes, OverflowWhileAShotEnteredItsLaneWasLostAndTheShotRanOn) {
    const ModelInputs overflowing =
        CompletedInputsOf(ExampleGunWith({{BulletWeight, "1e200"}, {BarrelFriction, "1e200"}}));
    ASSERT_EQ(ComputeShotFiguresOneByOne(overflowing, *scratch).failure, "Floating point overflow");
    const ModelInputs example = CompletedInputsOf(ExampleGunTexts());
    // Alone, first among others, and entering a lane that another shot left.
    std::vector<ModelInputs> guns = {overflowing, overflowing, example};
    guns.insert(guns.end(), 8, example);
    guns.push_back(overflowing);
    guns.push_back(example);
    EXPECT_EQ(Batched({overflowing}), OneByOne({overflowing}));
    EXPECT_EQ(Batched(guns), OneByOne(guns));
}

}  // namespace
