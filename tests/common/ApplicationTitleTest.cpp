#include "common/ApplicationTitle.h"

#include <gtest/gtest.h>

TEST(ApplicationTitle, IsTheExecutableNameUpToItsFirstFullStopCapitalised) {
    EXPECT_EQ(ApplicationTitle("/usr/bin/velloran"), "Velloran");
    EXPECT_EQ(ApplicationTitle("/opt/guns/VELLORAN.EXE"), "Velloran");
    EXPECT_EQ(ApplicationTitle("C:\\Apps\\VelloRan.v2.exe"), "Velloran");
    EXPECT_EQ(ApplicationTitle("velloran-cli"), "Velloran-cli");
    EXPECT_EQ(ApplicationTitle(""), "");
}

TEST(ApplicationTitle, AppendsAFullStopOnlyAfterCharactersThatSortAfterIt) {
    EXPECT_EQ(WithClosingFullStop("'x' is not a valid floating point value"),
              "'x' is not a valid floating point value.");
    EXPECT_EQ(WithClosingFullStop("Floating point overflow"), "Floating point overflow.");
    EXPECT_EQ(WithClosingFullStop("step 3"), "step 3.");
    EXPECT_EQ(WithClosingFullStop("a path/"), "a path/.");
    EXPECT_EQ(WithClosingFullStop("Done."), "Done.");
    EXPECT_EQ(WithClosingFullStop("(see above)"), "(see above)");
    EXPECT_EQ(WithClosingFullStop("Stop!"), "Stop!");
    EXPECT_EQ(WithClosingFullStop(""), "");
}
