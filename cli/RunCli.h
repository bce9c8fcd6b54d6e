#pragma once
// The command-line tool: the same engine, report file, graph and tools as the window program.

#include <iosfwd>
#include <span>
#include <string>

// Runs the command line (without the program's name) and gives the exit status: 0 on
// success, 1 for a refused input or an unsuccessful computation, 2 for wrong usage. Output
// that cannot be written to out, down to its last flush, is a failure: "File saving error.".
int RunCli(std::span<const std::string> arguments, std::ostream& out, std::ostream& err);

inline constexpr int CliSuccess = 0;
inline constexpr int CliFailure = 1;
inline constexpr int CliWrongUsage = 2;
