#pragma once
// Records the messages a command shows instead of opening message boxes.

#include <string>
#include <vector>

#include "common/MessageSink.h"

struct RecordedMessage {
    bool isError;  // shown by the standard exception display
    std::string text;
    bool operator==(const RecordedMessage&) const = default;
};

class RecordingMessageSink : public MessageSink {
public:
    void ShowErrorMessage(const std::string& text) override { messages.push_back({true, text}); }
    void ShowPlainMessage(const std::string& text) override { messages.push_back({false, text}); }

    std::vector<RecordedMessage> messages;
};
