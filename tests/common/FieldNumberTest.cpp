#include "common/FieldNumber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "common/CommandErrors.h"

namespace {

struct AcceptedText {
    const char* text;
    char separator;
    double value;
};

class FieldToNumberAccepts : public testing::TestWithParam<AcceptedText> {};

TEST_P(FieldToNumberAccepts, ReadsTheValue) {
    const AcceptedText& c = GetParam();
    const std::optional<double> value = TryFieldToNumber(c.text, c.separator);
    ASSERT_TRUE(value.has_value()) << "'" << c.text << "'";
    EXPECT_EQ(*value, c.value) << "'" << c.text << "'";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Grammar, FieldToNumberAccepts, testing::Values(
    AcceptedText{"4.5", '.', 4.5},
    AcceptedText{"  4.5   ", '.', 4.5},
    AcceptedText{"+4.5", '.', 4.5},
    AcceptedText{"-4.5", '.', -4.5},
    AcceptedText{"450", '.', 450},
    AcceptedText{"5.", '.', 5},
    AcceptedText{".5", '.', 0.5},
    AcceptedText{".", '.', 0},             // a lone separator reads as 0
    AcceptedText{"-.", '.', 0},
    AcceptedText{"1e3", '.', 1000},
    AcceptedText{"1E-3", '.', 0.001},
    AcceptedText{"2.5e+2", '.', 250},
    AcceptedText{"-.5e1", '.', -5},
    AcceptedText{"007", '.', 7},
    AcceptedText{"1e-400", '.', 0},        // too small: the nearest double, no error
    AcceptedText{"1.7976931348623157e308", '.', 1.7976931348623157e308},
    AcceptedText{"4,5", ',', 4.5},
    AcceptedText{" 2,9 ", ',', 2.9},
    AcceptedText{",", ',', 0},
    AcceptedText{"-1,5E-2", ',', -0.015}));
// clang-format on

struct RefusedText {
    const char* text;
    char separator;
};

class FieldToNumberRefuses : public testing::TestWithParam<RefusedText> {};

TEST_P(FieldToNumberRefuses, WithTheConversionError) {
    const RefusedText& c = GetParam();
    EXPECT_FALSE(TryFieldToNumber(c.text, c.separator).has_value()) << "'" << c.text << "'";
    try {
        FieldToNumber(c.text, c.separator);
        ADD_FAILURE() << "'" << c.text << "' was accepted";
    } catch (const CommandError& error) {
        EXPECT_EQ(error.what(),
                  "'" + std::string(c.text) + "' is not a valid floating point value");
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Grammar, FieldToNumberRefuses, testing::Values(
    RefusedText{"", '.'},
    RefusedText{"   ", '.'},
    RefusedText{"+", '.'},
    RefusedText{"-", '.'},
    RefusedText{"4.5mm", '.'},
    RefusedText{"1,234.5", '.'},           // no thousands separator
    RefusedText{"4,5", '.'},               // only the user's separator
    RefusedText{"4.5", ','},
    RefusedText{"4..5", '.'},
    RefusedText{"4.5.", '.'},
    RefusedText{"1e", '.'},
    RefusedText{"1e+", '.'},
    RefusedText{"e5", '.'},
    RefusedText{"1e3.5", '.'},
    RefusedText{"\t4.5", '.'},             // blanks are spaces only
    RefusedText{"4 5", '.'},
    RefusedText{"+-4", '.'},
    RefusedText{"0x10", '.'},
    RefusedText{"inf", '.'},
    RefusedText{"nan", '.'},
    RefusedText{"1e400", '.'},             // too large for a double
    RefusedText{"-1.8e308", '.'},
    RefusedText{"\xd9\xa3", '.'}));        // a digit of another script
// clang-format on

struct WrittenNumber {
    double value;
    char separator;
    const char* text;
};

class NumberToFieldWrites : public testing::TestWithParam<WrittenNumber> {};

TEST_P(NumberToFieldWrites, TheShortestGeneralForm) {
    const WrittenNumber& c = GetParam();
    EXPECT_EQ(NumberToField(c.value, c.separator), c.text);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Notation, NumberToFieldWrites, testing::Values(
    WrittenNumber{0, '.', "0"},
    WrittenNumber{-0.0, '.', "0"},
    WrittenNumber{4.5, '.', "4.5"},
    WrittenNumber{4.5, ',', "4,5"},
    WrittenNumber{-7.5, '.', "-7.5"},
    WrittenNumber{1000, '.', "1000"},
    WrittenNumber{0.001, '.', "0.001"},
    WrittenNumber{0.0001, '.', "0.0001"},
    WrittenNumber{0.00001, '.', "1E-5"},
    WrittenNumber{-1.5e-7, ',', "-1,5E-7"},
    WrittenNumber{1.5e20, ',', "1,5E20"},
    WrittenNumber{1e15, '.', "1E15"},
    WrittenNumber{999999999999999.0, '.', "999999999999999"},
    WrittenNumber{999999999999999.9, '.', "1E15"},       // rounding to 15 digits carries over
    WrittenNumber{123456789012345678.0, '.', "1.23456789012346E17"},
    WrittenNumber{0.1 + 0.2, '.', "0.3"},
    WrittenNumber{1.0 / 3.0, '.', "0.333333333333333"},
    WrittenNumber{2.0 / 3.0, '.', "0.666666666666667"},
    WrittenNumber{28.349, '.', "28.349"},
    WrittenNumber{1e-300, '.', "1E-300"},
    WrittenNumber{1.7976931348623157e308, '.', "1.79769313486231E308"}));
// clang-format on

// Every text the writer makes reads back, and reading and writing it again changes nothing.
TEST(NumberToField, WritesTextsThatReadBackToTheSameText) {
    std::mt19937_64 random(20091);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-30, 30);
    for (const char separator : {'.', ','}) {
        for (int i = 0; i < 5000; ++i) {
            const double value = mantissa(random) * std::pow(10.0, exponent(random));
            const std::string text = NumberToField(value, separator);
            const std::optional<double> read = TryFieldToNumber(text, separator);
            ASSERT_TRUE(read.has_value()) << text;
            EXPECT_EQ(NumberToField(*read, separator), text);
            EXPECT_NEAR(*read, value, std::fabs(value) * 1e-14) << text;
        }
    }
}

// Rounded to fifteen digits, the largest doubles became 1.79769313486232E308, a text beyond
// the range of a double that the conversion refuses: a value loaded from a report showed in
// its field as a text that Compute then rejected.
TEST(NumberToField, LargestDoublesWereWrittenAsTextsBeyondTheDoubleRange) {
    const double largest = std::numeric_limits<double>::max();
    for (const double value :
         {largest, std::nextafter(largest, 0.0), 1.797693134862315e308, 1.79769313486231e308}) {
        for (const double signedValue : {value, -value}) {
            const std::string text = NumberToField(signedValue, ',');
            EXPECT_EQ(text, signedValue < 0 ? "-1,79769313486231E308" : "1,79769313486231E308");
            EXPECT_TRUE(TryFieldToNumber(text, ',').has_value()) << text;
        }
    }
    // Below them the digits are rounded as everywhere else.
    EXPECT_EQ(NumberToField(1.797693134862304e308, '.'), "1.7976931348623E308");
}

}  // namespace
