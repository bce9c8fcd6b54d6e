// velloran-cli spring: the spring force calculator.

#include <CLI/App.hpp>
#include <memory>
#include <ostream>

#include "cli/Commands.h"
#include "tools/SpringCalculation.h"

namespace {

int RunSpring(const SpringInputTexts& texts, CliStreams& io) {
    io.out << ComputeSpringPower(texts, '.') << '\n';
    return 0;
}

CliAction DefineSpring(CLI::App& command) {
    auto texts = std::make_shared<SpringInputTexts>();
    command.description(
        "The force in N of a helical compression spring of round wire, rounded up to whole\n"
        "newtons as the spring calculator shows it. Numbers take a point as decimal separator.");
    // The values stay text: the calculator reads them as the window reads its fields.
    const char* const meanings[] = {"wire thickness, mm", "outer spring diameter, mm",
                                    "number of active coils", "compression, mm",
                                    "shear modulus, GPa"};
    const char* const names[] = {"d", "D", "n", "s", "G"};
    for (size_t i = 0; i < texts->size(); ++i) {
        command.add_option(names[i], (*texts)[i], meanings[i])->required();
    }
    command.footer(
        "Example: velloran-cli spring 2.9 19 33 35 81.5\n"
        "\n"
        "Exit status: 0 on success, 1 when a value is not a number or the force cannot be\n"
        "computed (D equal to d, no coils), 2 for wrong usage.");
    return [texts](CliStreams& io) { return RunSpring(*texts, io); };
}

}  // namespace

const CliCommand SpringCommand = {
    "spring",
    "d D n s G",
    DefineSpring,
};
