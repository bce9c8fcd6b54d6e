#include "model/ModelInputs.h"

#include <gtest/gtest.h>

#include "common/CommandErrors.h"
#include "tests/support/ExampleGun.h"

namespace {

using enum GunParameter;

// The message a reading ends with, or "" when it reads to the end.
std::string ReadingFailure(const GunParameterTexts& texts, char separator = '.') {
    ModelInputs inputs;
    try {
        ReadModelInputs(texts, separator, inputs);
        ValidateModelInputs(inputs);
    } catch (const CommandAbort& abort) {
        return std::string("abort: ") + abort.what();
    } catch (const CommandError& error) {
        return std::string("error: ") + error.what();
    }
    return "";
}

const std::string OutOfRange = "abort: One or more Parameters out of range.";

TEST(ReadModelInputs, ConvertsTheExampleGunToSiUnits) {
    ModelInputs in;
    ReadModelInputs(ExampleGunTexts(), '.', in);
    EXPECT_DOUBLE_EQ(in.BoreDiameter, 0.0045);
    EXPECT_DOUBLE_EQ(in.BoreArea, 1.6605e-5);  // 0.82 × 0.0045², not π/4
    EXPECT_DOUBLE_EQ(in.BulletMass, 0.0005);
    EXPECT_DOUBLE_EQ(in.BarrelEnd, 0.45);
    EXPECT_DOUBLE_EQ(in.StartPressure, 1e6);
    EXPECT_DOUBLE_EQ(in.PistonArea, 3.14159 * 0.0125 * 0.0125);
    EXPECT_NEAR(in.PistonArea, 4.90873e-4, 0.000005e-4);
    EXPECT_DOUBLE_EQ(in.PackingArea, 3 * 3.14159 * 25 * 1e-6);
    EXPECT_DOUBLE_EQ(in.SpringRate, 200 / 0.06);
    EXPECT_DOUBLE_EQ(in.Stroke, 0.06);
    EXPECT_DOUBLE_EQ(in.AmbientPressure, 1e5);
    EXPECT_DOUBLE_EQ(in.TimeStep, 1e-5);
    EXPECT_NO_THROW(ValidateModelInputs(in));
}

TEST(ReadModelInputs, FollowsTheUsersDecimalSeparator) {
    ModelInputs point;
    ModelInputs comma;
    ReadModelInputs(ExampleGunTexts('.'), '.', point);
    ReadModelInputs(ExampleGunTexts(','), ',', comma);
    EXPECT_EQ(comma.BoreArea, point.BoreArea);
    EXPECT_EQ(comma.TimeStep, point.TimeStep);
    EXPECT_EQ(ReadingFailure(ExampleGunTexts('.'), ','),
              "error: '4.5' is not a valid floating point value");
}

TEST(ReadModelInputs, ReportsOnlyTheFirstBadFieldInReadingOrder) {
    EXPECT_EQ(ReadingFailure(ExampleGunWith({{Caliber, "abc"}, {BulletWeight, "def"}})),
              "error: 'abc' is not a valid floating point value");
    EXPECT_EQ(ReadingFailure(ExampleGunWith({{ComputationStep, ""}})),
              "error: '' is not a valid floating point value");
    // The minimum force is read before the stroke check, the maximum force after it.
    EXPECT_EQ(ReadingFailure(ExampleGunWith({{MinimumForce, "x"}, {PistonStroke, "0"}})),
              "error: 'x' is not a valid floating point value");
    EXPECT_EQ(ReadingFailure(ExampleGunWith({{MaximumForce, "y"}, {PistonStroke, "0"}})),
              OutOfRange);
    // The stroke check itself converts the stroke's text.
    EXPECT_EQ(ReadingFailure(ExampleGunWith({{PistonStroke, "6O"}, {MaximumForce, "y"}})),
              "error: '6O' is not a valid floating point value");
}

// An optional parameter's range is checked where it is read; the message names it and the
// values it accepts. The edges of each range are the rows most easily got wrong.
TEST(ReadModelInputs, RefusesAnOptionalValueOutsideItsRangeNamingWhatItAccepts) {
    // clang-format off
    const std::pair<std::pair<GunParameter, const char*>, std::string> cases[] = {
        {{PortDiameter,      "-0.1"}, "abort: PortDiameter must be 0 or above 0 mm, not -0.1."},
        {{PortLength,        "0"},    "abort: PortLength must be above 0 mm, not 0."},
        {{PistonRestitution, "1"},    "abort: PistonRestitution must be from 0 to below 1, not 1."},
        {{GasRamExponent,    "0.99"}, "abort: GasRamExponent must be 0, or from 1 to 1.67, not 0.99."},
        {{GasRamExponent,    "1.68"}, "abort: GasRamExponent must be 0, or from 1 to 1.67, not 1.68."},
        {{AirTemperature,    "-1"},   "abort: AirTemperature must be 0 or above 0 K, not -1."},
        {{GasRamExponent,    "1.67"}, ""},
        {{PistonRestitution, "0"},    ""},
    };
    // clang-format on
    for (const auto& [change, failure] : cases) {
        EXPECT_EQ(ReadingFailure(ExampleGunWith({change})), failure) << change.second;
    }
}

// A variant's numbers are the gun's with its own texts set anew; a refused text set again must
// not leave the old text's message behind.
TEST(ReadModelInputs, ReadsAVariantsNumbersAsItsOwnTexts) {
    GunFieldNumbers variant(ExampleGunWith({{Caliber, "abc"}, {BulletWeight, "def"}}), '.');
    variant.Set(Caliber, "4.5", '.');
    variant.Set(BulletWeight, "ghi", '.');
    ModelInputs inputs;
    try {
        ReadModelInputs(variant, inputs);
        ADD_FAILURE() << "the weight's text was read as a number";
    } catch (const CommandError& error) {
        EXPECT_STREQ(error.what(), "'ghi' is not a valid floating point value");
    }
    EXPECT_DOUBLE_EQ(inputs.BoreDiameter, 0.0045);
}

TEST(ReadModelInputs, ChecksTheStrokeBeforeReadingTheRest) {
    GunParameterTexts allZero;
    allZero.fill("0");
    EXPECT_EQ(ReadingFailure(allZero), OutOfRange);
    EXPECT_EQ(ReadingFailure(ExampleGunWith({{PistonStroke, "0"}, {AdiabaticExponent, "air"}})),
              OutOfRange);
    EXPECT_EQ(ReadingFailure(ExampleGunWith({{PistonStroke, "-60"}})), OutOfRange);
}

TEST(ReadModelInputs, WritesEachValueAsItIsReadEvenWhenALaterCheckFails) {
    ModelInputs in;
    GunParameterTexts texts = ExampleGunWith({{PistonStroke, "0"}});
    EXPECT_THROW(ReadModelInputs(texts, '.', in), CommandAbort);
    EXPECT_DOUBLE_EQ(in.SpringMinimumForce, 200);  // read before the stroke check
    EXPECT_EQ(in.SpringRate, 0);                   // never reached
}

TEST(ValidateModelInputs, RefusesEveryValueThatIsNotPositive) {
    EXPECT_EQ(ReadingFailure(ExampleGunWith({{MaximumForce, "200"}})), OutOfRange);  // k = 0
    EXPECT_EQ(ReadingFailure(ExampleGunWith({{InitialPressure, "0"}})), OutOfRange);
    EXPECT_EQ(ReadingFailure(ExampleGunWith({{AirPressure, "-0.1"}})), OutOfRange);
    EXPECT_EQ(ReadingFailure(ExampleGunWith({{Caliber, "1e-200"}})),
              OutOfRange);  // A_b underflows to 0
    EXPECT_EQ(ReadingFailure(ExampleGunWith({{PistonDiameter, "-28"}, {PackingThickness, "2"}})),
              OutOfRange);
}

TEST(ValidateModelInputs, AcceptsANegativeDiameterWithANegativePacking) {
    ModelInputs negative;
    ModelInputs positive;
    ReadModelInputs(ExampleGunWith({{PistonDiameter, "-28"}, {PackingThickness, "-2"}}), '.',
                    negative);
    ReadModelInputs(ExampleGunWith({{PistonDiameter, "28"}, {PackingThickness, "2"}}), '.',
                    positive);
    EXPECT_NO_THROW(ValidateModelInputs(negative));
    EXPECT_EQ(negative.PistonArea, positive.PistonArea);
    EXPECT_EQ(negative.PackingArea, positive.PackingArea);
}

TEST(ReadModelInputs, ReportsAnOverflowWhereItArises) {
    EXPECT_EQ(ReadingFailure(ExampleGunWith({{Caliber, "1e200"}, {BulletWeight, "x"}})),
              "error: Floating point overflow");
}

TEST(CompleteModelInputs, DerivesTheAirAndTheBulletMassFactor) {
    ModelInputs in;
    ReadModelInputs(ExampleGunTexts(), '.', in);
    CompleteModelInputs(in);
    // Figures quoted to five significant digits; the tolerance is half a unit of the last one.
    EXPECT_NEAR(in.SweptVolume, 2.9452e-5, 0.00005e-5);
    EXPECT_NEAR(in.AirMass, 3.8082e-5, 0.00005e-5);
    EXPECT_NEAR(in.BulletMassFactor, 1.0754, 0.00005);
    EXPECT_DOUBLE_EQ(in.AirMass, in.SweptVolume * 1.293);
}

}  // namespace
