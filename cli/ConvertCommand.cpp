// velloran-cli convert: one conversion of the unit conversion window.

#include <CLI/App.hpp>
#include <memory>
#include <ostream>

#include "cli/Commands.h"
#include "cli/UsageError.h"
#include "tools/ConversionTable.h"
#include "tools/UnitConversion.h"

namespace {

std::string OfferedConversions() {
    std::string offered;
    for (const ConversionRow& row : ConversionTable) {
        offered += std::string(offered.empty() ? "" : ", ") + std::string(row.fromUnit) + " to " +
                   std::string(row.toUnit);
    }
    return offered;
}

struct ConvertOptions {
    std::string value;
    std::string fromUnit;
    std::string toUnit;
};

int RunConvert(const ConvertOptions& options, CliStreams& io) {
    const ConversionRow* row = FindConversion(options.fromUnit, options.toUnit);
    if (row == nullptr) {
        throw UsageError("no conversion from " + options.fromUnit + " to " + options.toUnit +
                         "; the unit window converts " + OfferedConversions());
    }
    io.out << ConvertFieldText(options.value, *row, '.') << '\n';
    return 0;
}

CliAction DefineConvert(CLI::App& command) {
    auto options = std::make_shared<ConvertOptions>();
    command.description(
        "Converts VALUE from unit FROM to unit TO as the unit conversion window does, rounded to\n"
        "the same decimals.");
    // The value stays text: the conversion reads it as the window reads its field, and refuses
    // it with the window's message.
    command.add_option("VALUE", options->value, "the value, with a point as decimal separator")
        ->required();
    command.add_option("FROM", options->fromUnit, "its unit")->required();
    command.add_option("TO", options->toUnit, "the unit to convert it to")->required();
    command.footer(
        "The units: g, gr, oz, m, yd, ft, cm, in, m/s, ft/s, J, ft.lb, MPa, psi, bar; the pairs\n"
        "are those of the window.\n"
        "\n"
        "Example: velloran-cli convert 7.5 gr g\n"
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
