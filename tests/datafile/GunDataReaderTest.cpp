#include "datafile/GunDataReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>
#include <string>

#include "datafile/GunDataWriter.h"
#include "datafile/ReportOptionalSection.h"

namespace {

std::optional<GunParameters> Read(const std::string& text) {
    std::istringstream in(text);
    return ReadGunData(in);
}

// Sixteen parameter lines whose values are 1 … 16, so a value read tells which colon fed it.
std::string NumberedParameters(const std::string& lineEnd = "\r\n") {
    std::string text;
    for (int n = 1; n <= GunParameterCount; ++n) {
        text += lineEnd + " Parameter " + std::to_string(n) + ":   " + std::to_string(n) + ".000";
    }
    return text;
}

void ExpectNumberedValues(const GunParameters& gun) {
    for (int n = 1; n <= GunParameterCount; ++n) {
        EXPECT_EQ(gun.values[static_cast<size_t>(n - 1)], n) << "parameter " << n;
    }
}

struct HeadCase {
    const char* description;
    std::string head;  // everything up to the name line's end
    bool accepted;
};

class GunDataReaderHead : public testing::TestWithParam<HeadCase> {};

TEST_P(GunDataReaderHead, FindsTheNameOnlyNearTheStartOfTheFile) {
    const std::optional<GunParameters> gun = Read(GetParam().head + NumberedParameters());
    ASSERT_EQ(gun.has_value(), GetParam().accepted);
    if (gun) {
        EXPECT_EQ(gun->name, " N ");
        ExpectNumberedValues(*gun);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, GunDataReaderHead, testing::Values(
    HeadCase{"StarAs50thCharacter", std::string(49, ' ') + "*: N \n", true},
    HeadCase{"StarAs51stCharacter", std::string(50, ' ') + "*: N \n", false},
    HeadCase{"CarriageReturnsAreNotCounted", std::string(30, '\r') + std::string(49, '\n') + "*: N \n", true},
    HeadCase{"ColonAs1000thCharacterAfterTheStar", "*" + std::string(999, '-') + ": N \n", true},
    HeadCase{"ColonAs1001stCharacterAfterTheStar", "*" + std::string(1000, '-') + ": N \n", false},
    HeadCase{"OtherTextBeforeTheStar", "Gun file\r\n*** ***\r\n Name: N \r\n", true},
    HeadCase{"NoStarAtAll", " Air Gun: N \r\n", false}),
    [](const auto& info) { return std::string(info.param.description); });
// clang-format on

TEST(GunDataReader, RefusesAnEmptyFileAndAShortFileWithoutAStar) {
    EXPECT_FALSE(Read(""));
    EXPECT_FALSE(Read("\r\n"));
}

TEST(GunDataReader, ReadsALongNameWithColonsWholeAndTheNumbersAfterIt) {
    std::string name;
    while (name.size() < 300) {
        name += " a:b* 1.5 ";
    }
    const std::optional<GunParameters> gun = Read("*:" + name + "\r\n" + NumberedParameters());
    ASSERT_TRUE(gun);
    EXPECT_EQ(gun->name, name);
    ExpectNumberedValues(*gun);
}

TEST(GunDataReader, ReadsOtherLabelsLfLineEndsAndAFileWithoutTheSummary) {
    const std::optional<GunParameters> gun = Read("\n *\n x:My gun\n" + NumberedParameters("\n"));
    ASSERT_TRUE(gun);
    EXPECT_EQ(gun->name, "My gun");
    ExpectNumberedValues(*gun);
}

struct NumberCase {
    const char* description;
    std::string firstNumber;  // the text after the first parameter's colon
    std::optional<double> value;
};

class GunDataReaderNumber : public testing::TestWithParam<NumberCase> {};

TEST_P(GunDataReaderNumber, ReadsTheNumberAfterTheColonOrRefusesTheFile) {
    std::string parameters = NumberedParameters();
    const size_t firstColon = parameters.find(':');
    parameters.replace(firstColon + 1, parameters.find('\r', firstColon) - firstColon - 1,
                       GetParam().firstNumber);
    const std::optional<GunParameters> gun = Read("*: N \r\n" + parameters);
    ASSERT_EQ(gun.has_value(), GetParam().value.has_value());
    if (gun) {
        EXPECT_EQ(gun->values[0], *GetParam().value);
        EXPECT_EQ(gun->values[1], 2) << "the next colon feeds the next parameter";
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, GunDataReaderNumber, testing::Values(
    NumberCase{"Plain", "  4.500  ", 4.5},
    NumberCase{"SignAndExponent", "+1.5e2", 150.0},
    NumberCase{"NegativeWithoutLeadingDigit", "-.5", -0.5},
    NumberCase{"TrailingPoint", "5.", 5.0},
    NumberCase{"OnTheNextLine", "\r\n\t 7.25", 7.25},
    NumberCase{"DecimalCommaReadsUpToTheComma", " 4,5  ", 4.0},
    NumberCase{"ExponentWithoutDigitsIsIgnored", " 3e+ ", 3.0},
    NumberCase{"UnderflowReadsAsZero", " 1e-400", 0.0},
    NumberCase{"NoNumber", " abc", std::nullopt},
    NumberCase{"PointAlone", " . 5", std::nullopt},
    NumberCase{"NotANumber", " nan", std::nullopt},
    NumberCase{"Infinity", " inf", std::nullopt},
    NumberCase{"Overflow", " 1e999", std::nullopt},
    NumberCase{"NegativeOverflow", " -1e999", std::nullopt}),
    [](const auto& info) { return std::string(info.param.description); });
// clang-format on

TEST(GunDataReader, RefusesAFileThatEndsBeforeTheSixteenthNumber) {
    const std::string complete = "*: N \r\n" + NumberedParameters();
    ASSERT_TRUE(Read(complete));
    EXPECT_FALSE(Read(complete.substr(0, complete.rfind(':'))));
    EXPECT_FALSE(Read(complete.substr(0, complete.rfind(':') + 1)));
    EXPECT_FALSE(Read("*: Name without a line end"));
}

TEST(GunDataReader, GivesBackWhatTheWriterWroteRoundedToThreeDecimals) {
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> decade(-5, 8);
    std::uniform_int_distribution<int> byte(1, 255);
    const std::string utf8Name = " Luftgewehr Ø 4,5 mm — Čížek: 木 ";
    for (int round = 0; round < 200; ++round) {
        std::array<double, GunParameterCount> values{};
        for (double& value : values) {
            value = mantissa(random) * std::pow(10.0, decade(random));
        }
        std::string name = round == 0 ? utf8Name : "";
        for (int i = round % 40; i > 0; --i) {
            const char c = static_cast<char>(byte(random));
            name += c == '\n' || c == '\r' ? ' ' : c;
        }
        std::stringstream file;
        WriteGunData(file, name, values, {1, 2, 3, 4, 5});
        const std::optional<GunParameters> gun = ReadGunData(file);
        ASSERT_TRUE(gun) << file.str();
        EXPECT_EQ(gun->name, " " + name + " ") << "the blanks around the name stay";
        for (size_t i = 0; i < values.size(); ++i) {
            const double rounded = std::round(values[i] * 1000) / 1000;
            EXPECT_NEAR(gun->values[i], rounded, 1e-9 * std::max(1.0, std::fabs(rounded)));
        }
    }
}

TEST(GunDataReader, ANameWithALineBreakNoLongerShiftsTheParameters) {
    std::stringstream file;
    WriteGunData(file, "Pasted\r\nNote: 99", {1, 2, 3}, {});
    const std::optional<GunParameters> gun = ReadGunData(file);
    ASSERT_TRUE(gun);
    EXPECT_EQ(gun->name, " Pasted  Note: 99 ");
    EXPECT_EQ(gun->values[0], 1);
    EXPECT_EQ(gun->values[2], 3);
}

// The optional section after the summary is no concern of the window's reader: it reads the
// same name and sixteen from a report with it as without. The section's own reader gives the
// five back, the neutral ones without a section, and names what it cannot read.
TEST(GunDataReader, AnOptionalSectionChangesNothingTheWindowReadsAndReadsBackByItself) {
    const std::array<double, GunParameterCount> values = {4.5, 0.5,  450, 1.05, 1,  0.2, 25,  0.1,
                                                          3,   0.03, 200, 400,  60, 1.4, 0.1, 0.01};
    const OptionalParameterValues optional = {2, 25, 0.5, 1.3, 293.15};
    std::stringstream plain;
    std::stringstream sectioned;
    WriteGunData(plain, " Air Gun", values, {1, 2, 3, 4, 5, SummaryModel::Basic});
    WriteGunData(sectioned, " Air Gun", values, {1, 2, 3, 4, 5, SummaryModel::Extended}, optional);
    const std::string report = sectioned.str();
    ASSERT_TRUE(report.starts_with(plain.str()));
    EXPECT_NE(report.find("\r\n Summary Above:             extended model, with these\r\n"
                          " Port Diameter [mm]:         2.000\r\n"),
              std::string::npos);
    const std::optional<GunParameters> withSection = ReadGunData(sectioned);
    const std::optional<GunParameters> without = ReadGunData(plain);
    ASSERT_TRUE(withSection && without);
    EXPECT_EQ(withSection->name, without->name);
    EXPECT_EQ(withSection->values, without->values);

    const OptionalSectionReading read = ReadOptionalSection(report);
    EXPECT_EQ(read.failure, "");
    EXPECT_EQ(read.values, (OptionalParameterValues{2, 25, 0.5, 1.3, 293.15}));
    EXPECT_EQ(ReadOptionalSection(plain.str()).values, NeutralOptionalValues());

    // clang-format off
    const std::pair<std::string, std::string> damaged[] = {
        {" Port Width [mm]: 2", "The optional parameters hold a line that is none of theirs: 'Port Width [mm]: 2'."},
        {" Port Length [mm]: 2,5", "The optional parameters' line 'Port Length [mm]: 2,5' holds no number written with a point."},
        {" Port Diameter [mm]: 3", "The optional parameters give PortDiameter twice."},
    };
    // clang-format on
    for (const auto& [line, failure] : damaged) {
        EXPECT_EQ(ReadOptionalSection(report + "\r\n" + line).failure, failure);
    }
}

}  // namespace
