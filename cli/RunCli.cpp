#include "cli/RunCli.h"

// The whole of CLI11, header-only: its configuration classes are defined here once.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <memory>
#include <ostream>

#include "cli/CliCommand.h"
#include "cli/CliHelpFormatter.h"
#include "cli/CliNumbers.h"
#include "cli/CliValidators.h"
#include "cli/Commands.h"
#include "cli/UsageError.h"
#include "common/CommandRunner.h"
#include "common/Version.h"
#include "datafile/GunReportFile.h"

namespace {

const auto Commands = std::to_array<CliCommand>({
    NewCommand,
    SimulateCommand,
    SweepCommand,
    PlotCommand,
    CompareCommand,
    FitCommand,
    PelletsCommand,
    ParametersCommand,
    ConvertCommand,
    SpringCommand,
});

void PrintOverview(std::ostream& stream) {
    stream << "usage: velloran-cli <command> [arguments]\n\ncommands:\n";
    for (const CliCommand& command : Commands) {
        stream << "  " << command.name << ' ' << command.synopsis << '\n';
    }
    stream << "\nRun 'velloran-cli <command> --help' for what a command does, and\n"
              "'velloran-cli --version' for the version.\n";
}

const CliCommand* CommandNamed(const std::string& name) {
    const auto found = std::find_if(Commands.begin(), Commands.end(),
                                    [&](const CliCommand& c) { return name == c.name; });
    return found == Commands.end() ? nullptr : &*found;
}

int WrongUsage(const CliCommand& command, const std::string& message, std::ostream& err) {
    err << "velloran-cli " << command.name << ": " << message << '\n'
        << UsageLine(command.name, command.synopsis) << '\n';
    return CliWrongUsage;
}

int RunArguments(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
    if (arguments.empty()) {
        PrintOverview(err);
        return CliWrongUsage;
    }
    if (arguments[0] == "help") {
        PrintOverview(out);
        return CliSuccess;
    }
    if (arguments[0] == "--help" || arguments[0] == "-h") {
        PrintOverview(out);
        return CliSuccess;
    }
    if (arguments[0] == "--version") {
        out << "velloran-cli " << VelloranVersion << '\n';
        return arguments.size() == 1 ? CliSuccess : CliWrongUsage;
    }
    const CliCommand* command = CommandNamed(arguments[0]);
    if (command == nullptr) {
        err << "velloran-cli: unknown command '" << arguments[0] << "'\n";
        PrintOverview(err);
        return CliWrongUsage;
    }

    CLI::App parser("", command->name);
    parser.formatter(std::make_shared<CliHelpFormatter>(command->synopsis));
    parser.set_help_flag("-h,--help", "print this help and exit");
    const CliAction action = command->define(parser);
    // An empty value would pass for an option not given: every option that takes a value
    // refuses it alike.
    for (CLI::Option* option : parser.get_options()) {
        if (option->nonpositional() && option->get_expected_max() > 0) {
            option->check(NonEmptyValue);
        }
    }
    try {
        // CLI11 takes the words last first.
        std::vector<std::string> reversed = NegativeNumbersAsNumbers(
            std::vector<std::string>(arguments.rbegin(), arguments.rend() - 1));
        parser.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        out << parser.help();
        return CliSuccess;
    } catch (const CLI::ParseError& wrong) {
        return WrongUsage(*command, wrong.what(), err);
    }

    CliStreams streams{out, err};
    StreamMessageSink messages(err);
    int status = CliFailure;
    try {
        RunCommand(messages, [&] { status = action(streams); });
    } catch (const UsageError& wrong) {
        return WrongUsage(*command, wrong.what(), err);
    }
    return status;
}

}  // namespace

std::span<const CliCommand> CliCommands() {
    return Commands;
}

int RunCli(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
    const int status = RunArguments(arguments, out, err);
    // What a command writes to standard output is its result: a write that failed, the last
    // flush included, fails the command unless it failed already.
    if (!out.flush() && status == CliSuccess) {
        err << FileSavingErrorMessage << '\n';
        return CliFailure;
    }
    return status;
}
