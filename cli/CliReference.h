#pragma once
// What the manual page and the shell completion say of each command of velloran-cli, read
// from the same parser declarations that the tool parses its command line with.

#include <string>
#include <vector>

struct CliArgumentReference {
    // "-o", "--size" as declared; a positional argument has only its name ("GUN.txt").
    std::vector<std::string> names;
    // The value as the help shows it ("FILE.png", "NAME=FROM:TO:STEPS"); empty for a flag.
    std::string valueText;
    std::string description;  // its lines joined into one
    bool repeats = false;     // takes any number of values (a positional argument: the rest)
};

struct CliCommandReference {
    std::string name;
    std::string synopsis;
    std::string description;  // its lines joined into one
    std::vector<CliArgumentReference> positionals;
    std::vector<CliArgumentReference> options;  // without -h, --help, which every command has
    std::vector<std::string> footerParagraphs;  // the help footer, split at its blank lines
};

// Every command of the tool, in the order it lists them.
std::vector<CliCommandReference> ReadCliReference();

// The text with every run of blanks and line breaks made one space, and none at either end.
std::string JoinLines(const std::string& text);
