#include "tools/UnitConversion.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "common/CommandErrors.h"
#include "tools/ConversionTable.h"
#include "tools/RoundConversion.h"

namespace {

struct RoundingCase {
    double value;
    int decimals;
    double rounded;
};

class RoundConversionGives : public testing::TestWithParam<RoundingCase> {};

TEST_P(RoundConversionGives, TheNearestStepWithHalvesUpwards) {
    const RoundingCase& c = GetParam();
    // The second step may land a unit in the last place off the decimal figure (1.001 - 0.001
    // is 1.0000000000000002); the field shows 15 digits, so that is within what counts.
    EXPECT_DOUBLE_EQ(RoundConversion(c.value, c.decimals), c.rounded) << c.value;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Figures, RoundConversionGives, testing::Values(
    RoundingCase{0.125, 2, 0.13},       // an exact half goes up...
    RoundingCase{-0.125, 2, -0.12},     // ...towards plus infinity, for negatives too
    RoundingCase{2.5, 0, 3},
    RoundingCase{-2.5, 0, -2},
    RoundingCase{-0.0005, 3, 0},
    RoundingCase{1.00049, 3, 1},
    RoundingCase{0.044999, 2, 0.04},
    RoundingCase{-0.045001, 2, -0.05},
    RoundingCase{0.12345, 4, 0.1234},   // the double of 0.12345 lies below the half
    RoundingCase{28.3495, 3, 28.349},   // and so does that of 28.3495
    RoundingCase{123456.789, 2, 123456.79},
    RoundingCase{-1e-7, 3, 0}));
// clang-format on

// The result text of a conversion, or the text of the error it raised.
std::string Outcome(std::string_view from, std::string_view to, const std::string& text,
                    char separator) {
    const ConversionRow* row = FindConversion(from, to);
    if (!row) {
        return "no row";
    }
    try {
        return ConvertFieldText(text, *row, separator);
    } catch (const CommandError& error) {
        return std::string("error: ") + error.what();
    }
}

std::string WithSeparator(std::string text, char separator) {
    for (char& c : text) {
        if (c == '.') {
            c = separator;
        }
    }
    return text;
}

struct ConversionCase {
    const char* from;
    const char* to;
    const char* text;
    const char* expected;  // written with a point; the comma run swaps it in
};

class ConversionUnderEitherSeparator
    : public testing::TestWithParam<std::tuple<char, ConversionCase>> {};

TEST_P(ConversionUnderEitherSeparator, GivesTheFieldText) {
    const auto& [separator, c] = GetParam();
    EXPECT_EQ(Outcome(c.from, c.to, WithSeparator(c.text, separator), separator),
              WithSeparator(c.expected, separator))
        << c.from << " to " << c.to << ": " << c.text;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Figures, ConversionUnderEitherSeparator, testing::Combine(
    testing::Values('.', ','), testing::Values(
    // One per row, each figure worked out from the unit's definition (1 gr = 64.79891 mg,
    // 1 oz = 28.349523125 g, 1 ft.lb = 1.3558179483314004 J, 1 psi = 6894.757293168 Pa).
    ConversionCase{"gr", "g", "10", "0.648"},
    ConversionCase{"g", "gr", "10", "154.3236"},
    ConversionCase{"m", "yd", "100", "109.361"},
    ConversionCase{"yd", "m", "10", "9.144"},
    ConversionCase{"m/s", "ft/s", "1", "3.281"},
    ConversionCase{"ft/s", "m/s", "1000", "304.8"},
    ConversionCase{"J", "ft.lb", "100", "73.756"},
    ConversionCase{"ft.lb", "J", "12", "16.27"},
    ConversionCase{"cm", "in", "100", "39.37"},
    ConversionCase{"in", "cm", "0.177", "0.45"},
    ConversionCase{"m", "ft", "100", "328.084"},
    ConversionCase{"ft", "m", "10", "3.048"},
    ConversionCase{"oz", "g", "10", "283.495"},
    ConversionCase{"g", "oz", "100", "3.527"},
    ConversionCase{"MPa", "psi", "10", "1450.38"},
    ConversionCase{"psi", "MPa", "1000", "6.89"},
    ConversionCase{"MPa", "bar", "0.123", "1.23"},
    ConversionCase{"bar", "MPa", "7.5", "0.75"},
    // Where the table's rounded factors part from the definitions, and other edges.
    ConversionCase{"oz", "g", "1", "28.349"},       // 28.3495 as a double lies below the half
    ConversionCase{"gr", "g", "7.5", "0.486"},      // no trailing zero
    ConversionCase{"g", "gr", "0.486", "7.5001"},   // and back: not the text first typed
    ConversionCase{"g", "gr", "-1", "-15.4324"},
    ConversionCase{"g", "gr", "  +5E-1 ", "7.7162"},
    ConversionCase{"bar", "MPa", "-0.01", "0"},     // rounds to zero, shown without a sign
    ConversionCase{"MPa", "bar", "", "error: '' is not a valid floating point value"},
    ConversionCase{"MPa", "bar", "1 000", "error: '1 000' is not a valid floating point value"},
    ConversionCase{"MPa", "psi", "1e308", "error: Floating point overflow"},
    ConversionCase{"MPa", "bar", "1e306", "error: Floating point overflow"})));  // in the scaling
// clang-format on

TEST(Conversion, AcceptsOnlyTheUsersDecimalSeparator) {
    EXPECT_EQ(Outcome("gr", "g", "7,5", ','), "0,486");
    EXPECT_EQ(Outcome("gr", "g", "7.5", ','), "error: '7.5' is not a valid floating point value");
    EXPECT_EQ(Outcome("gr", "g", "7,5", '.'), "error: '7,5' is not a valid floating point value");
}

TEST(Conversion, ZeroGivesZeroInEveryRow) {
    for (const ConversionRow& row : ConversionTable) {
        EXPECT_EQ(ConvertFieldText("0", row, '.'), "0") << row.button;
    }
}

struct Definition {
    const char* from;
    const char* to;
    double factor;     // from the units' definitions
    double tolerance;  // relative
};

TEST(ConversionTable, FactorsAgreeWithTheUnitDefinitionsAndPartnersAreReciprocal) {
    // The grain, ounce, foot-pound and psi factors are the definitions cut to six significant
    // figures, so they may lie 2e-6 off; the exact ones lie within a double's rounding.
    // clang-format off
    const Definition definitions[] = {
        {"gr", "g", 0.06479891, 2e-6},          {"oz", "g", 28.349523125, 2e-6},
        {"ft.lb", "J", 1.3558179483314004, 2e-6}, {"psi", "MPa", 6894.757293168e-6, 2e-6},
        {"yd", "m", 0.9144, 1e-15},             {"ft/s", "m/s", 0.3048, 1e-15},
        {"ft", "m", 0.3048, 1e-15},             {"in", "cm", 2.54, 1e-15},
        {"bar", "MPa", 0.1, 1e-15}};
    // clang-format on
    for (const Definition& d : definitions) {
        const ConversionRow* forth = FindConversion(d.from, d.to);
        const ConversionRow* back = FindConversion(d.to, d.from);
        ASSERT_TRUE(forth && back) << d.from << " " << d.to;
        EXPECT_NEAR(forth->factor / d.factor, 1, d.tolerance) << d.from;
        EXPECT_DOUBLE_EQ(back->factor, 1 / forth->factor) << d.from;
        EXPECT_EQ(back->decimals, forth->decimals);
        EXPECT_EQ(back->sourceField, forth->targetField);
        EXPECT_EQ(back->targetField, forth->sourceField);
    }
}

TEST(ConversionTable, FindsEveryRowByItsUnitsAndNothingElse) {
    for (const ConversionRow& row : ConversionTable) {
        EXPECT_EQ(FindConversion(row.fromUnit, row.toUnit), &row) << row.button;
        EXPECT_EQ(ConversionOfButton(row.button), &row);
    }
    EXPECT_EQ(FindConversion("m", "ft")->factor, FindConversion("m/s", "ft/s")->factor);
    EXPECT_EQ(FindConversion("gr", "oz"), nullptr);
    EXPECT_EQ(FindConversion("psi", "bar"), nullptr);
    EXPECT_EQ(FindConversion("g", "g"), nullptr);
    EXPECT_EQ(FindConversion("mpa", "psi"), nullptr);
    EXPECT_EQ(ConversionOfButton(19), nullptr);
}

}  // namespace
