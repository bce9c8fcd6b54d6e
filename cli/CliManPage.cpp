#include "cli/CliManPage.h"

#include <sstream>

#include "cli/RunCli.h"
#include "common/Version.h"

namespace {

constexpr const char* ExamplePrefixes[] = {"Examples:", "Example:"};

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// The command lines of a footer paragraph that gives examples, or none for another paragraph.
// Each example starts with the tool's name; a line that does not continues the one before.
std::vector<std::string> ExamplesOf(const std::string& paragraph) {
    for (const char* prefix : ExamplePrefixes) {
        if (!StartsWith(paragraph, prefix)) {
            continue;
        }
        std::vector<std::string> examples;
        std::istringstream lines(paragraph.substr(std::string(prefix).size()));
        for (std::string line; std::getline(lines, line);) {
            line = JoinLines(line);
            if (line.empty()) {
                continue;
            }
            if (examples.empty() || StartsWith(line, "velloran-cli")) {
                examples.push_back(line);
            } else {
                examples.back() += ' ' + line;
            }
        }
        return examples;
    }
    return {};
}

// "\fB\-o\fR, \fB\-\-output\fR \fIFILE\fR"
std::string ArgumentTag(const CliArgumentReference& argument, bool positional) {
    std::string tag;
    for (const std::string& name : argument.names) {
        tag += (tag.empty() ? "" : ", ") + std::string(positional ? "\\fI" : "\\fB") +
               RoffText(name) + "\\fR";
    }
    if (!argument.valueText.empty()) {
        tag += " \\fI" + RoffText(argument.valueText) + "\\fR";
    }
    return tag;
}

void WriteArguments(std::ostream& page, const std::vector<CliArgumentReference>& arguments,
                    bool positional) {
    for (const CliArgumentReference& argument : arguments) {
        page << ".TP\n" << ArgumentTag(argument, positional) << '\n';
        page << RoffText(argument.description) << '\n';
    }
}

void WriteCommand(std::ostream& page, const CliCommandReference& command,
                  std::vector<std::string>& examples) {
    page << ".SS\n" << RoffText(command.name + ' ' + command.synopsis) << '\n';
    page << RoffText(command.description) << '\n';
    WriteArguments(page, command.positionals, true);
    WriteArguments(page, command.options, false);
    for (const std::string& paragraph : command.footerParagraphs) {
        const std::vector<std::string> paragraphExamples = ExamplesOf(paragraph);
        if (paragraphExamples.empty()) {
            page << ".PP\n" << RoffText(JoinLines(paragraph)) << '\n';
        }
        examples.insert(examples.end(), paragraphExamples.begin(), paragraphExamples.end());
    }
}

void AppendCodePoint(std::string& roff, unsigned codePoint) {
    std::ostringstream escape;
    escape << "\\[u" << std::uppercase << std::hex;
    escape.width(4);
    escape.fill('0');
    escape << codePoint << ']';
    roff += escape.str();
}

}  // namespace

std::string RoffText(const std::string& text) {
    std::string roff;
    bool lineStart = true;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (lineStart && (byte == '.' || byte == '\'')) {
            roff += "\\&";
        }
        lineStart = byte == '\n';
        if (byte == '\\') {
            roff += "\\e";
        } else if (byte == '-') {
            roff += "\\-";
        } else if (byte < 0x80) {
            roff += static_cast<char>(byte);
        } else {
            // A UTF-8 sequence: its lead byte says how many continuation bytes follow.
            const int continuation = byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : 1;
            unsigned codePoint = byte & (0x3Fu >> continuation);
            for (int k = 0; k < continuation && i + 1 < text.size(); ++k) {
                codePoint = (codePoint << 6) | (static_cast<unsigned char>(text[++i]) & 0x3Fu);
            }
            AppendCodePoint(roff, codePoint);
        }
    }
    return roff;
}

std::string CliManPage(const std::vector<CliCommandReference>& commands, const std::string& date) {
    std::ostringstream page;
    page
        << ".\\\" The manual of velloran-cli, written at build time from the tool's own commands.\n"
        << ".TH VELLORAN\\-CLI 1 " << date << " \"Velloran " << VelloranVersion
        << "\" \"User Commands\"\n";
    // Names of parameters and options stay whole, and lines ragged rather than stretched.
    page << R"(.nh
.ad l
.SH NAME
velloran\-cli \- interior ballistics of a spring\-piston air gun from the command line
.SH SYNOPSIS
.B velloran\-cli
.I command
.RI [ arguments ]
.br
.B velloran\-cli
.RB [ \-\-help | \-\-version ]
.SH DESCRIPTION
.B velloran\-cli
runs the engine, the gun report file, the graph and the tools of the window program
.BR velloran (1)
from scripts.
It reads the guns that the window program saves as text reports and computes their shots
exactly as its Compute button does; the commands below say what each makes of them.
.PP
Numbers on the command line and in the CSV output always take a point as decimal separator,
whatever the locale.
Messages go to standard error, in the words the window program shows in its message boxes.
.SH OPTIONS
.TP
.BR \-h ", " \-\-help ", " help
print the list of commands and exit
.TP
.B \-\-version
print the version and exit
.PP
Every command takes
.BR \-h " and " \-\-help
for its own help.
An option's value follows it as the next argument or after an equals sign
.RB ( \-\-y=pressure );
.B \-\-
ends the options, so that the arguments after it may start with a minus sign.
.SH COMMANDS
)";
    std::vector<std::string> examples;
    for (const CliCommandReference& command : commands) {
        WriteCommand(page, command, examples);
    }
    page << ".SH \"EXIT STATUS\"\n"
         << ".TP\n.B " << CliSuccess << "\nsuccess\n"
         << ".TP\n.B " << CliFailure
         << "\na refused input or an unsuccessful computation: a report that cannot be read, a "
            "value that is not a number or out of range, a shot that reaches the step limit, a "
            "file that cannot be written; the message is on standard error\n"
         << ".TP\n.B " << CliWrongUsage
         << "\nwrong usage: an unknown command or option, a missing or malformed argument; the "
            "message and the command's usage line are on standard error\n"
         << ".PP\nEach command above says what its statuses mean for it.\n";
    if (!examples.empty()) {
        page << ".SH EXAMPLES\n.nf\n.RS\n";
        for (const std::string& example : examples) {
            page << RoffText(example) << '\n';
        }
        page << ".RE\n.fi\n";
    }
    page << R"(.SH "SEE ALSO"
.BR velloran (1)
)";
    return page.str();
}
