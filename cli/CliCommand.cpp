#include "cli/CliCommand.h"

#include <CLI/App.hpp>
#include <filesystem>
#include <fstream>
#include <ostream>

#include "common/CommandErrors.h"
#include "common/FieldNumber.h"
#include "datafile/GunReportFile.h"

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
        ShowMessageAndAbort(path + ": " + FileLoadingErrorMessage);
    }
    if (text.size() > static_cast<size_t>(LargestShotsFile)) {
        ShowMessageAndAbort(path + ": more than 16 MiB, no file of shots");
    }
    return ReadChronographShots(text, path);
}
