#pragma once
// Shows the program's messages in modal message boxes captioned with the application title.

#include <QString>

#include "common/MessageSink.h"

class MessageBoxSink : public MessageSink {
public:
    explicit MessageBoxSink(QString caption) : caption_(std::move(caption)) {}

    void ShowErrorMessage(const std::string& text) override;
    void ShowPlainMessage(const std::string& text) override;

private:
    QString caption_;
};
