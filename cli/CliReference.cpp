#include "cli/CliReference.h"

#include <CLI/App.hpp>
#include <sstream>

#include "cli/Commands.h"

namespace {

CliArgumentReference ArgumentOf(const CLI::Option& option) {
    CliArgumentReference argument;
    if (option.nonpositional()) {
        argument.names = option.get_snames();
        for (std::string& name : argument.names) {
            name.insert(0, "-");
        }
        for (const std::string& name : option.get_lnames()) {
            argument.names.push_back("--" + name);
        }
        if (option.get_type_size() != 0) {
            argument.valueText = option.get_option_text().empty() ? option.get_type_name()
                                                                  : option.get_option_text();
        }
    } else {
        argument.names = {option.get_name(true)};
    }
    argument.description = JoinLines(option.get_description());
    argument.repeats = option.get_items_expected_max() > 1;
    return argument;
}

std::vector<std::string> ParagraphsOf(const std::string& text) {
    std::vector<std::string> paragraphs;
    std::istringstream lines(text);
    std::string paragraph;
    for (std::string line; std::getline(lines, line);) {
        if (line.find_first_not_of(' ') == std::string::npos) {
            if (!paragraph.empty()) {
                paragraphs.push_back(paragraph);
            }
            paragraph.clear();
        } else {
            paragraph += (paragraph.empty() ? "" : "\n") + line;
        }
    }
    if (!paragraph.empty()) {
        paragraphs.push_back(paragraph);
    }
    return paragraphs;
}

}  // namespace

std::string JoinLines(const std::string& text) {
    std::istringstream words(text);
    std::string joined;
    for (std::string word; words >> word;) {
        joined += (joined.empty() ? "" : " ") + word;
    }
    return joined;
}

std::vector<CliCommandReference> ReadCliReference() {
    std::vector<CliCommandReference> reference;
    for (const CliCommand& command : CliCommands()) {
        CLI::App parser("", command.name);
        // The action is never run: the declarations are all that is read.
        command.define(parser);

        CliCommandReference entry{command.name,
                                  command.synopsis,
                                  JoinLines(parser.get_description()),
                                  {},
                                  {},
                                  ParagraphsOf(parser.get_footer())};
        for (const CLI::Option* option : parser.get_options()) {
            if (option == parser.get_help_ptr()) {
                continue;
            }
            (option->nonpositional() ? entry.options : entry.positionals)
                .push_back(ArgumentOf(*option));
        }
        reference.push_back(std::move(entry));
    }
    return reference;
}
