#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "common/FieldNumber.h"
#include "model/PelletTable.h"
#include "model/SmoothShot.h"
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
        {"the shots ask for more than the range holds", "example.txt", "bullet_weight_g,velocity_m_s\n0.5,400\n0.6,380\n", "BarrelFriction",
         "The fit does not converge: BarrelFriction runs to 0.2625, the end of the range searched (0.2625 to 4.2)"},
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

// Each row holds the smooth shot of the gun with that pellet; the imperial columns and the limit
// follow from it.
TEST_F(Tuning, PelletTableGivesEachWeightItsSmoothShot) {
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
        const ShotFigures shot = ComputeSmoothShotFigures(
            CompletedInputsOf(WithBulletWeight(ExampleGunTexts(), weight)));
        EXPECT_DOUBLE_EQ(FieldToNumber(fields[1], '.'), weight / 0.06479891);
        EXPECT_EQ(fields[2], "ok");
        EXPECT_EQ(FieldToNumber(fields[3], '.'), shot.muzzleVelocity);
        EXPECT_DOUBLE_EQ(FieldToNumber(fields[4], '.'), shot.muzzleVelocity / 0.3048);
        EXPECT_EQ(FieldToNumber(fields[5], '.'), shot.bulletEnergy);
        EXPECT_DOUBLE_EQ(FieldToNumber(fields[6], '.'), shot.bulletEnergy / 1.3558179483314004);
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
