#include "common/CommandRunner.h"

#include <gtest/gtest.h>

#include "common/CommandErrors.h"
#include "tests/common/RecordingMessageSink.h"

TEST(RunCommand, ShowsNothingForACommandThatRunsToItsEnd) {
    RecordingMessageSink sink;
    bool ran = false;
    EXPECT_TRUE(RunCommand(sink, [&] { ran = true; }));
    EXPECT_TRUE(ran);
    EXPECT_TRUE(sink.messages.empty());
}

TEST(RunCommand, ShowsAnErrorWithTheStandardDisplayAndAFullStop) {
    RecordingMessageSink sink;
    EXPECT_FALSE(
        RunCommand(sink, [] { throw CommandError("'' is not a valid floating point value"); }));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], (RecordedMessage{true, "'' is not a valid floating point value."}));
}

TEST(RunCommand, ShowMessageAndAbortShowsItsTextOnceAndSkipsTheRestOfTheCommand) {
    RecordingMessageSink sink;
    bool reachedAfterAbort = false;
    EXPECT_FALSE(RunCommand(sink, [&] {
        ShowMessageAndAbort("One or more Parameters out of range.");
        reachedAfterAbort = true;
    }));
    EXPECT_FALSE(reachedAfterAbort);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], (RecordedMessage{false, "One or more Parameters out of range."}));
}
