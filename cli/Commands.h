#pragma once
// The commands of the command-line tool.

#include "cli/CliCommand.h"

extern const CliCommand SimulateCommand;
extern const CliCommand SweepCommand;
extern const CliCommand PlotCommand;
extern const CliCommand CompareCommand;
extern const CliCommand FitCommand;
extern const CliCommand PelletsCommand;
extern const CliCommand ConvertCommand;
extern const CliCommand SpringCommand;
