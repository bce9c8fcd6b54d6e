// velloran-cli convert: one conversion of the unit conversion window.

#include <ostream>

#include "cli/CliArguments.h"
#include "cli/Commands.h"
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

int RunConvert(std::span<const std::string> words, CliStreams& io) {
    const CliArguments arguments = ParseCliArguments(words, {});
    if (arguments.positionals.size() != 3) {
        throw UsageError("give a value and two units");
    }
    const ConversionRow* row = FindConversion(arguments.positionals[1], arguments.positionals[2]);
    if (row == nullptr) {
        throw UsageError("no conversion from " + arguments.positionals[1] + " to " +
                         arguments.positionals[2] + "; the unit window converts " +
                         OfferedConversions());
    }
    io.out << ConvertFieldText(arguments.positionals[0], *row, '.') << '\n';
    return 0;
}

}  // namespace

const CliCommand ConvertCommand = {
    "convert",
    "VALUE FROM TO",
    "Converts VALUE (with a point as decimal separator) from unit FROM to unit TO as the unit\n"
    "conversion window does, rounded to the same decimals. The units: g, gr, oz, m, yd, ft, cm,\n"
    "in, m/s, ft/s, J, ft.lb, MPa, psi, bar; the pairs are those of the window.\n"
    "\n"
    "Exit status: 0 on success, 1 when VALUE is not a number or the result overflows, 2 for\n"
    "wrong usage.\n",
    RunConvert,
};
