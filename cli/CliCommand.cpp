#include "cli/CliCommand.h"

#include <sys/stat.h>
#include <CLI/App.hpp>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <set>

#include "cli/CliNumbers.h"
#include "cli/SweepGrid.h"
#include "cli/UsageError.h"
#include "common/CommandErrors.h"
#include "common/FieldNumber.h"
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
    for (size_t i = 0; i < texts.size(); ++i) {
        texts[i] = NumberToField(gun.values[i], '.');
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
                    "as BulletWeight=7.9gr,MaximumForce=420; a value in the\n"
                    "unit of its field or with a unit of the same quantity\n"
                    "(velloran-cli parameters lists them)")
        ->option_text("NAME=VALUE[,NAME=VALUE...]")
        ->allow_extra_args(false);
}

std::vector<std::string> ListItems(const std::string& list) {
    std::vector<std::string> items;
    size_t start = 0;
    while (true) {
        const size_t comma = list.find(',', start);
        std::string item =
            list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const size_t first = item.find_first_not_of(' ');
        items.push_back(first == std::string::npos ? "" : item.substr(first));
        if (comma == std::string::npos) {
            return items;
        }
        start = comma + 1;
    }
}

ParameterSettings ParseParameterSettings(const std::vector<std::string>& settings) {
    ParameterSettings parsed;
    std::set<GunParameter> named;
    for (const std::string& list : settings) {
        for (const std::string& item : ListItems(list)) {
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
    }
    return parsed;
}

GunParameters WithSettings(GunParameters gun, const ParameterSettings& settings) {
    for (const auto& [parameter, value] : settings) {
        gun.values[static_cast<size_t>(Index(parameter))] = value;
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
        ShowMessageAndAbort(std::string(refused.what()) + " " + path +
                            " holds no gun report as Save writes it.");
    }
    gun.name = WithoutTheWritersBlanks(gun.name);
    return WithSettings(gun, parsed);
}

std::vector<MeasuredShot> LoadChronographShots(const std::string& path) {
    // Read as a stream, so that a pipe serves as well as a file; a chronograph's export is a few
    // kilobytes, so a file beyond the limit is none (and /dev/zero no endless read).
    constexpr std::streamsize LargestShotsFile = std::streamsize{16} << 20;  // bytes
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    std::string text(static_cast<size_t>(LargestShotsFile) + 1, '\0');
    if (file.is_open()) {
        file.read(text.data(), LargestShotsFile + 1);
        text.resize(static_cast<size_t>(file.gcount()));
    }
    if (!file.is_open() || file.bad()) {
        ShowMessageAndAbort(std::string(FileLoadingErrorMessage) + " " + path + ": " +
                            WhyNotReadable(path));
    }
    if (text.size() > static_cast<size_t>(LargestShotsFile)) {
        ShowMessageAndAbort(path + ": more than 16 MiB, no file of shots");
    }
    return ReadChronographShots(text, path);
}
