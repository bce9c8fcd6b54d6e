#pragma once
// The help of a command: its usage line first, as the tool prints it for wrong usage too, then
// what it does, its arguments and options as CLI11 lists them, and the help footer.

#include <CLI/Formatter.hpp>
#include <string>

class CliHelpFormatter : public CLI::Formatter {
public:
    explicit CliHelpFormatter(std::string synopsis);

    std::string make_help(const CLI::App* app, std::string name,
                          CLI::AppFormatMode mode) const override;
    std::string make_usage(const CLI::App* app, std::string name) const override;

private:
    std::string synopsis_;
};

// "usage: velloran-cli NAME SYNOPSIS"
std::string UsageLine(const std::string& commandName, const std::string& synopsis);

// The words of text in lines of at most width characters, every line after the first indented
// by indent spaces; a word longer than a line stands alone.
std::string WrapWords(const std::string& text, size_t width, size_t indent);
