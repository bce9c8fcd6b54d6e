#include "tools/SpringForce.h"

#include <gtest/gtest.h>

#include "common/CommandErrors.h"
#include "tools/SpringCalculation.h"

namespace {

TEST(SpringForce, MatchesTheHelicalSpringRelation) {
    // Worked by hand from F = Gm d^4 s / (8 n Dm^3); the relative tolerance covers the
    // rounding of a handful of double operations.
    EXPECT_NEAR(SpringForce(2.9, 19, 33, 35, 81.5), 183.1201307, 1e-7);
    EXPECT_NEAR(SpringForce(3, 20, 30, 40, 81.5), 223.9466721, 1e-7);
    EXPECT_EQ(SpringForce(3, 20, 30, 0, 81.5), 0);
}

// The result text of the calculator, or the text of the error it raised.
std::string Outcome(const SpringInputTexts& texts, char separator = '.') {
    try {
        return ComputeSpringPower(texts, separator);
    } catch (const CommandError& error) {
        return std::string("error: ") + error.what();
    }
}

TEST(SpringCalculation, RoundsUpToWholeNewtons) {
    EXPECT_EQ(Outcome({"2.9", "19", "33", "35", "81.5"}), "184");
    EXPECT_EQ(Outcome({"2,9", "19", "33", "35", "81,5"}, ','), "184");
    EXPECT_EQ(Outcome({"3", "20", "30", "40", "81.5"}), "224");
    EXPECT_EQ(Outcome({"3", "20", "30", "0", "81.5"}), "0");
    EXPECT_EQ(Outcome({"2", "10", "50", "4", "80"}), "25");        // a whole force stays
    EXPECT_EQ(Outcome({"3", "20", "30", "-40", "81.5"}), "-223");  // towards zero
}

TEST(SpringCalculation, ReportsTheFirstBadFieldAndFaultsOfTheArithmetic) {
    EXPECT_EQ(Outcome({"2.9", "19", "many", "35", "x"}),
              "error: 'many' is not a valid floating point value");
    EXPECT_EQ(Outcome({"2.9", "19", "33", "35", "81.5"}, ','),
              "error: '2.9' is not a valid floating point value");
    EXPECT_EQ(Outcome({"3", "3", "30", "40", "81.5"}), "error: Floating point division by zero");
    EXPECT_EQ(Outcome({"3", "20", "0", "40", "81.5"}), "error: Floating point division by zero");
    EXPECT_EQ(Outcome({"3", "3", "30", "0", "81.5"}), "error: Invalid floating point operation");
    EXPECT_EQ(Outcome({"1e100", "20", "30", "40", "81.5"}), "error: Floating point overflow");
}

}  // namespace
