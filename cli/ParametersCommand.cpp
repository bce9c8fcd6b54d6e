// velloran-cli parameters: what each of a gun's sixteen parameters, and the optional five,
// means and does.

#include <CLI/App.hpp>
#include <memory>
#include <ostream>

#include "cli/Commands.h"
#include "cli/ParameterGlossary.h"

namespace {

CliAction DefineParameters(CLI::App& command) {
    command.description(
        "Lists the sixteen parameters of a gun in the order of the report, then the five optional\n"
        "ones of the extended model with their neutral values (at which the shot is the basic\n"
        "model's, as the main window computes it): the name that --set, --vary and --free take,\n"
        "the unit of the main window's field and the other units a value may carry, the\n"
        "meaning, the values Compute accepts and what the parameter acts on in the model.");
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
