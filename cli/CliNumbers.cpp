#include "cli/CliNumbers.h"

#include <charconv>
#include <optional>

#include "cli/UsageError.h"
#include "common/FieldNumber.h"

double ParseCliNumber(const std::string& text, const std::string& what) {
    const std::optional<double> value = TryFieldToNumber(text, '.');
    if (!value) {
        throw UsageError(what + " '" + text + "' is not a number");
    }
    return *value;
}

int ParseCliCount(const std::string& text, const std::string& what, int minimum, int maximum) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < minimum ||
        value > maximum) {
        throw UsageError(what + " must be a whole number from " + std::to_string(minimum) + " to " +
                         std::to_string(maximum) + ", not '" + text + "'");
    }
    return value;
}
