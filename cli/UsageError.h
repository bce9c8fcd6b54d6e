#pragma once
// Wrong usage: the command line itself is wrong. Shown with the command's usage line; the
// program ends with status 2. Not a std::exception, so that the handlers of a command's own
// errors let it through.

#include <string>

class UsageError {
public:
    explicit UsageError(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept { return message_.c_str(); }

private:
    std::string message_;
};
