#include "common/ApplicationTitle.h"

#include <algorithm>

std::string ApplicationTitle(std::string_view executablePath) {
    const auto lastSeparator = executablePath.find_last_of("/\\");
    std::string_view name = lastSeparator == std::string_view::npos
                                ? executablePath
                                : executablePath.substr(lastSeparator + 1);
    name = name.substr(0, name.find('.'));
    std::string title(name);
    // Installed programs are lower case on Linux; the title reads "Velloran" all the same.
    std::transform(title.begin(), title.end(), title.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    if (!title.empty() && title.front() >= 'a' && title.front() <= 'z') {
        title.front() = static_cast<char>(title.front() - 'a' + 'A');
    }
    return title;
}

std::string WithClosingFullStop(std::string message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') {
        message += '.';
    }
    return message;
}
