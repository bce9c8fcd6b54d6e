#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QProcess>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "common/FieldNumber.h"
#include "common/ReportFormat.h"
#include "model/ComputeCommand.h"
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
        {"a bad row", "example.txt", "bullet_weight_g,velocity_m_s\n0.5,200\n0.6,fast\n", "MaximumForce",
         " line 3: the velocity 'fast' is not a number\n"},
        {"a weight no pellet has", "example.txt", "bullet_weight_g,velocity_m_s\n1e300,200\n", "MaximumForce",
         " line 2: the weight '1e300' is outside what the model computes, 0.001 to 1000 g\n"},
        {"a weight below the normal doubles, in grains", "example.txt", "bullet_weight_gr,velocity_m_s\n1e-310,200\n", "MaximumForce",
         " line 2: the weight '1e-310' is outside what the model computes, 0.0154324 to 15432.4 gr\n"},
        {"a velocity no air gives", "example.txt", "bullet_weight_g,velocity_fps\n0.5,1e200\n", "MaximumForce",
         " line 2: the velocity '1e200' is outside what the model computes, 3.28084 to 6561.68 ft/s\n"},
        {"column names in capitals", "example.txt", "Bullet_Weight_G,Velocity_FPS\n0.5,fast\n", "MaximumForce",
         " line 2: the velocity 'fast' is not a number\n"},
        {"a blank line before the header", "example.txt", "\nbullet_weight_g,velocity_m_s\n0.5,fast\n", "MaximumForce",
         " line 3: the velocity 'fast' is not a number\n"},
        {"lines ended by CR alone", "example.txt", "bullet_weight_g,velocity_m_s\r0.5,200\r0.6,190\r", "MaximumForce",
         ": its lines end in CR alone; save it with LF or CR LF line ends\n"},
        {"UTF-16", "example.txt", "\xFF\xFE" "b", "MaximumForce",
         ": the file is UTF-16 text or no text at all; save it as UTF-8 or ASCII text\n"},
        {"a quoted line break", "example.txt", "bullet_weight_g,velocity_m_s\n0.5,\"200\n\"\n", "MaximumForce",
         " line 2: a quote is not closed on its line (a field cannot hold a line break)\n"},
        {"semicolons between fields", "example.txt", "bullet_weight_g;velocity_m_s\n0,5;200\n", "MaximumForce",
         ": the header line names no weight column (bullet_weight_g or bullet_weight_gr); its fields are "
         "separated by semicolons: export the file with commas between fields and points in numbers\n"},
        {"a space after a comma", "example.txt", "bullet_weight_g,velocity_m_s\n0.5,200\n0.5,202\n", "MaximumForce, PistonFriction",
         "A fit of 2 parameters needs shots of at least as many pellet weights; the shots have 1.\n"},
    };
    // clang-format on
    for (const FitRefusal& refusal : refusals) {
        const std::string shots = WriteFile("shots.csv", refusal.shots);
        const CliRun run = Run({"fit", PathOf(refusal.gun), "--chrono", shots, "--free",
                                refusal.free, "--save", PathOf("fitted.txt")});
        EXPECT_EQ(run.status, 1) << refusal.why;
        const std::string expected =
            (refusal.message[0] == ' ' || refusal.message[0] == ':' ? shots : std::string()) +
            refusal.message;
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

// A NUL byte, a field of a megabyte and thousands of bad rows: the message quotes each field
// readably and in short, shows the first ten rows and counts the rest.
TEST_F(Tuning, BadRowsAreQuotedShortAndCountedBeyondTheFirstTen) {
    using namespace std::string_literals;
    std::string text = "bullet_weight_g,velocity_m_s\n0.5,2\0x\n0.6,"s + std::string(1 << 20, '9') +
                       "x\n";
    for (int row = 0; row < 5000; ++row) {
        text += "0.7,fast\n";
    }
    const std::string shots = WriteFile("shots.csv", text);
    const CliRun run =
        Run({"fit", PathOf("example.txt"), "--chrono", shots, "--free", "MaximumForce"});
    EXPECT_EQ(run.status, 1);
    std::string expected = shots + " line 2: the velocity '2\\x00x' is not a number\n" + shots +
                           " line 3: the velocity '" + std::string(32, '9') +
                           "...' is not a number\n";
    for (int line = 4; line < 12; ++line) {
        expected += shots + " line " + std::to_string(line) + ": the velocity 'fast' is not a number\n";
    }
    EXPECT_EQ(run.err, expected + shots + ": 4992 more bad rows\n");
}

// A FIFO that no program writes into would keep the command waiting for ever.
TEST_F(Tuning, ShotsFromAFifoWithoutWriterAreRefusedNotWaitedFor) {
    const std::string fifo = PathOf("shots.fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    QProcess program;
    program.start(VELLORAN_CLI_PATH, {"fit", QString::fromStdString(PathOf("example.txt")),
                                      "--chrono", QString::fromStdString(fifo), "--free",
                                      "MaximumForce"});
    const bool finished = program.waitForFinished(30000);
    if (!finished) {
        program.kill();
        program.waitForFinished();
    }
    ASSERT_TRUE(finished);
    EXPECT_EQ(program.exitCode(), 1);
    EXPECT_EQ(program.readAllStandardError().toStdString(),
              fifo + ": a FIFO or pipe that no program writes into\n");
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

// Of the several files of fit, pellets and compare, the message names the one that cannot be
// read.
TEST_F(Tuning, FitPelletsAndCompareNameTheFileThatCannotBeRead) {
    const std::string shots = WriteFile("shots.csv", "bullet_weight_g,velocity_m_s\n0.5,200\n");
    const std::string missing = PathOf("missing");
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"fit", missing, "--chrono", shots, "--free", "MaximumForce"}, missing},
        {{"fit", PathOf("example.txt"), "--chrono", missing, "--free", "MaximumForce"}, missing},
        {{"pellets", PathOf("example.txt"), "--weights", "0.4:0.6:3", "-o", PathOf("p.png"),
          "--chrono", missing},
         missing},
        {{"compare", PathOf("example.txt"), missing, "--y", "pressure", "-o", PathOf("c.png")},
         missing},
    };
    for (const auto& [arguments, path] : cases) {
        const CliRun run = Run(arguments);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "File loading error. " + path + ": " + std::strerror(ENOENT) + "\n");
    }
}

}  // namespace
