#pragma once
// A command of the command-line tool, and what every command shares.

#include <iosfwd>
#include <span>
#include <string>

#include "common/MessageSink.h"
#include "model/GunParameters.h"

struct CliStreams {
    std::ostream& out;
    std::ostream& err;
};

struct CliCommand {
    const char* name;
    const char* usage;        // the arguments after the name
    const char* description;  // the --help text after the usage line
    // Runs the command on the words after its name; the exit status. Raises UsageError for
    // wrong usage, CommandError or CommandAbort for a refused input or an unsuccessful
    // computation.
    int (*run)(std::span<const std::string> words, CliStreams& streams);
};

// Every message the window program would show in a box goes to standard error, one per line.
class StreamMessageSink : public MessageSink {
public:
    explicit StreamMessageSink(std::ostream& stream) : stream_(stream) {}
    void ShowErrorMessage(const std::string& text) override;
    void ShowPlainMessage(const std::string& text) override;

private:
    std::ostream& stream_;
};

// The gun of a report file, as its sixteen parameter texts with a point as separator: the
// texts the window would show after loading it.
GunParameterTexts ParameterTextsOf(const GunParameters& gun);
