#include "cli/CliNumbers.h"

#include <array>
#include <cmath>
#include <charconv>
#include <optional>
#include <string_view>

#include "cli/UsageError.h"
#include "common/FieldNumber.h"
#include "model/PelletUnits.h"

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

double ParseCliEnergy(const std::string& text, const std::string& what) {
    struct EnergyUnit {
        std::string_view name;
        double joules;
    };
    constexpr std::array<EnergyUnit, 2> Units = {{
        {"J", 1},
        {"ftlbf", PelletUnits::JoulesPerFootPound},
    }};
    for (const EnergyUnit& unit : Units) {
        if (text.size() > unit.name.size() && std::string_view(text).ends_with(unit.name)) {
            const std::string number = text.substr(0, text.size() - unit.name.size());
            const std::optional<double> value = TryFieldToNumber(number, '.');
            if (value && *value > 0 && *value * unit.joules < HUGE_VAL) {
                return *value * unit.joules;
            }
            break;
        }
    }
    throw UsageError(what + " takes an energy above 0 with its unit, such as 7.5J or 12ftlbf, "
                            "not '" +
                     text + "'");
}
