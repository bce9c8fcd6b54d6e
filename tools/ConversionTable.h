#pragma once
// The eighteen conversions of the unit conversion window: which button reads which field,
// by what it multiplies and to how many decimals it rounds. The window binds its buttons and
// fields by these numbers; a command-line tool finds a row by its pair of units.

#include <array>
#include <string_view>

struct ConversionRow {
    int button;       // the BitBtn that runs it
    int sourceField;  // the Edit read
    int targetField;  // the Edit written
    double factor;    // target units per source unit; every conversion multiplies
    int decimals;     // places of the rounded result, the same for both rows of a group
    std::string_view fromUnit;
    std::string_view toUnit;
};

// In the order of the buttons. The factor of the reverse row is the double nearest to the
// reciprocal of its partner's, so a value converted there and back need not come back as typed.
// clang-format off
inline constexpr auto ConversionTable = std::to_array<ConversionRow>({
    { 1,  2,  1, 0.0647989,            4, "gr",    "g"},
    { 2,  1,  2, 15.43236073451864,    4, "g",     "gr"},
    { 3,  3,  4, 1.0936132983377078,   3, "m",     "yd"},
    { 4,  4,  3, 0.9144,               3, "yd",    "m"},
    { 5,  5,  6, 3.280839895013123,    3, "m/s",   "ft/s"},
    { 6,  6,  5, 0.3048,               3, "ft/s",  "m/s"},
    { 7,  7,  8, 0.7375610331754953,   3, "J",     "ft.lb"},
    { 8,  8,  7, 1.35582,              3, "ft.lb", "J"},
    { 9,  9, 10, 0.39370078740157477,  3, "cm",    "in"},
    {10, 10,  9, 2.54,                 3, "in",    "cm"},
    {11, 11, 12, 3.280839895013123,    3, "m",     "ft"},
    {12, 12, 11, 0.3048,               3, "ft",    "m"},
    {13, 14, 13, 28.3495,              3, "oz",    "g"},
    {14, 13, 14, 0.03527399072294044,  3, "g",     "oz"},
    {15, 15, 16, 145.038,              2, "MPa",   "psi"},
    {16, 16, 15, 0.006894744825494008, 2, "psi",   "MPa"},
    {17, 17, 18, 10,                   2, "MPa",   "bar"},
    {18, 18, 17, 0.1,                  2, "bar",   "MPa"},
});
// clang-format on

inline constexpr int ConversionCount = static_cast<int>(ConversionTable.size());

namespace ConversionTableChecks {
constexpr bool ButtonsInOrder() {
    for (size_t i = 0; i < ConversionTable.size(); ++i) {
        if (ConversionTable[i].button != static_cast<int>(i) + 1) {
            return false;
        }
    }
    return true;
}
}  // namespace ConversionTableChecks
static_assert(ConversionTableChecks::ButtonsInOrder(),
              "ConversionTable has the row of button N at index N - 1");

// The row that converts fromUnit into toUnit (unit names as in the table, case-sensitive), or
// nullptr where the window offers no such conversion.
const ConversionRow* FindConversion(std::string_view fromUnit, std::string_view toUnit);

// The row run by the given button, or nullptr.
const ConversionRow* ConversionOfButton(int button);
