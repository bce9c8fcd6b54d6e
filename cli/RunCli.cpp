#include "cli/RunCli.h"

#include <algorithm>
#include <array>
#include <ostream>

#include "cli/CliArguments.h"
#include "cli/CliCommand.h"
#include "cli/Commands.h"
#include "common/CommandRunner.h"

namespace {

const std::array<CliCommand, 5> Commands = {
    SimulateCommand, SweepCommand, PlotCommand, ConvertCommand, SpringCommand,
};

void PrintOverview(std::ostream& stream) {
    stream << "usage: velloran-cli <command> [arguments]\n\ncommands:\n";
    for (const CliCommand& command : Commands) {
        stream << "  " << command.name << ' ' << command.usage << '\n';
    }
    stream << "\nRun 'velloran-cli <command> --help' for what a command does.\n";
}

}  // namespace

int RunCli(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
    if (arguments.empty()) {
        PrintOverview(err);
        return CliWrongUsage;
    }
    if (arguments[0] == "--help" || arguments[0] == "-h" || arguments[0] == "help") {
        PrintOverview(out);
        return CliSuccess;
    }
    const auto command = std::find_if(Commands.begin(), Commands.end(),
                                      [&](const CliCommand& c) { return arguments[0] == c.name; });
    if (command == Commands.end()) {
        err << "velloran-cli: unknown command '" << arguments[0] << "'\n";
        PrintOverview(err);
        return CliWrongUsage;
    }
    const std::span<const std::string> words = arguments.subspan(1);
    if (std::find_if(words.begin(), words.end(), [](const std::string& w) {
            return w == "--help" || w == "-h";
        }) != words.end()) {
        out << "usage: velloran-cli " << command->name << ' ' << command->usage << "\n\n"
            << command->description;
        return CliSuccess;
    }
    CliStreams streams{out, err};
    StreamMessageSink messages(err);
    int status = CliFailure;
    try {
        RunCommand(messages, [&] { status = command->run(words, streams); });
    } catch (const UsageError& wrong) {
        err << "velloran-cli " << command->name << ": " << wrong.what() << '\n'
            << "usage: velloran-cli " << command->name << ' ' << command->usage << '\n';
        return CliWrongUsage;
    }
    return status;
}
