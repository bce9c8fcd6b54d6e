#pragma once
// The commands of the command-line tool.

#include <span>

#include "cli/CliCommand.h"

extern const CliCommand NewCommand;
extern const CliCommand SimulateCommand;
extern const CliCommand SweepCommand;
extern const CliCommand PlotCommand;
extern const CliCommand CompareCommand;
extern const CliCommand FitCommand;
extern const CliCommand PelletsCommand;
extern const CliCommand ParametersCommand;
extern const CliCommand ConvertCommand;
extern const CliCommand SpringCommand;

// Every command, in the order the tool lists them: the table RunCli dispatches on, which the
// build also walks to write the manual page and the shell completion.
std::span<const CliCommand> CliCommands();
