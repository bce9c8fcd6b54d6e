#pragma once
// The units the command line reads and writes, each with every spelling it accepts. One table
// serves every place that takes a value with a unit (convert, the energy limit, the pellet
// weights, a parameter set on the command line) and the help that lists them, so that what one
// command accepts, all accept.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "model/PelletUnits.h"

enum class Quantity { Mass, Length, Velocity, Energy, Pressure, Force, Time, Temperature };

struct QuantityInfo {
    Quantity quantity;
    const char* name;
    const char* referenceUnit;  // the unit in which the table gives this quantity's sizes
    // Places to which convert rounds a pair the unit conversion window does not offer: the
    // most that any of the window's groups of this quantity rounds to.
    int convertDecimals;
};

// clang-format off
inline constexpr auto QuantityTable = std::to_array<QuantityInfo>({
    {Quantity::Mass,     "mass",     "g",   4},
    {Quantity::Length,   "length",   "mm",  3},
    {Quantity::Velocity, "velocity", "m/s", 3},
    {Quantity::Energy,   "energy",   "J",   3},
    {Quantity::Pressure, "pressure", "MPa", 2},
    {Quantity::Force,    "force",    "N",   3},
    {Quantity::Time,     "time",     "ms",  3},
    {Quantity::Temperature, "temperature", "K", 3},
});
// clang-format on

inline constexpr const QuantityInfo& InfoOf(Quantity quantity) {
    return QuantityTable[static_cast<size_t>(quantity)];
}

inline constexpr size_t MostSpellings = 7;

struct UnitInfo {
    Quantity quantity;
    // One of this unit in its quantity's reference unit. The reference units are those of the
    // main window's fields, so a value typed in them is taken exactly as typed.
    double size;
    // The first spelling is the name the command line writes; the others are read as well.
    // Unused places are null.
    std::array<const char*, MostSpellings> spellings;

    constexpr std::string_view Name() const { return spellings[0]; }
};

// clang-format off
inline constexpr auto UnitTable = std::to_array<UnitInfo>({
    {Quantity::Mass,     1,                                    {"g", "gram", "grams"}},
    {Quantity::Mass,     PelletUnits::GramsPerGrain,           {"gr", "grain", "grains"}},
    {Quantity::Mass,     1000,                                 {"kg"}},
    {Quantity::Mass,     PelletUnits::GramsPerOunce,           {"oz"}},
    {Quantity::Mass,     PelletUnits::GramsPerPound,           {"lb", "lbs"}},
    {Quantity::Length,   1,                                    {"mm"}},
    {Quantity::Length,   10,                                   {"cm"}},
    {Quantity::Length,   1000,                                 {"m"}},
    {Quantity::Length,   25.4,                                 {"in", "inch"}},
    {Quantity::Length,   1000 * PelletUnits::MetresPerFoot,    {"ft", "feet", "foot"}},
    {Quantity::Length,   914.4,                                {"yd"}},
    {Quantity::Velocity, 1,                                    {"m/s", "mps"}},
    {Quantity::Velocity, PelletUnits::MetresPerFoot,           {"ft/s", "fps"}},
    {Quantity::Energy,   1,                                    {"J"}},
    {Quantity::Energy,   PelletUnits::JoulesPerFootPound,      {"ft·lbf", "ftlbf", "ft.lbf", "ft-lbf", "ft.lb", "ftlb", "ft-lb"}},
    {Quantity::Pressure, 1,                                    {"MPa"}},
    {Quantity::Pressure, 0.1,                                  {"bar"}},
    {Quantity::Pressure, PelletUnits::MegapascalsPerPsi,       {"psi"}},
    {Quantity::Force,    1,                                    {"N"}},
    {Quantity::Force,    PelletUnits::NewtonsPerPoundForce,    {"lbf"}},
    {Quantity::Force,    PelletUnits::NewtonsPerKilogramForce, {"kgf"}},
    {Quantity::Time,     1,                                    {"ms"}},
    {Quantity::Time,     1000,                                 {"s"}},
    {Quantity::Time,     0.001,                                {"µs", "us"}},
    // Kelvin only: a scale with an offset is no size.
    {Quantity::Temperature, 1,                                 {"K"}},
});
// clang-format on

namespace UnitTableChecks {
constexpr bool QuantitiesFollowTheEnumeration() {
    for (size_t i = 0; i < QuantityTable.size(); ++i) {
        if (static_cast<size_t>(QuantityTable[i].quantity) != i) {
            return false;
        }
    }
    return true;
}
// A spelling read two ways would make a value's meaning depend on the table's order.
constexpr bool EverySpellingNamesOneUnit() {
    for (size_t a = 0; a < UnitTable.size(); ++a) {
        for (const char* spelling : UnitTable[a].spellings) {
            for (size_t b = 0; b < UnitTable.size() && spelling != nullptr; ++b) {
                for (const char* other : UnitTable[b].spellings) {
                    if (other != nullptr && std::string_view(other) == spelling && a != b) {
                        return false;
                    }
                }
            }
        }
    }
    return true;
}
// Each quantity's reference unit is in the table with the size 1.
constexpr bool EveryReferenceUnitHasSizeOne() {
    for (const QuantityInfo& quantity : QuantityTable) {
        bool found = false;
        for (const UnitInfo& unit : UnitTable) {
            found = found || (unit.quantity == quantity.quantity &&
                              unit.Name() == quantity.referenceUnit && unit.size == 1);
        }
        if (!found) {
            return false;
        }
    }
    return true;
}
// A spelling that begins with a digit, a sign or a point would run into the number before it.
constexpr bool NoSpellingLooksLikeANumber() {
    for (const UnitInfo& unit : UnitTable) {
        if (unit.spellings[0] == nullptr || unit.Name().empty()) {
            return false;
        }
        for (const char* text : unit.spellings) {
            const std::string_view spelling = text == nullptr ? "" : text;
            if (text != nullptr &&
                (spelling.empty() || spelling.find_first_of("0123456789+-.eE ") == 0 ||
                 spelling.back() == ' ')) {
                return false;
            }
        }
    }
    return true;
}
}  // namespace UnitTableChecks
static_assert(UnitTableChecks::QuantitiesFollowTheEnumeration(),
              "QuantityTable has one row per Quantity, in the enumeration's order");
static_assert(UnitTableChecks::EverySpellingNamesOneUnit(), "a unit spelling names one unit only");
static_assert(UnitTableChecks::EveryReferenceUnitHasSizeOne(),
              "each quantity's reference unit is a row of size 1");
static_assert(UnitTableChecks::NoSpellingLooksLikeANumber(),
              "a unit's spelling must not begin like a number");

// The unit spelled so (case-sensitive: "m" and "M" differ), or nullptr.
const UnitInfo* UnitSpelled(std::string_view spelling);

// The unit whose name (its first spelling) is given, or nullptr.
const UnitInfo* UnitNamed(std::string_view name);

// A value written with a unit, "7.9gr", "12 ft·lbf" or "750fps": the number's text (which may
// carry blanks) and the unit, split at the longest spelling that ends the text. Nothing when no
// spelling ends it.
struct ValueWithUnit {
    std::string number;
    const UnitInfo* unit;
};
std::optional<ValueWithUnit> SplitUnit(std::string_view text);

// value of unit `from` in unit `to` (of the same quantity).
double ConvertBetween(double value, const UnitInfo& from, const UnitInfo& to);

// "g, gr (grain, grains), kg, …" for the help: every unit of the quantity with its other
// spellings.
std::string UnitSpellings(Quantity quantity);
