#pragma once
// The five windows of the program, created as at start-up, with messages recorded.

#include <gtest/gtest.h>

#include "app/VelloranWindows.h"
#include "common/ProgramContext.h"
#include "tests/common/RecordingMessageSink.h"

class WindowsFixture : public testing::Test {
protected:
    explicit WindowsFixture(char decimalSeparator = '.')
        : context{messages, decimalSeparator, QStringLiteral("/tmp/")}, windows(context) {}

    RecordingMessageSink messages;
    ProgramContext context;
    VelloranWindows windows;
};
