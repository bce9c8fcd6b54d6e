#include "cli/CsvFormat.h"

#include <charconv>

void AppendCsvNumber(std::string& text, double value) {
    // std::to_chars without a precision gives the shortest round trip, ignores the locale and
    // allocates nothing; the longest double it writes, -2.2250738585072014e-308, takes 24.
    char buffer[32];
    const std::to_chars_result converted = std::to_chars(buffer, buffer + sizeof buffer, value);
    text.append(buffer, converted.ptr);
}

std::string CsvNumber(double value) {
    std::string text;
    AppendCsvNumber(text, value);
    return text;
}

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') {
            quoted += '"';
        }
        quoted += c;
    }
    return quoted + '"';
}
