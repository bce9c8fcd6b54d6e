#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <sstream>

#include "cli/ProgressLine.h"
#include "common/FieldNumber.h"
#include "datafile/GunReportFile.h"
#include "model/EnergyBudget.h"
#include "model/ShotBatch.h"
#include "model/ShotLanes.h"
#include "model/SmoothShot.h"
#include "tests/cli/CliFixture.h"

namespace {

using enum GunParameter;

using Sweep = CliFixture;

TEST_F(Sweep, PrintsOneRowPerGridPointInGridOrder) {
    const CliRun run = Run({"sweep", PathOf("example.txt"), "--vary", "PistonStroke=50:70:3",
                            "--vary", "BulletWeight=0.4:0.6:2"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto rows = CsvRows(run.out);
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"PistonStroke", "BulletWeight", "status", "steps",
                                                 "max_pressure_MPa", "max_piston_velocity_m_s",
                                                 "max_temperature_K", "bullet_velocity_m_s",
                                                 "bullet_energy_J", "efficiency"}));
    // Each value in the shortest text that reads back to it.
    const std::pair<const char*, const char*> points[] = {
        {"50", "0.4"}, {"50", "0.6"}, {"60", "0.4"}, {"60", "0.6"}, {"70", "0.4"}, {"70", "0.6"}};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(rows[i + 1][0], points[i].first);
        EXPECT_EQ(rows[i + 1][1], points[i].second);
        EXPECT_EQ(rows[i + 1][2], "ok");
    }
}

// Each point's figures are those the Compute button gives for that gun, to the last bit.
TEST_F(Sweep, GivesEachPointTheFiguresOfTheComputeCommand) {
    const CliRun run = Run({"sweep", PathOf("example.txt"), "--vary", "MaximumForce=300:500:3"});
    ASSERT_EQ(run.status, 0);
    const auto rows = CsvRows(run.out);
    const auto scratch = std::make_unique<SimulationResult>();
    for (size_t i = 1; i < rows.size(); ++i) {
        GunParameterTexts texts = ExampleGunTexts();
        texts[static_cast<size_t>(Index(MaximumForce))] = rows[i][0];
        ModelInputs inputs;
        ReadModelInputs(texts, '.', inputs);
        CompleteModelInputs(inputs);
        const ShotFigures expected = ComputeShotFiguresOneByOne(inputs, *scratch);
        EXPECT_EQ(std::stoi(rows[i][2]), expected.lastIndex);
        EXPECT_EQ(FieldToNumber(rows[i][3], '.'), expected.maximumPressure);
        EXPECT_EQ(FieldToNumber(rows[i][6], '.'), expected.muzzleVelocity);
        EXPECT_EQ(FieldToNumber(rows[i][7], '.'), expected.bulletEnergy);
        EXPECT_EQ(FieldToNumber(rows[i][8], '.'), ShotEfficiency(expected.bulletEnergy, inputs));
    }
    // A coil of 500 N and 200 N over 60 mm releases (500 + 200) / 2 × 0.06 = 21 J.
    EXPECT_NEAR(FieldToNumber(rows[3][8], '.'), FieldToNumber(rows[3][7], '.') / 21, 1e-12);
}

// With --smooth each point's figures are the smooth ones, to the last bit.
TEST_F(Sweep, GivesEachPointItsSmoothFiguresWithSmooth) {
    const CliRun run =
        Run({"sweep", PathOf("example.txt"), "--vary", "BulletWeight=0.4:0.6:3", "--smooth"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto rows = CsvRows(run.out);
    ASSERT_EQ(rows.size(), 4u);
    for (size_t i = 1; i < rows.size(); ++i) {
        const ShotFigures expected = ComputeSmoothShotFigures(
            CompletedInputsOf(ExampleGunWith({{BulletWeight, rows[i][0]}})));
        EXPECT_EQ(std::stoi(rows[i][2]), expected.lastIndex);
        EXPECT_EQ(FieldToNumber(rows[i][3], '.'), expected.maximumPressure);
        EXPECT_EQ(FieldToNumber(rows[i][6], '.'), expected.muzzleVelocity);
        EXPECT_EQ(FieldToNumber(rows[i][7], '.'), expected.bulletEnergy);
    }
}

TEST_F(Sweep, AFailingPointShowsItsMessageAndTheSweepGoesOn) {
    const CliRun run = Run({"sweep", PathOf("example.txt"), "--vary", "ComputationStep=0:0.002:3",
                            "--vary", "MaximumForce=200:400:2"});
    ASSERT_EQ(run.status, 0);
    const auto rows = CsvRows(run.out);
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[1][2], "One or more Parameters out of range.");                 // step 0
    EXPECT_EQ(rows[4][2], "Maximum Number of Steps was reached. Increase Step.");  // 0.001, 400 N
    EXPECT_EQ(rows[5][2], "One or more Parameters out of range.");                 // forces equal
    EXPECT_EQ(rows[6][2], "ok");
    EXPECT_EQ(rows[1].size(), 10u);
    for (size_t column = 3; column < 10; ++column) {
        EXPECT_EQ(rows[4][column], "");
    }
}

// More threads than cores are never started: a hundred thousand asked for used to exhaust the
// system.
TEST_F(Sweep, GivesTheSameOutputOnAnyNumberOfThreads) {
    const std::vector<std::string> arguments = {"sweep",  PathOf("example.txt"),
                                                "--vary", "PistonStroke=40:80:25",
                                                "--vary", "ComputationStep=0.002:0.05:8"};
    std::vector<std::string> oneThread = arguments;
    oneThread.insert(oneThread.end(), {"--threads", "1"});
    std::vector<std::string> twoThreads = arguments;
    twoThreads.insert(twoThreads.end(), {"--threads", "2"});
    std::vector<std::string> manyThreads = arguments;
    manyThreads.insert(manyThreads.end(), {"--threads", "100000"});
    const CliRun one = Run(oneThread);
    const CliRun two = Run(twoThreads);
    ASSERT_EQ(one.status, 0);
    EXPECT_EQ(CsvRows(one.out).size(), 201u);
    EXPECT_EQ(one.out, two.out);
    EXPECT_EQ(Run(arguments).out, one.out);
    EXPECT_EQ(Run(manyThreads).out, one.out);
}

// Only the first shard prints the header, so that the outputs in order are the whole sweep;
// a shard beyond the grid's points prints nothing.
TEST_F(Sweep, TheShardsInOrderMakeTheWholeSweep) {
    const std::vector<std::string> arguments = {"sweep",  PathOf("example.txt"),
                                                "--vary", "PistonStroke=40:80:7",
                                                "--vary", "BulletWeight=0.4:0.6:3"};
    const CliRun whole = Run(arguments);
    ASSERT_EQ(whole.status, 0);
    std::string joined;
    for (const char* shard : {"1/4", "2/4", "3/4", "4/4"}) {
        std::vector<std::string> part = arguments;
        part.insert(part.end(), {"--shard", shard});
        const CliRun run = Run(part);
        ASSERT_EQ(run.status, 0) << run.err;
        joined += run.out;
    }
    EXPECT_EQ(joined, whole.out);
    std::vector<std::string> empty = arguments;
    empty.insert(empty.end(), {"--shard", "30/30"});
    EXPECT_EQ(Run(empty).out, "");
}

TEST_F(Sweep, RefusesAReportThatCannotBeRead) {
    const CliRun run = Run({"sweep", PathOf("missing.txt"), "--vary", "PistonStroke=50:70:3"});
    EXPECT_EQ(run.status, 1);
    // The system's reason, in the user's language.
    EXPECT_EQ(run.err, "File loading error. " + PathOf("missing.txt") + ": " +
                           std::strerror(ENOENT) + "\n");
    EXPECT_EQ(run.out, "");
}

// The real tool on each instruction set's lanes (VELLORAN_LANES): the same bytes, designed and
// smooth, over a grid whose last pack of lanes is partly filled and with failing points; a
// name the processor cannot run is refused before anything is computed.
TEST(SweepProgram, GivesTheSameOutputOnEveryInstructionSet) {
    QTemporaryDir folder;
    const QString gun = folder.filePath("gun.txt");
    SaveGunReport(gun.toStdString(), " Air Gun", ExampleGunTexts(), '.', {});
    QProcess program;
    const auto sweep = [&](const QString& lanes, const QStringList& more) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("VELLORAN_LANES", lanes);
        program.setProcessEnvironment(environment);
        program.start(VELLORAN_CLI_PATH, QStringList{"sweep", gun, "--vary",
                                                     "PistonStroke=40:80:25", "--vary",
                                                     "ComputationStep=0.001:0.05:3"} +
                                             more);
        EXPECT_TRUE(program.waitForFinished(60000));
        return std::pair(program.exitCode(), program.readAllStandardOutput());
    };
    for (const QStringList& more : {QStringList{}, QStringList{"--smooth"}}) {
        const auto best = sweep(ShotLaneKernels().front().instructionSet, more);
        ASSERT_EQ(best.first, 0);
        for (const ShotLaneKernel& kernel : ShotLaneKernels()) {
            EXPECT_EQ(sweep(kernel.instructionSet, more), best) << kernel.instructionSet;
        }
    }
    EXPECT_EQ(sweep("SSE9", {}), std::pair(1, QByteArray()));
    EXPECT_TRUE(program.readAllStandardError().startsWith(
        "velloran-cli: VELLORAN_LANES=SSE9 names no instruction set"));
}

// A progress line wider than the terminal wraps, and the rewritten line leaves stale ones above.
TEST(SweepProgress, KeepsWithinTheTerminalsWidth) {
    const std::pair<size_t, const char*> widths[] = {
        {79, "  1.2 % of 100000 points, 617 points/s, 2:40 left"},
        {20, "  1.2 %, 2:40 left"},
        {7, "  1.2 %"},
        {3, "  1"},
    };
    for (const auto& [width, text] : widths) {
        EXPECT_EQ(ProgressText(1234, 100000, 2.0, "points", width), text) << width;
    }
}

}  // namespace
