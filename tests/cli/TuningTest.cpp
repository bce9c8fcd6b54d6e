#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>

#include "common/FieldNumber.h"
#include "common/ReportFormat.h"
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
    EXPECT_EQ(joules.err.substr(0, joules.err.find('\n')), "Limit: 10.5 J.");
    EXPECT_EQ(footPounds.err.substr(0, footPounds.err.find('\n')),
              "Limit: 7.8 ft·lbf = 10.58 J.");
}

// The example gun's energy peaks near 0.3 g: from 0.1 g up the pellets are first under, then
// over, then under the limit again. The verdict names the peak, the one range over the limit
// and how far the peak is over; the rows within 5 % below are near.
TEST_F(Tuning, PelletsVerdictNamesTheWeightsOverALimitInsideTheRange) {
    const CliRun run = Run({"pellets", PathOf("example.txt"), "--weights", "0.1:1.5:15",
                            "--limit", "8.1ftlbf", "--margin", "5"});
    ASSERT_EQ(run.status, 0) << run.err;
    const double limit = 8.1 * 1.3558179483314004;
    std::vector<std::vector<std::string>> rows = CsvRows(run.out);
    rows.erase(rows.begin());
    size_t peak = 0;
    std::vector<size_t> over;
    for (size_t k = 0; k < rows.size(); ++k) {
        const double energy = FieldToNumber(rows[k][5], '.');
        peak = energy > FieldToNumber(rows[peak][5], '.') ? k : peak;
        if (energy > limit) {
            over.push_back(k);
        }
        EXPECT_EQ(rows[k][7], energy > limit ? "yes" : energy >= 0.95 * limit ? "near" : "no");
    }
    ASSERT_GT(over.size(), 1u);
    ASSERT_GT(over.front(), 0u);
    ASSERT_LT(over.back(), rows.size() - 1);
    ASSERT_EQ(over.back() - over.front() + 1, over.size());  // one range
    const auto weight = [&](size_t k) { return FieldToNumber(rows[k][0], '.'); };
    const double peakEnergy = FieldToNumber(rows[peak][5], '.');
    const std::string peakPellet =
        FormatReport("%.3f g (%.2f gr)", weight(peak), weight(peak) / 0.06479891);
    EXPECT_EQ(run.err,
              "Limit: 8.1 ft·lbf = " + FormatReport("%.2f", limit) + " J.\n" +
                  FormatReport("Highest energy: %.2f J (%.2f ft·lbf), from the ", peakEnergy,
                               peakEnergy / 1.3558179483314004) +
                  peakPellet + FormatReport(" pellet at %.1f m/s.\n", FieldToNumber(rows[peak][3], '.')) +
                  FormatReport("Over the limit: %.3f to %.3f g (%.2f to %.2f gr).\n",
                               weight(over.front()), weight(over.back()),
                               weight(over.front()) / 0.06479891, weight(over.back()) / 0.06479891) +
                  "The worst, " + peakPellet + ", is " +
                  FormatReport("%.2f J (%.1f %%) over the limit.\n", peakEnergy - limit,
                               (peakEnergy - limit) / limit * 100));
}

// Of the two files of fit and pellets, the message names the one that cannot be read.
TEST_F(Tuning, FitAndPelletsNameTheFileThatCannotBeRead) {
    const std::string shots = WriteFile("shots.csv", "bullet_weight_g,velocity_m_s\n0.5,200\n");
    const std::string missing = PathOf("missing");
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"fit", missing, "--chrono", shots, "--free", "MaximumForce"}, missing},
        {{"fit", PathOf("example.txt"), "--chrono", missing, "--free", "MaximumForce"}, missing},
        {{"pellets", PathOf("example.txt"), "--weights", "0.4:0.6:3", "-o", PathOf("p.png"),
          "--chrono", missing},
         missing},
    };
    for (const auto& [arguments, path] : cases) {
        const CliRun run = Run(arguments);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "File loading error. " + path + ": " + std::strerror(ENOENT) + "\n");
    }
}

}  // namespace
