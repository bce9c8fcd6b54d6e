#pragma once
// A command of the command-line tool, and what every command shares.

#include <functional>
#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

#include "common/MessageSink.h"
#include "model/ChronographShots.h"
#include "model/GunParameters.h"

namespace CLI {
class App;
}

struct CliStreams {
    std::ostream& out;
    std::ostream& err;
};

// What a command does once its command line has been parsed into its options: the exit
// status. Raises UsageError for wrong usage that only the command can see, CommandFailure for
// a refused input or an unsuccessful computation.
using CliAction = std::function<int(CliStreams& streams)>;

struct CliCommand {
    const char* name;
    const char* synopsis;  // the arguments after the name, as the usage line shows them
    // Declares the command's arguments, description and help footer on its subcommand, and
    // gives the action that runs it on the values parsed into them.
    CliAction (*define)(CLI::App& command);
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

// Declares the required first argument GUN.txt, a gun report saved by Velloran.
void AddGunReport(CLI::App& command, std::string& path);

// Declares --set NAME=VALUE[,NAME=VALUE…], which changes parameters of the loaded gun (the
// optional five among them) before anything runs; it may be given more than once.
void AddParameterSettings(CLI::App& command, std::vector<std::string>& settings);

// The parameters that --set changes, each with its value in the unit of its field. Raises
// UsageError for a name that is no parameter, a value that is no number in a unit of its
// quantity, or a parameter set twice.
using ParameterSettings = std::vector<std::pair<GunParameter, double>>;
ParameterSettings ParseParameterSettings(const std::vector<std::string>& settings);

// The gun of a report, with the --set changes. A file that cannot be loaded ends the command
// with the window's message, the file's name and the reason ("File loading error. gun.txt: No
// such file or directory"), one whose optional section cannot be read with the file's name and
// the reason. The optional parameters are the section's, or neutral. The name is the one the
// report's name line holds, without the blanks the writer puts around it, so that saving it again
// writes the same name line.
GunParameters LoadGun(const std::string& path, const std::vector<std::string>& settings);

// The gun with the changes made.
GunParameters WithSettings(GunParameters gun, const ParameterSettings& settings);

// The gun of a report file, as its sixteen parameter texts with a point as separator (the
// texts the window would show after loading it), and the texts of its optional five.
GunParameterTexts ParameterTextsOf(const GunParameters& gun);

// The shots of a chronograph's CSV file; a file that cannot be read ends the command with
// "File loading error. <path>: <reason>"; a FIFO that no program writes into with a message
// that says so. A pipe serves as well as a file.
std::vector<MeasuredShot> LoadChronographShots(const std::string& path);
