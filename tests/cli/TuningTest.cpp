#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "common/FieldNumber.h"
#include "model/ComputeCommand.h"
#include "model/PelletTable.h"
#include "tests/cli/CliFixture.h"

namespace {

using enum GunParameter;

class Tuning : public CliFixture {
protected:
    std::string WriteFile(const char* name, const std::string& text) {
        std::ofstream(PathOf(name), std::ios::binary) << text;
        return PathOf(name);
    }
};

struct FitRefusal {
    const char* why;
    const char* gun;  // a report of the fixture
    const char* shots;
    const char* free;
    const char* message;  // the start of standard error, after the file's path for a bad row
};

TEST_F(Tuning, FitRefusesWhatItCannotFitWithStatus1AndSaysWhy) {
    SaveGun("tiny-step.txt", ExampleGunWith({{ComputationStep, "0.001"}}));
    // clang-format off
    const FitRefusal refusals[] = {
        {"two parameters, one pellet", "example.txt", "bullet_weight_g,velocity_m_s\n0.5,200\n0.5,202\n", "MaximumForce,PistonFriction",
         "A fit of 2 parameters needs shots of at least as many pellet weights; the shots have 1.\n"},
        {"every shot fails", "tiny-step.txt", "bullet_weight_g,velocity_m_s\n0.5,200\n0.6,190\n", "MaximumForce",
         "The fit cannot start: every shot of the gun fails (Maximum Number of Steps was reached. Increase Step.)\n"},
        {"a bad row", "example.txt", "bullet_weight_g,velocity_m_s\n0.5,200\n0.6,fast\n", "MaximumForce",
         " line 3: the velocity 'fast' is not a number\n"},
    };
    // clang-format on
    for (const FitRefusal& refusal : refusals) {
        const std::string shots = WriteFile("shots.csv", refusal.shots);
        const CliRun run = Run({"fit", PathOf(refusal.gun), "--chrono", shots, "--free",
                                refusal.free, "--save", PathOf("fitted.txt")});
        EXPECT_EQ(run.status, 1) << refusal.why;
        const std::string expected =
            (refusal.message[0] == ' ' ? shots : std::string()) + refusal.message;
        EXPECT_EQ(run.err.substr(0, expected.size()), expected) << refusal.why;
        EXPECT_EQ(run.out, "") << refusal.why;
        EXPECT_FALSE(QFile::exists(QString::fromStdString(PathOf("fitted.txt")))) << refusal.why;
    }
}

struct FitNotSaved {
    const char* why;
    const char* gun;  // a report of the fixture
    const char* shots;
    const char* free;
    int status;
    const char* message;  // part of standard error
};

// A fit that ran prints its table; when the model cannot reach the shots, or the fitted gun
// cannot shoot the report's own pellet, it must say so plainly and save nothing.
TEST_F(Tuning, FitThatRanButCannotBeSavedPrintsItsTableAndSaysWhyNothingWasSaved) {
    SaveGun("heavy-own-pellet.txt", ExampleGunWith({{BulletWeight, "200"}}));
    // clang-format off
    const FitNotSaved cases[] = {
        {"velocities rising with weight", "example.txt", "bullet_weight_g,velocity_m_s\n0.4,150\n0.4,151\n0.7,190\n0.7,191\n", "MaximumForce", 3,
         "Poor fit: the model does not reach the shots.\n The RMS residual "},
        {"the shots ask for more than the range holds", "example.txt", "bullet_weight_g,velocity_m_s\n0.5,400\n0.6,380\n", "BarrelFriction", 3,
         "BarrelFriction sits at the end of the range searched (0.2625 to 4.2): the shots ask for a value beyond it."},
        {"the report's own pellet fails", "heavy-own-pellet.txt", "bullet_weight_g,velocity_m_s\n0.45,219.2\n0.68,167.4\n", "MaximumForce", 1,
         "The fitted gun cannot shoot its own pellet (the report's 200 g): Maximum Number of Steps was reached."},
    };
    // clang-format on
    for (const FitNotSaved& c : cases) {
        const std::string shots = WriteFile("shots.csv", c.shots);
        const CliRun run = Run({"fit", PathOf(c.gun), "--chrono", shots, "--free", c.free,
                                "--save", PathOf("fitted.txt")});
        EXPECT_EQ(run.status, c.status) << c.why << '\n' << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.why << '\n' << run.err;
        EXPECT_NE(run.err.find("Nothing was saved."), std::string::npos) << c.why;
        EXPECT_EQ(run.out.rfind("Fitted to ", 0), 0u) << c.why;
        EXPECT_FALSE(QFile::exists(QString::fromStdString(PathOf("fitted.txt")))) << c.why;
    }
}

// Each row holds the shot the Compute button gives for the gun with that pellet; the imperial
// columns and the limit follow from it.
TEST_F(Tuning, PelletTableGivesEachWeightTheShotOfTheComputeButton) {
    // The example gun gives about 11.3, 10.5 and 9.4 J: 10.5 J holds the heaviest pellet only,
    // 7.8 ft·lbf (10.58 J) the two heavier ones.
    const CliRun joules =
        Run({"pellets", PathOf("example.txt"), "--weights", "0.3:0.7:3", "--limit", "10.5J"});
    const CliRun footPounds =
        Run({"pellets", PathOf("example.txt"), "--weights", "0.3:0.7:3", "--limit", "7.8ftlbf"});
    ASSERT_EQ(joules.status, 0) << joules.err;
    ASSERT_EQ(footPounds.status, 0) << footPounds.err;
    std::istringstream lines(joules.out);
    std::istringstream otherLines(footPounds.out);
    std::string line;
    std::string otherLine;
    std::getline(lines, line);
    std::getline(otherLines, otherLine);
    EXPECT_EQ(line,
              "bullet_weight_g,bullet_weight_gr,status,bullet_velocity_m_s,bullet_velocity_fps,"
              "bullet_energy_J,bullet_energy_ftlbf,over_limit");
    const char* overTenAndAHalfJoules[] = {"yes", "yes", "no"};
    const char* overSevenPointEightFootPounds[] = {"yes", "no", "no"};
    for (size_t row = 0; row < 3; ++row) {
        ASSERT_TRUE(std::getline(lines, line) && std::getline(otherLines, otherLine));
        const std::vector<std::string> fields = CsvLineFields(line);
        ASSERT_EQ(fields.size(), 8u) << line;
        const double weight = FieldToNumber(fields[0], '.');
        ModelInputs inputs;
        const auto shot = std::make_unique<SimulationResult>();
        SimulateShotFromFields(WithBulletWeight(ExampleGunTexts(), weight), '.', inputs, *shot);
        SummarizeShot(inputs, *shot);
        EXPECT_DOUBLE_EQ(FieldToNumber(fields[1], '.'), weight / 0.06479891);
        EXPECT_EQ(fields[2], "ok");
        EXPECT_EQ(FieldToNumber(fields[3], '.'), MuzzleVelocity(*shot));
        EXPECT_DOUBLE_EQ(FieldToNumber(fields[4], '.'), MuzzleVelocity(*shot) / 0.3048);
        EXPECT_EQ(FieldToNumber(fields[5], '.'), shot->BulletEnergy);
        EXPECT_DOUBLE_EQ(FieldToNumber(fields[6], '.'), shot->BulletEnergy / 1.3558179483314004);
        EXPECT_EQ(fields[7], overTenAndAHalfJoules[row]);
        EXPECT_EQ(CsvLineFields(otherLine).back(), overSevenPointEightFootPounds[row]);
    }
    EXPECT_FALSE(std::getline(lines, line));
    EXPECT_EQ(joules.err.substr(0, joules.err.find(" and leaves")),
              "The lightest pellet within 10.5 J weighs 0.700 g (10.80 gr)");
    EXPECT_EQ(footPounds.err.substr(0, footPounds.err.find(" and leaves")),
              "The lightest pellet within 10.58 J weighs 0.500 g (7.72 gr)");
}

}  // namespace
