// velloran-cli convert: one conversion of the unit conversion window.

#include <CLI/App.hpp>
#include <memory>
#include <ostream>

#include "cli/Commands.h"
#include "cli/UsageError.h"
#include "model/UnitTable.h"
#include "tools/ConversionTable.h"
#include "tools/UnitConversion.h"

namespace {

std::string EveryUnit() {
    std::string text;
    for (const QuantityInfo& quantity : QuantityTable) {
        text += std::string("\n  ") + quantity.name + ": " + UnitSpellings(quantity.quantity);
    }
    return text;
}

struct ConvertOptions {
    std::string value;
    std::string fromUnit;
    std::string toUnit;
};

const UnitInfo& UnitOrUsageError(const std::string& spelling) {
    const UnitInfo* unit = UnitSpelled(spelling);
    if (unit == nullptr) {
        throw UsageError("unknown unit '" + spelling + "'; the units are" + EveryUnit());
    }
    return *unit;
}

// The window's row for the two units under any of their spellings ("fps" is the window's
// "ft/s"), or nullptr.
const ConversionRow* WindowConversion(const UnitInfo& from, const UnitInfo& to) {
    for (const char* fromSpelling : from.spellings) {
        for (const char* toSpelling : to.spellings) {
            if (fromSpelling == nullptr || toSpelling == nullptr) {
                continue;
            }
            if (const ConversionRow* row = FindConversion(fromSpelling, toSpelling)) {
                return row;
            }
        }
    }
    return nullptr;
}

int RunConvert(const ConvertOptions& options, CliStreams& io) {
    const UnitInfo& from = UnitOrUsageError(options.fromUnit);
    const UnitInfo& to = UnitOrUsageError(options.toUnit);
    if (from.quantity != to.quantity) {
        throw UsageError("no conversion from " + options.fromUnit + " (" +
                         InfoOf(from.quantity).name + ") to " + options.toUnit + " (" +
                         InfoOf(to.quantity).name + ")");
    }
    // A pair the window offers gives the window's figure, by its factor and its rounding;
    // any other pair of the same quantity converts by the table's exact sizes.
    if (const ConversionRow* row = WindowConversion(from, to)) {
        io.out << ConvertFieldText(options.value, *row, '.') << '\n';
    } else {
        io.out << ConvertFieldText(options.value, from.size / to.size,
                                   InfoOf(from.quantity).convertDecimals, '.')
               << '\n';
    }
    return 0;
}

CliAction DefineConvert(CLI::App& command) {
    auto options = std::make_shared<ConvertOptions>();
    command.description(
        "Converts VALUE from unit FROM to unit TO as the unit conversion window does, rounded to\n"
        "the same decimals, under any spelling of the units that the other commands take.");
    // The value stays text: the conversion reads it as the window reads its field, and refuses
    // it with the window's message.
    command.add_option("VALUE", options->value, "the value, with a point as decimal separator")
        ->required();
    command.add_option("FROM", options->fromUnit, "its unit")->required();
    command.add_option("TO", options->toUnit, "the unit to convert it to")->required();
    command.footer(
        "The units, each with the other spellings it is known by:" + EveryUnit() +
        "\n"
        "\n"
        "Where the unit conversion window offers the pair, the result is the window's, by its\n"
        "factor and rounding; any other pair of one quantity converts by the units' definitions\n"
        "and rounds to the most decimals the window gives that quantity (mass 4, pressure 2,\n"
        "others 3). A negative VALUE such as -.5 is a number, not an option.\n"
        "\n"
        "Example: velloran-cli convert 750 fps m/s\n"
        "\n"
        "Exit status: 0 on success, 1 when VALUE is not a number or the result overflows, 2 for\n"
        "wrong usage.");
    return [options](CliStreams& io) { return RunConvert(*options, io); };
}

}  // namespace

const CliCommand ConvertCommand = {
    "convert",
    "VALUE FROM TO",
    DefineConvert,
};
