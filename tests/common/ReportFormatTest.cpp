#include "common/ReportFormat.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

TEST(ReportFormat, FollowsPrintfWidthsAndPrecisions) {
    EXPECT_EQ(FormatReport(" Computation Steps:   %6.0i ", 1170), " Computation Steps:     1170 ");
    // A precision of 0 prints no digit at all for the value 0.
    EXPECT_EQ(FormatReport(" Computation Steps:   %6.0i ", 0), " Computation Steps:          ");
    EXPECT_EQ(FormatReport("%6.0i", -1), "    -1");
    EXPECT_EQ(FormatReport("%6.3f", 4.5), " 4.500");
    EXPECT_EQ(FormatReport("%6.3f", 450.0), "450.000");  // wider than the width, never cut
    EXPECT_EQ(FormatReport("%9.1f", 205.04999), "    205.0");
    EXPECT_EQ(FormatReport("%s|%s", "a", ""), "a|");
}

TEST(ReportFormat, WritesAPointUnderEveryLocaleAndLeavesTheLocaleAsItWas) {
    const std::string before = std::localeconv()->decimal_point;
    EXPECT_EQ(FormatReport("%7.1f", 12.25), "   12.2");
    char plain[32];
    std::snprintf(plain, sizeof plain, "%.1f", 0.5);
    EXPECT_EQ(std::string(plain), "0" + before + "5");
}

// The suite runs a second time under a decimal-comma locale; this makes sure that run really
// had one, so the tests above did meet a comma.
TEST(ReportFormat, TheDecimalCommaRunHasACommaLocale) {
    if (std::getenv("VELLORAN_EXPECT_DECIMAL_COMMA") == nullptr) {
        GTEST_SKIP() << "not the decimal-comma run";
    }
    EXPECT_STREQ(std::localeconv()->decimal_point, ",");
}
