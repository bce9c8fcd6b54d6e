// velloran-cli parameters: what each of a gun's sixteen parameters means and does.

#include <CLI/App.hpp>
#include <memory>
#include <ostream>

#include "cli/Commands.h"
#include "cli/ParameterGlossary.h"

namespace {

CliAction DefineParameters(CLI::App& command) {
    command.description(
        "Lists the sixteen parameters of a gun in the order of the report: the name that --set,\n"
        "--vary and --free take, the unit of the main window's field and the other units a value\n"
        "may carry, the meaning, the values Compute accepts and what the parameter acts on in\n"
        "the model.");
    command.footer("The parameters:\n\n" + ParameterGlossary(GlossaryLayout::BlankLineBetween) +
                   "\n"
                   "Example: velloran-cli parameters\n"
                   "\n"
                   "Exit status: 0, or 2 for wrong usage.");
    return [](CliStreams& io) {
        io.out << ParameterGlossary();
        return 0;
    };
}

}  // namespace

const CliCommand ParametersCommand = {
    "parameters",
    "",
    DefineParameters,
};
