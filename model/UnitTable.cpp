#include "model/UnitTable.h"

#include "model/GunParameters.h"

const UnitInfo* UnitSpelled(std::string_view spelling) {
    if (spelling.empty()) {
        return nullptr;
    }
    for (const UnitInfo& unit : UnitTable) {
        for (const char* candidate : unit.spellings) {
            if (candidate != nullptr && std::string_view(candidate) == spelling) {
                return &unit;
            }
        }
    }
    return nullptr;
}

const UnitInfo* UnitNamed(std::string_view name) {
    for (const UnitInfo& unit : UnitTable) {
        if (unit.Name() == name) {
            return &unit;
        }
    }
    return nullptr;
}

std::optional<ValueWithUnit> SplitUnit(std::string_view text) {
    // The longest spelling decides, so that "5mm" is millimetres and not a "5m" of metres.
    std::optional<ValueWithUnit> split;
    size_t longest = 0;
    for (const UnitInfo& unit : UnitTable) {
        for (const char* written : unit.spellings) {
            const std::string_view spelling = written == nullptr ? "" : written;
            if (!spelling.empty() && spelling.size() > longest && text.ends_with(spelling)) {
                longest = spelling.size();
                split = ValueWithUnit{std::string(text.substr(0, text.size() - spelling.size())),
                                      &unit};
            }
        }
    }
    return split;
}

double ConvertBetween(double value, const UnitInfo& from, const UnitInfo& to) {
    // Into the reference unit by one product, out of it by one quotient: a value given in the
    // reference unit, or wanted in it, meets one rounding only.
    return value * from.size / to.size;
}

std::string UnitSpellings(Quantity quantity) {
    std::string text;
    for (const UnitInfo& unit : UnitTable) {
        if (unit.quantity != quantity) {
            continue;
        }
        text += std::string(text.empty() ? "" : ", ") + std::string(unit.Name());
        std::string others;
        for (size_t i = 1; i < unit.spellings.size() && unit.spellings[i] != nullptr; ++i) {
            others += std::string(others.empty() ? "" : ", ") + std::string(unit.spellings[i]);
        }
        if (!others.empty()) {
            text += " (" + others + ")";
        }
    }
    return text;
}

namespace {
// A parameter's value given with a unit is converted into the unit of its field.
constexpr bool IsUnitOfTheTable(std::string_view unit) {
    bool found = unit.empty();
    for (const UnitInfo& candidate : UnitTable) {
        found = found || candidate.Name() == unit;
    }
    return found;
}
constexpr bool EveryFieldUnitInTheTable() {
    for (const GunParameterInfo& parameter : GunParameterTable) {
        if (!IsUnitOfTheTable(parameter.unit)) {
            return false;
        }
    }
    for (const OptionalParameterInfo& parameter : OptionalParameterTable) {
        if (!IsUnitOfTheTable(parameter.unit)) {
            return false;
        }
    }
    return true;
}
static_assert(EveryFieldUnitInTheTable(),
              "the unit of every parameter field is a unit of the unit table, by its name");
}  // namespace
