#include "common/ApplicationTitle.h"

#include <algorithm>

std::string ApplicationTitle(std::string_view executablePath) {
    const auto lastSeparator = executablePath.find_last_of("/\\");
    std::string_view name = lastSeparator == std::string_view::npos
                                ? executablePath
                                : executablePath.substr(lastSeparator + 1);
    name = name.substr(0, name.find('.'));
    std::string title(name);
    std::transform(title.begin() + std::min<size_t>(1, title.size()), title.end(),
                   title.begin() + std::min<size_t>(1, title.size()), [](char c) {
                       return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
                   });
    return title;
}

std::string WithClosingFullStop(std::string message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') {
        message += '.';
    }
    return message;
}
