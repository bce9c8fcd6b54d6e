#include "cli/CliNumbers.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

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

CliQuantity ParseCliQuantity(const std::string& text, const std::string& what, Quantity quantity,
                             const UnitInfo* defaultUnit) {
    const std::string units = UnitSpellings(quantity);
    const std::optional<ValueWithUnit> split = SplitUnit(text);
    if (!split && defaultUnit != nullptr) {
        return {ParseCliNumber(text, what), defaultUnit};
    }
    if (!split) {
        throw UsageError(what + " takes a " + InfoOf(quantity).name + " with its unit (" + units +
                         "), not '" + text + "'");
    }
    if (split->unit->quantity != quantity) {
        throw UsageError(what + " takes a " + InfoOf(quantity).name + " (" + units + "), not a " +
                         InfoOf(split->unit->quantity).name + ": '" + text + "'");
    }
    const std::optional<double> value = TryFieldToNumber(split->number, '.');
    if (!value) {
        throw UsageError(what + " '" + text + "' is not a number followed by a unit");
    }
    return {*value, split->unit};
}

double ParseCliEnergy(const std::string& text, const std::string& what) {
    const CliQuantity energy = ParseCliQuantity(text, what, Quantity::Energy, nullptr);
    const double joules = ConvertBetween(energy.value, *energy.unit, *UnitNamed("J"));
    if (!(energy.value > 0) || !std::isfinite(joules)) {
        throw UsageError(what + " takes an energy above 0, not '" + text + "'");
    }
    return joules;
}

double ParseParameterValue(GunParameter parameter, const std::string& text,
                           const std::string& what) {
    const char* unit = UnitOf(parameter);
    const UnitInfo* fieldUnit = UnitNamed(unit);
    if (fieldUnit == nullptr) {
        const std::optional<ValueWithUnit> split = SplitUnit(text);
        if (split && TryFieldToNumber(split->number, '.')) {
            throw UsageError(what + ": " + FieldNameOf(parameter) + " has no unit, not '" +
                             std::string(split->unit->Name()) + "'");
        }
        return ParseCliNumber(text, what);
    }
    const CliQuantity given = ParseCliQuantity(text, what, fieldUnit->quantity, fieldUnit);
    const double value = ConvertBetween(given.value, *given.unit, *fieldUnit);
    if (!std::isfinite(value)) {
        throw UsageError(what + " '" + text + "' is beyond the range of a double in " + unit);
    }
    return value;
}

std::vector<std::string> NegativeNumbersAsNumbers(std::vector<std::string> words) {
    for (std::string& word : words) {
        if (word.size() >= 2 && word[0] == '-' && word[1] == '.' && TryFieldToNumber(word, '.')) {
            word.insert(1, 1, '0');
        }
    }
    return words;
}
