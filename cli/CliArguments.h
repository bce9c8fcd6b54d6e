#pragma once
// The words after a command name: positional arguments and options. Options are "--name
// value", "--name=value" or "-o value"; "-" and negative numbers are positional.

#include <map>
#include <span>
#include <string>
#include <vector>

// Wrong usage: the command line itself is wrong. Shown with the command's usage line; the
// program ends with status 2. Not a std::exception, so that the handlers of a command's own
// errors let it through.
class UsageError {
public:
    explicit UsageError(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept { return message_.c_str(); }

private:
    std::string message_;
};

struct OptionSpec {
    std::string name;  // "--csv", or "-o"
    bool repeatable = false;
};

struct CliArguments {
    std::vector<std::string> positionals;
    std::map<std::string, std::vector<std::string>> options;  // by option name
    bool help = false;                                        // --help or -h was given

    // The option's value, or fallback when it was not given.
    std::string Option(const std::string& name, const std::string& fallback = {}) const;
    bool Has(const std::string& name) const { return options.count(name) != 0; }
};

// Raises UsageError for an unknown option, a missing value, or an option given twice that
// may be given once.
CliArguments ParseCliArguments(std::span<const std::string> words,
                               std::span<const OptionSpec> options);

// A number on the command line: the field grammar with a point as the separator.
double ParseCliNumber(const std::string& text, const std::string& what);

// A whole number from minimum up.
int ParseCliCount(const std::string& text, const std::string& what, int minimum);
