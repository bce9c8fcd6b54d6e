#include "cli/CliCommand.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <CLI/App.hpp>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <set>

#include "cli/CliNumbers.h"
#include "cli/CliValidators.h"
#include "cli/SweepGrid.h"
#include "cli/UsageError.h"
#include "common/BoundedRead.h"
#include "common/CommandErrors.h"
#include "common/FieldNumber.h"
#include "common/FileDescriptor.h"
#include "datafile/GunDataReader.h"
#include "datafile/GunReportFile.h"

namespace {

// The system's reason why the file cannot be opened for reading, as the report loader and the
// shots' reader refuse it.
std::string WhyNotReadable(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        return std::strerror(errno);
    }
    if (S_ISDIR(info.st_mode)) {
        return std::strerror(EISDIR);
    }
    if (S_ISFIFO(info.st_mode)) {
        return "a FIFO, not a regular file";
    }
    if (!S_ISREG(info.st_mode)) {
        return "a device, not a regular file";
    }
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    if (!file.is_open()) {
        return std::strerror(errno != 0 ? errno : EACCES);
    }
    return "it cannot be read";
}

// The name as a person gave it: the writer puts a blank before and after it, and the reader
// keeps them.
std::string WithoutTheWritersBlanks(std::string name) {
    if (!name.empty() && name.front() == ' ') {
        name.erase(0, 1);
    }
    if (!name.empty() && name.back() == ' ') {
        name.pop_back();
    }
    return name;
}

}  // namespace

void StreamMessageSink::ShowErrorMessage(const std::string& text) {
    stream_ << text << '\n';
}

void StreamMessageSink::ShowPlainMessage(const std::string& text) {
    stream_ << text << '\n';
}

GunParameterTexts ParameterTextsOf(const GunParameters& gun) {
    GunParameterTexts texts;
    for (size_t i = 0; i < gun.values.size(); ++i) {
        texts[i] = NumberToField(gun.values[i], '.');
    }
    for (size_t i = 0; i < gun.optional.size(); ++i) {
        texts[GunParameterCount + i] = NumberToField(gun.optional[i], '.');
    }
    return texts;
}

void AddGunReport(CLI::App& command, std::string& path) {
    command.add_option("GUN.txt", path, "the gun report, as Save writes it")->required();
}

void AddParameterSettings(CLI::App& command, std::vector<std::string>& settings) {
    command
        .add_option("--set", settings,
                    "changes parameters of the gun before anything runs, such\n"
                    "as BulletWeight=7.9gr,MaximumForce=420, or the optional\n"
                    "ones of the extended model such as PortDiameter=2mm; a\n"
                    "value in the unit of its field or with a unit of the same\n"
                    "quantity (velloran-cli parameters lists them)")
        ->option_text("NAME=VALUE[,NAME=VALUE...]")
        ->allow_extra_args(false)
        ->delimiter(',')
        ->transform(TrimmedListItem);
}

ParameterSettings ParseParameterSettings(const std::vector<std::string>& settings) {
    ParameterSettings parsed;
    std::set<GunParameter> named;
    // The option splits its lists at the commas.
    for (const std::string& item : settings) {
        const size_t equals = item.find('=');
        if (equals == std::string::npos) {
            throw UsageError("--set takes NAME=VALUE[,NAME=VALUE...], not '" + item + "'");
        }
        const std::string name = item.substr(0, equals);
        const GunParameter parameter = ParameterNamed(name);
        if (!named.insert(parameter).second) {
            throw UsageError("--set gives " + name + " twice");
        }
        parsed.emplace_back(parameter, ParseParameterValue(parameter, item.substr(equals + 1),
                                                           "--set " + name));
    }
    return parsed;
}

GunParameters WithSettings(GunParameters gun, const ParameterSettings& settings) {
    for (const auto& [parameter, value] : settings) {
        if (IsOptional(parameter)) {
            gun.optional[static_cast<size_t>(Index(parameter) - GunParameterCount)] = value;
        } else {
            gun.values[static_cast<size_t>(Index(parameter))] = value;
        }
    }
    return gun;
}

GunParameters LoadGun(const std::string& path, const std::vector<std::string>& settings) {
    const ParameterSettings parsed = ParseParameterSettings(settings);
    GunParameters gun;
    try {
        gun = LoadGunReport(path);
    } catch (const CommandAbort& refused) {
        if (std::string(refused.what()) == FileLoadingErrorMessage) {
            ShowMessageAndAbort(std::string(FileLoadingErrorMessage) + " " + path + ": " +
                                WhyNotReadable(path));
        }
        if (std::string(refused.what()) != WrongDataFormatMessage) {
            ShowMessageAndAbort(path + ": " + refused.what());  // its optional section
        }
        ShowMessageAndAbort(std::string(refused.what()) + " " + path +
                            " holds no gun report as Save writes it.");
    }
    gun.name = WithoutTheWritersBlanks(gun.name);
    return WithSettings(gun, parsed);
}

namespace {

// The bytes of the file, up to limit + 1 so that a larger one shows as such; nothing when it
// cannot be read. A FIFO or a pipe is read as a file is, but one that no program writes into
// ends the command rather than leaving it waiting for ever.
std::optional<std::string> ReadShotsFile(const std::string& path, size_t limit) {
    // Opening a FIFO without O_NONBLOCK waits for a writer; with it, reading a FIFO that no
    // program holds open for writing ends at once, with nothing.
    const FileDescriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat info {};
    if (!file.IsOpen() || fstat(file.Get(), &info) != 0) {
        return std::nullopt;
    }
    const std::optional<std::string> bytes = ReadAtMost(file.Get(), limit);
    if (bytes && bytes->empty() && S_ISFIFO(info.st_mode)) {
        ShowMessageAndAbort(path + ": a FIFO or pipe that no program writes into");
    }
    return bytes;
}

}  // namespace

std::vector<MeasuredShot> LoadChronographShots(const std::string& path) {
    // A chronograph's export is a few kilobytes, so a file beyond the limit is none (and
    // /dev/zero no endless read).
    constexpr size_t LargestShotsFile = size_t{16} << 20;  // bytes
    const std::optional<std::string> text = ReadShotsFile(path, LargestShotsFile);
    if (!text) {
        ShowMessageAndAbort(std::string(FileLoadingErrorMessage) + " " + path + ": " +
                            WhyNotReadable(path));
    }
    if (text->size() > LargestShotsFile) {
        ShowMessageAndAbort(path + ": more than 16 MiB, no file of shots");
    }
    return ReadChronographShots(*text, path);
}
