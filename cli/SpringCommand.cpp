// velloran-cli spring: the spring force calculator.

#include <ostream>

#include "cli/CliArguments.h"
#include "cli/Commands.h"
#include "tools/SpringCalculation.h"

namespace {

int RunSpring(std::span<const std::string> words, CliStreams& io) {
    const CliArguments arguments = ParseCliArguments(words, {});
    if (arguments.positionals.size() != 5) {
        throw UsageError("give the five values d D n s G");
    }
    SpringInputTexts texts;
    std::copy(arguments.positionals.begin(), arguments.positionals.end(), texts.begin());
    io.out << ComputeSpringPower(texts, '.') << '\n';
    return 0;
}

}  // namespace

const CliCommand SpringCommand = {
    "spring",
    "d D n s G",
    "The force in N of a helical compression spring of round wire, rounded up to whole\n"
    "newtons as the spring calculator shows it:\n"
    "  d  wire thickness, mm        D  outer spring diameter, mm\n"
    "  n  number of active coils    s  compression, mm\n"
    "  G  shear modulus, GPa\n"
    "Numbers take a point as decimal separator.\n"
    "\n"
    "Exit status: 0 on success, 1 when a value is not a number or the force cannot be\n"
    "computed (D equal to d, no coils), 2 for wrong usage.\n",
    RunSpring,
};
