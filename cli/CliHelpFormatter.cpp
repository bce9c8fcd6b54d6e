#include "cli/CliHelpFormatter.h"

#include <CLI/App.hpp>
#include <sstream>

namespace {
constexpr size_t OptionColumnWidth = 29;  // the option names, before their descriptions
}

CliHelpFormatter::CliHelpFormatter(std::string synopsis) : synopsis_(std::move(synopsis)) {
    column_width(OptionColumnWidth);
    // The values are texts that the commands read themselves: the names say what they hold.
    label("REQUIRED", "");
    label("TEXT", "");
}

std::string CliHelpFormatter::make_help(const CLI::App* app, std::string name,
                                        CLI::AppFormatMode mode) const {
    std::ostringstream help;
    help << make_usage(app, name) << '\n' << app->get_description() << '\n';
    help << make_positionals(app) << make_groups(app, mode) << '\n' << make_footer(app);
    return help.str();
}

std::string CliHelpFormatter::make_usage(const CLI::App* app, std::string) const {
    return UsageLine(app->get_name(), synopsis_) + '\n';
}

std::string UsageLine(const std::string& commandName, const std::string& synopsis) {
    return "usage: velloran-cli " + commandName + ' ' + synopsis;
}

std::string WrapWords(const std::string& text, size_t width, size_t indent) {
    std::istringstream words(text);
    std::string wrapped;
    size_t lineLength = 0;
    for (std::string word; words >> word;) {
        if (lineLength > 0 && lineLength + 1 + word.size() > width) {
            wrapped += '\n' + std::string(indent, ' ');
            lineLength = indent;
        } else if (lineLength > 0) {
            wrapped += ' ';
            ++lineLength;
        }
        wrapped += word;
        lineLength += word.size();
    }
    return wrapped;
}
