#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRadioButton>
#include <QTest>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <tuple>

#include "app/Vstup1.h"
#include "cli/CliCommand.h"
#include "cli/CliNumbers.h"
#include "cli/CsvFormat.h"
#include "cli/ParameterGlossary.h"
#include "cli/SweepGrid.h"
#include "common/FieldNumber.h"
#include "common/Version.h"
#include "model/ComputeCommand.h"
#include "model/EnergyBudget.h"
#include "model/GunBatch.h"
#include "model/SmoothShot.h"
#include "tests/app/WindowsFixture.h"
#include "tests/cli/CliFixture.h"

namespace {

using enum GunParameter;

std::string Lines(const std::array<std::string, SummaryLineCount>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + '\n';
    }
    return text;
}

// The example gun computed as the Compute button computes it.
std::unique_ptr<SimulationResult> ComputedExample() {
    auto result = std::make_unique<SimulationResult>();
    ModelInputs inputs;
    SimulateShotFromFields(ExampleGunTexts(), '.', inputs, *result);
    SummarizeShot(inputs, *result);
    return result;
}

using Simulate = CliFixture;

TEST_F(Simulate, PrintsTheSevenLinesOfTheResultBox) {
    const CliRun run = Run({"simulate", PathOf("example.txt")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, Lines(SummaryLines(*ComputedExample())));
    EXPECT_EQ(run.err, "");
}

TEST_F(Simulate, PrintsTheSevenLinesOfTheSmoothFiguresWithSmooth) {
    const CliRun run = Run({"simulate", PathOf("example.txt"), "--smooth"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              Lines(SummaryLines(ComputeSmoothShotFigures(CompletedInputsOf(ExampleGunTexts())))));
}

TEST_F(Simulate, WritesTheEnergyBudgetAsCsvThatReadsBackToTheSameDoubles) {
    const CliRun run = Run({"simulate", PathOf("example.txt"), "--budget", "-"});
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.err, Lines(SummaryLines(*ComputedExample())));
    std::string expected = "term,energy_J\n";
    for (const EnergyTerm& term : ComputeEnergyBudget(CompletedInputsOf(ExampleGunTexts())).terms) {
        expected += std::string(term.name) + ',' + CsvNumber(term.energy) + '\n';
    }
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(Run({"simulate", PathOf("example.txt"), "--budget", "-", "--csv", "-"}).status, 2);
}

TEST_F(Simulate, WritesTheSeriesAsCsvThatReadsBackToTheSameDoubles) {
    const CliRun run = Run({"simulate", PathOf("example.txt"), "--csv", "-"});
    ASSERT_EQ(run.status, 0);
    const auto result = ComputedExample();
    EXPECT_EQ(run.err, Lines(SummaryLines(*result)));  // the summary steps aside
    std::istringstream csv(run.out);
    std::string line;
    std::getline(csv, line);
    EXPECT_EQ(line,
              "time_ms,bullet_travel_mm,bullet_velocity_m_s,piston_travel_mm,piston_velocity_m_s,"
              "pressure_MPa,temperature_K");
    const Series* columns[] = {&result->Time,           &result->BulletTravel,
                               &result->BulletVelocity, &result->PistonTravel,
                               &result->PistonVelocity, &result->Pressure,
                               &result->Temperature};
    int row = 0;
    for (; std::getline(csv, line); ++row) {
        std::istringstream fields(line);
        std::string field;
        for (const Series* column : columns) {
            ASSERT_TRUE(std::getline(fields, field, ','));
            ASSERT_EQ(FieldToNumber(field, '.'), (*column)[static_cast<size_t>(row)]) << row;
        }
    }
    EXPECT_EQ(row, result->LastIndex + 1);
}

TEST_F(Simulate, SavesTheReportTheWindowWouldSave) {
    const CliRun run = Run({"simulate", PathOf("example.txt"), "--save", PathOf("saved.txt"),
                            "--csv", PathOf("series.csv")});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto result = ComputedExample();
    // The name line stays as it was (Load would give the name a space more at each end).
    SaveGunReport(PathOf("expected.txt"), " Air Gun", ExampleGunTexts(), '.',
                  {result->MaximumPressure, result->MaximumPistonVelocity,
                   result->MaximumTemperature, MuzzleVelocity(*result), result->BulletEnergy});
    QFile saved(QString::fromStdString(PathOf("saved.txt")));
    QFile expected(QString::fromStdString(PathOf("expected.txt")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly) && expected.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), expected.readAll());
    EXPECT_TRUE(QFile::exists(QString::fromStdString(PathOf("series.csv"))));
}

// new writes what the window's Save writes after Compute; --set changes the gun before the run,
// in any unit of the parameter's quantity; a report saved again keeps its name line.
TEST_F(Simulate, NewAndSetMakeAndChangeGunsAsTheWindowWould) {
    const CliRun made = Run(
        {"new", PathOf("new.txt"), "--set",
         "Caliber=0.45cm,BulletWeight=0.5,BarrelLength=450,BarrelFriction=1.05,"
         "InitialPressure=10bar",
         "--set",
         "PistonWeight=200g, PistonDiameter=25,PistonFriction=0.1,PackingThickness=3,"
         "SpringWeight=0.03,MinimumForce=200,MaximumForce=400,PistonStroke=60,"
         "AdiabaticExponent=1.4,AirPressure=1bar,ComputationStep=10us"});
    ASSERT_EQ(made.status, 0) << made.err;
    const auto result = ComputedExample();
    SaveGunReport(PathOf("expected.txt"), " Air Gun", ExampleGunTexts(), '.',
                  ReportSummaryOf(*result, CompletedInputsOf(ExampleGunTexts())));
    const auto bytes = [this](const char* name) {
        QFile file(QString::fromStdString(PathOf(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    EXPECT_EQ(bytes("new.txt"), bytes("expected.txt"));
    ASSERT_EQ(Run({"simulate", PathOf("new.txt"), "--save", PathOf("again.txt")}).status, 0);
    EXPECT_EQ(bytes("again.txt"), bytes("expected.txt"));

    // The starting gun cannot be computed: its report holds the parameters alone.
    const CliRun zeros = Run({"new", PathOf("zeros.txt")});
    EXPECT_EQ(zeros.status, 0);
    EXPECT_EQ(zeros.err, "The gun was not computed: One or more Parameters out of range. The "
                         "report holds its parameters and no summary.\n");
    EXPECT_EQ(LoadGunReport(PathOf("zeros.txt")).values, (std::array<double, 16>{}));
    EXPECT_FALSE(bytes("zeros.txt").contains("*** Computation ***"));

    GunParameterTexts heavier = ExampleGunTexts();
    heavier[static_cast<size_t>(Index(BulletWeight))] = NumberToField(7.9 * 0.06479891, '.');
    auto expected = std::make_unique<SimulationResult>();
    ModelInputs inputs;
    SimulateShotFromFields(heavier, '.', inputs, *expected);
    SummarizeShot(inputs, *expected);
    EXPECT_EQ(Run({"simulate", PathOf("example.txt"), "--set", "BulletWeight=7.9gr"}).out,
              Lines(SummaryLines(*expected)));
}

// The optional five: set in any unit of their quantity, they reach the inputs in SI units; a
// report's section goes through the command line, now marked as the extended model's; neutral
// values given on the command line change no byte.
TEST_F(Simulate, CarriesTheOptionalParametersFromCommandLineAndReportToTheInputsAndBack) {
    GunParameters gun;
    for (size_t i = 0; i < gun.values.size(); ++i) {
        gun.values[i] = FieldToNumber(ExampleGunTexts()[i], '.');
    }
    const ModelInputs inputs =
        CheckedInputsOf(ParameterTextsOf(WithSettings(
                            gun, ParseParameterSettings({"PortDiameter=2mm", "PortLength=2.5cm",
                                                         "AirTemperature=293K"}))),
                        '.');
    EXPECT_EQ(inputs.PortDiameter, 0.002);
    EXPECT_EQ(inputs.PortLength, 0.025);
    EXPECT_EQ(inputs.AirTemperature, 293);

    GunParameterTexts ported = ExampleGunTexts();
    ported[static_cast<size_t>(Index(PortLength))] = "25";
    ported[static_cast<size_t>(Index(PistonRestitution))] = "0.25";
    SaveGun("ported.txt", ported);
    ASSERT_EQ(Run({"simulate", PathOf("ported.txt"), "--save", PathOf("again.txt")}).status, 0);
    EXPECT_EQ(LoadGunReport(PathOf("again.txt")).optional,
              (OptionalParameterValues{0, 25, 0.25, 0, 0}));
    QFile again(QString::fromStdString(PathOf("again.txt")));
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_TRUE(again.readAll().contains(" Summary Above:             extended model, with these"));

    const char* neutral =
        "PortDiameter=0,PortLength=22mm,PistonRestitution=0,GasRamExponent=0,"
        "AirTemperature=0K";
    EXPECT_EQ(Run({"simulate", PathOf("example.txt"), "--set", neutral}).out,
              Run({"simulate", PathOf("example.txt")}).out);
    EXPECT_EQ(
        Run({"sweep", PathOf("example.txt"), "--vary", "PistonStroke=50:70:3", "--set", neutral})
            .out,
        Run({"sweep", PathOf("example.txt"), "--vary", "PistonStroke=50:70:3"}).out);
}

TEST_F(Simulate, RefusesBadReportsWithTheWindowsMessages) {
    std::ofstream(PathOf("damaged.txt"), std::ios::binary) << "no star here\r\n";
    GunParameterTexts zeroStroke = ExampleGunTexts();
    zeroStroke[static_cast<size_t>(Index(PistonStroke))] = "0";
    GunParameterTexts tinyStep = ExampleGunTexts();
    tinyStep[static_cast<size_t>(Index(ComputationStep))] = "0.001";
    const std::pair<std::string, std::string> cases[] = {
        {PathOf("missing.txt"),
         "File loading error. " + PathOf("missing.txt") + ": " + std::strerror(ENOENT) + "\n"},
        {folder.path().toStdString(),
         "File loading error. " + folder.path().toStdString() + ": " + std::strerror(EISDIR) + "\n"},
        {PathOf("damaged.txt"),
         "Wrong data format. " + PathOf("damaged.txt") + " holds no gun report as Save writes it.\n"},
        {SaveGun("zero-stroke.txt", zeroStroke), "One or more Parameters out of range.\n"},
        {SaveGun("tiny-step.txt", tinyStep),
         "Maximum Number of Steps was reached. Increase Step.\n"},
    };
    for (const auto& [path, message] : cases) {
        const CliRun run = Run({"simulate", path});
        EXPECT_EQ(run.status, 1) << path;
        EXPECT_EQ(run.err, message);
        EXPECT_EQ(run.out, "");
    }
}

TEST_F(Simulate, ReadsAndWritesFilesWhoseNamesAreNotUtf8UnderTheseVeryNames) {
    const std::string folderBytes = QFile::encodeName(folder.path()).toStdString();
    std::filesystem::copy_file(PathOf("example.txt"), folderBytes + "/gun\xfe.txt");
    const CliRun run =
        Run({"simulate", folderBytes + "/gun\xfe.txt", "--csv", folderBytes + "/series\xff.csv",
             "--save", folderBytes + "/new\xfe.txt"});
    EXPECT_EQ(run.status, 0) << run.err;
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folderBytes)) {
        names.insert(entry.path().filename().native());
    }
    EXPECT_EQ(names, (std::set<std::string>{"example.txt", "gun\xfe.txt", "new\xfe.txt",
                                            "series\xff.csv"}));
}

TEST_F(Simulate, AnOutputOverTheReportOrAnotherOutputIsWrongUsageAndChangesNothing) {
    const std::string report = PathOf("example.txt");
    ASSERT_TRUE(QDir(folder.path()).mkdir("sub"));
    std::filesystem::create_hard_link(report, PathOf("hard link.svg"));
    const std::string otherSpelling = PathOf("sub") + "/../example.txt";
    const std::vector<std::vector<std::string>> clashes = {
        {"simulate", report, "--csv", report},
        {"simulate", report, "--save", otherSpelling},
        {"simulate", report, "--csv", PathOf("hard link.svg")},
        {"simulate", report, "--csv", PathOf("new.csv"), "--save", PathOf("sub") + "/../new.csv"},
        {"plot", report, "--y", "pressure", "-o", PathOf("hard link.svg")},
    };
    const std::filesystem::file_time_type written = std::filesystem::last_write_time(report);
    for (const std::vector<std::string>& arguments : clashes) {
        const CliRun run = Run(arguments);
        EXPECT_EQ(run.status, 2) << testing::PrintToString(arguments);
        EXPECT_NE(run.err.find("usage: velloran-cli"), std::string::npos) << run.err;
    }
    EXPECT_EQ(std::filesystem::last_write_time(report), written);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files),
              QStringList({"example.txt", "hard link.svg"}));
}

// Takes the first bytes up to its room, then refuses every write, as a disk that fills up.
class FillingUpBuffer : public std::streambuf {
public:
    explicit FillingUpBuffer(size_t room) : room_(room) {}
    size_t taken = 0;

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof()) || taken == room_) {
            return traits_type::eof();
        }
        ++taken;
        return c;
    }

private:
    size_t room_;
};

using CliOutput = CliFixture;

TEST_F(CliOutput, StandardOutputCutShortByAFullDiskFailsWithTheSavingError) {
    const std::string failure = "File saving error.\n";
    const std::string summary = Lines(SummaryLines(*ComputedExample()));
    const std::tuple<std::vector<std::string>, size_t, std::string> cases[] = {
        {{"convert", "1", "oz", "g"}, 0, failure},
        {{"simulate", PathOf("example.txt"), "--csv", "-"}, 5000, summary + failure},
        {{"sweep", PathOf("example.txt"), "--vary", "PistonStroke=50:70:3"}, 200, failure},
    };
    for (const auto& [arguments, room, messages] : cases) {
        FillingUpBuffer buffer(room);
        std::ostream out(&buffer);
        std::ostringstream err;
        EXPECT_EQ(RunCli(arguments, out, err), 1) << arguments[0];
        EXPECT_EQ(err.str(), messages);
        EXPECT_EQ(buffer.taken, room);
    }
}

TEST(CliUsage, WrongUsageEndsWithStatus2AndAUsageLine) {
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"fly"},
        {"simulate"},
        {"simulate", "a.txt", "b.txt"},
        {"simulate", "a.txt", "--csv"},
        {"simulate", "a.txt", "--colour", "red"},
        {"simulate", "a.txt", "--csv="},
        {"simulate", "a.txt", "--csv", ""},
        {"simulate", "a.txt", "--csv", "--save", "b.txt"},
        {"sweep", "a.txt"},
        {"sweep", "a.txt", "--vary", "Stroke=1:2:3"},
        {"sweep", "a.txt", "--vary", "PistonStroke=1:2"},
        {"sweep", "a.txt", "--vary", "PistonStroke=1:2:0"},
        {"sweep", "a.txt", "--vary", "PistonStroke=a:2:3"},
        {"sweep", "a.txt", "--vary", "PistonStroke=1:2:3", "--threads", "0"},
        {"sweep", "a.txt", "--vary", "PistonStroke=1:2:3", "--shard", "4/3"},
        {"sweep", "a.txt", "--vary", "PistonStroke=1:2:3", "--shard", "2"},
        {"sweep", "a.txt", "--vary", "MaximumForce=-1.7e308:1.7e308:3"},  // NaN points
        {"plot", "a.txt", "--y", "speed", "-o", "x.png"},
        {"plot", "a.txt", "--y", "piston_velocity", "--x", "bullet_travel", "-o", "x.png"},
        {"plot", "a.txt", "--y", "pressure", "-o", "x.png", "--size", "50x50"},
        {"plot", "a.txt", "--y", "pressure", "-o", "x.png", "--size", "20000x100"},
        {"compare", "a.txt", "--y", "pressure", "-o", "x.png"},
        {"compare", "a.txt", "b.txt", "--y", "piston_velocity", "--x", "bullet_travel", "-o", "x.png"},
        {"fit", "a.txt", "--chrono", "s.csv", "--free", "BulletWeight"},
        {"fit", "a.txt", "--chrono", "s.csv", "--free", "MaximumForce,MaximumForce"},
        {"fit", "a.txt", "--chrono", "s.csv", "--free", "MaximumForce", "--save", "s.csv"},
        {"pellets", "a.txt", "--weights", "0.4:0.6"},
        {"pellets", "a.txt", "--weights", "0.4:0.6:3", "--limit", "7.5"},
        {"pellets", "a.txt", "--weights", "0.4:0.6:3", "--chrono", "s.csv"},  // no picture
        {"pellets", "a.txt", "--weights", "0.4:0.6:10011", "-o", "x.png"},  // beyond a curve
        {"pellets", "a.txt", "--weights", "0.4:0.6:3", "--margin", "5"},  // no limit
        {"pellets", "a.txt", "--weights", "0.4:0.6:3", "--limit", "7J", "--margin", "100"},
        {"pellets", "a.txt", "--weights", "5gr:16m:3"},
        {"simulate", "a.txt", "--set", "Bullet=1"},
        {"simulate", "a.txt", "--set", "BulletWeight=1J"},
        {"simulate", "a.txt", "--set", "BarrelFriction=1g"},
        {"simulate", "a.txt", "--set", "BulletWeight=1,BulletWeight=2"},
        {"simulate", "a.txt", "--set", "BulletWeight"},
        {"new", "a.txt", "--set", "MaximumForce=1e308kgf"},
        {"convert", "1", "furlong", "m"},
        {"convert", "1", "g", "yd"},
        {"convert", "1", "g"},
        {"spring", "1", "2", "3", "4"},
        // Empty values pass for none given; "-" is standard output, never a file to replace.
        {"sweep", "a.txt", "--vary", "PistonStroke=1:2:3", "--shard", ""},
        {"pellets", "a.txt", "--weights", "0.4:0.6:3", "--limit", ""},
        {"simulate", "-", "--save", "-"},
        {"compare", "-", "b.txt", "--y", "pressure", "-o", "-"},
        {"fit", "-", "--chrono", "s.csv", "--free", "MaximumForce", "--save", "-"},
        {"plot", "a.txt", "--y", "pressure", "-o", "x.png", "--size", "4097x258"},
    };
    for (const std::vector<std::string>& arguments : wrong) {
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunCli(arguments, out, err), 2) << testing::PrintToString(arguments);
        EXPECT_NE(err.str().find("usage: velloran-cli"), std::string::npos) << err.str();
        EXPECT_EQ(out.str(), "");
    }
}

TEST(CliUsage, WrongUsageNamesTheBoundThatWasMissed) {
    const std::pair<std::vector<std::string>, const char*> wrong[] = {
        {{"sweep", "a.txt", "--vary", "PistonStroke=1:2:3", "--threads", "0"},
         "--threads: must be a whole number, at least 1, not '0'\n"},
        {{"plot", "a.txt", "--y", "pressure", "-o", "x.png", "--size", "10000x10000"},
         "the width must be a whole number from 83 to 4096, not '10000'\n"},
        {{"fit", "a.txt", "--chrono", "s.csv", "--free", "MaximumForce", "--save", "-"},
         "--save: writes a file, not standard output ('-'); for a file named -, give ./-\n"},
    };
    for (const auto& [arguments, message] : wrong) {
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunCli(arguments, out, err), 2) << testing::PrintToString(arguments);
        EXPECT_NE(err.str().find(message), std::string::npos) << err.str();
    }
}

TEST(CliUsage, EveryCommandExplainsItselfWithHelp) {
    for (const char* command : {"new", "simulate", "sweep", "plot", "compare", "fit", "pellets",
                                "parameters", "convert", "spring"}) {
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunCli(std::vector<std::string>{command, "--help"}, out, err), 0);
        EXPECT_EQ(out.str().rfind(std::string("usage: velloran-cli ") + command, 0), 0u);
        EXPECT_NE(out.str().find("Exit status"), std::string::npos);
        EXPECT_NE(out.str().find(std::string("Example: velloran-cli ") + command), std::string::npos);
    }
}

// Each spelling of a unit means the unit in convert and in every option that takes its quantity:
// --weights and --set for a mass, --set for the others of a parameter, --limit for an energy.
TEST(CliTools, EveryUnitSpellingReadsAlikeInEveryCommand) {
    const std::map<Quantity, GunParameter> parameterOf = {
        {Quantity::Mass, PistonWeight},   {Quantity::Length, PistonStroke},
        {Quantity::Pressure, AirPressure}, {Quantity::Force, MaximumForce},
        {Quantity::Time, ComputationStep}};
    for (const UnitInfo& unit : UnitTable) {
        const std::string reference = InfoOf(unit.quantity).referenceUnit;
        std::ostringstream byName;
        std::ostringstream ignored;
        ASSERT_EQ(RunCli(std::vector<std::string>{"convert", "2", std::string(unit.Name()),
                                                  reference},
                         byName, ignored),
                  0);
        for (const char* spelling : unit.spellings) {
            if (spelling == nullptr) {
                break;
            }
            std::ostringstream out;
            std::ostringstream err;
            EXPECT_EQ(RunCli(std::vector<std::string>{"convert", "2", spelling, reference}, out,
                             err),
                      0)
                << spelling << err.str();
            EXPECT_EQ(out.str(), byName.str()) << spelling;
            const std::string given = std::string("2") + spelling;
            if (unit.quantity == Quantity::Energy) {
                EXPECT_EQ(ParseCliEnergy(given, "--limit"), 2 * unit.size) << spelling;
            }
            if (unit.quantity == Quantity::Mass) {
                EXPECT_EQ(ParseSweepRange(BulletWeight, given + ":" + given + ":1", "--weights").from,
                          2 * unit.size)
                    << spelling;
            }
            if (const auto parameter = parameterOf.find(unit.quantity);
                parameter != parameterOf.end()) {
                const GunParameterInfo& info = InfoOf(parameter->second);
                EXPECT_DOUBLE_EQ(ParseParameterValue(parameter->second, given, "--set"),
                                 2 * unit.size / UnitNamed(info.unit)->size)
                    << spelling;
            }
        }
    }
}

// The README's glossary quotes the parameter list that the tool prints and its manual page holds.
TEST(CliTools, ReadmeGlossaryIsTheParameterListOfTheTable) {
    std::ifstream readme(VELLORAN_README_PATH, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(readme)), {});
    EXPECT_NE(text.find("```text\n" + ParameterGlossary() + "```\n"), std::string::npos);
}

TEST(CliTools, ConvertAndSpringGiveTheWindowsFigures) {
    const auto run = [](std::vector<std::string> arguments) {
        std::ostringstream out;
        std::ostringstream err;
        const int status = RunCli(arguments, out, err);
        return CliRun{status, out.str(), err.str()};
    };
    EXPECT_EQ(run({"convert", "1", "oz", "g"}).out, "28.349\n");
    EXPECT_EQ(run({"convert", "7.5", "gr", "g"}).out, "0.486\n");
    EXPECT_EQ(run({"convert", "-1", "g", "gr"}).out, "-15.4324\n");
    EXPECT_EQ(run({"convert", "100", "m/s", "ft/s"}).out, "328.084\n");
    EXPECT_EQ(run({"convert", "750", "fps", "m/s"}).out, "228.6\n");   // the window's ft/s
    EXPECT_EQ(run({"convert", "12", "ft·lbf", "J"}).out, "16.27\n");  // the window's ft.lb
    EXPECT_EQ(run({"convert", "-.5", "m", "ft"}).out, "-1.64\n");     // a number, no option
    EXPECT_EQ(run({"convert", "1", "lbf", "N"}).out, "4.448\n");      // no pair of the window
    EXPECT_EQ(run({"convert", "1", "gr", "oz"}).out, "0.0023\n");
    const CliRun notANumber = run({"convert", "7,5", "gr", "g"});
    EXPECT_EQ(notANumber.status, 1);
    EXPECT_EQ(notANumber.err, "'7,5' is not a valid floating point value.\n");
    EXPECT_EQ(run({"convert", "1e308", "MPa", "psi"}).err, "Floating point overflow.\n");

    EXPECT_EQ(run({"spring", "2.9", "19", "33", "35", "81.5"}).out, "184\n");
    EXPECT_EQ(run({"spring", "3", "20", "30", "40", "81.5"}).out, "224\n");
    const CliRun zeroCoils = run({"spring", "3", "3", "30", "40", "81.5"});
    EXPECT_EQ(zeroCoils.status, 1);
    EXPECT_EQ(zeroCoils.err, "Floating point division by zero.\n");
}

// The real executable, as a script would call it.
TEST(CliProgram, ReportsThroughItsExitStatusAndStreams) {
    QProcess program;
    program.start(VELLORAN_CLI_PATH, {"convert", "2.54", "cm", "in"});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(program.readAllStandardOutput(), "1\n");
    EXPECT_EQ(program.readAllStandardError(), "");

    program.start(VELLORAN_CLI_PATH, {"simulate", "/nonexistent/gun.txt"});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 1);
    EXPECT_EQ(program.readAllStandardError(),
              QByteArray("File loading error. /nonexistent/gun.txt: ") + std::strerror(ENOENT) +
                  "\n");

    program.start(VELLORAN_CLI_PATH, {});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 2);

    program.start(VELLORAN_CLI_PATH, {"--version"});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(program.readAllStandardOutput(),
              QByteArray("velloran-cli ") + VelloranVersion + "\n");

    // The shell's redirection behind /dev/stdout or /dev/stderr, appending to a log, is written
    // through: the log keeps what it held, the picture follows.
    QTemporaryDir folder;
    const QString gun = folder.filePath("gun.txt");
    SaveGunReport(gun.toStdString(), " Air Gun", ExampleGunTexts(), '.', {});
    for (const char* redirection : {"-o /dev/stdout >>\"$2\"", "-o /dev/stderr 2>>\"$2\""}) {
        const QString log = folder.filePath("log.txt");
        std::ofstream(log.toStdString()) << "earlier\n";
        program.start("/bin/sh", {"-c", QString("exec \"$0\" plot \"$1\" --y pressure ") + redirection,
                                  VELLORAN_CLI_PATH, gun, log});
        ASSERT_TRUE(program.waitForFinished(30000));
        EXPECT_EQ(program.exitCode(), 0) << redirection;
        QFile written(log);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_TRUE(written.readAll().startsWith("earlier\n\x89PNG")) << redirection;
    }

    // Standard output closed, or on a device that takes nothing: the result is lost, and said so.
    program.start("/bin/sh", {"-c", "exec \"$0\" convert 2.54 cm in >&-", VELLORAN_CLI_PATH});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 1);
    EXPECT_EQ(program.readAllStandardError(), "File saving error.\n");
    program.setStandardOutputFile(QStringLiteral("/dev/full"));
    program.start(VELLORAN_CLI_PATH, {"convert", "2.54", "cm", "in"});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 1);
    EXPECT_EQ(program.readAllStandardError(), "File saving error.\n");
}

// A command that draws nothing starts without QtGui; one that draws, in a tool without its
// picture module, says what is missing and writes nothing.
TEST(CliProgram, LoadsTheDrawingOnlyToDraw) {
    QTemporaryDir folder;
    const QString gun = folder.filePath("gun.txt");
    SaveGunReport(gun.toStdString(), " Air Gun", ExampleGunTexts(), '.', {});
    QProcess program;
    QProcessEnvironment tracedLoading = QProcessEnvironment::systemEnvironment();
    tracedLoading.insert("LD_DEBUG", "libs");
    program.setProcessEnvironment(tracedLoading);
    program.start(VELLORAN_CLI_PATH, {"sweep", gun, "--vary", "PistonStroke=50:70:3"});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 0);
    const QByteArray loaded = program.readAllStandardError();
    EXPECT_TRUE(loaded.contains("libQt6Core.so"));
    EXPECT_FALSE(loaded.contains("libQt6Gui.so"));

    ASSERT_TRUE(QDir(folder.path()).mkdir("bin"));
    const QString moduleless = folder.filePath("bin/velloran-cli");
    ASSERT_TRUE(QFile::copy(VELLORAN_CLI_PATH, moduleless));
    program.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    const QString picture = folder.filePath("pressure.png");
    program.start(moduleless, {"plot", gun, "--y", "pressure", "-o", picture});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 1);
    const QByteArray message = program.readAllStandardError();
    // The loader's reason, in the user's language.
    EXPECT_TRUE(message.startsWith("Pictures cannot be drawn: " + folder.path().toUtf8()) &&
                message.contains("/velloran-cli-pictures.so: ") &&
                message.endsWith(QByteArray(std::strerror(ENOENT)) + "\n"))
        << message.toStdString();
    EXPECT_FALSE(QFile::exists(picture));
}

}  // namespace
