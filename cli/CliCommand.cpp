#include "cli/CliCommand.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <CLI/App.hpp>
#include <algorithm>
#include <array>
#include <cerrno>
#include <optional>
#include <ostream>

#include "common/CommandErrors.h"
#include "common/FieldNumber.h"
#include "common/FileDescriptor.h"
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
    std::string bytes;
    std::array<char, 16384> chunk;
    while (bytes.size() <= limit) {
        const ssize_t got =
            read(file.Get(), chunk.data(), std::min(chunk.size(), limit + 1 - bytes.size()));
        if (got < 0 && errno == EAGAIN) {
            // A writer is there but has written nothing yet: wait for it, as for a pipe.
            pollfd ready{file.Get(), POLLIN, 0};
            poll(&ready, 1, -1);
            continue;
        }
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        bytes.append(chunk.data(), static_cast<size_t>(got));
    }
    if (S_ISFIFO(info.st_mode) && bytes.empty()) {
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
        ShowMessageAndAbort(path + ": " + FileLoadingErrorMessage);
    }
    if (text->size() > LargestShotsFile) {
        ShowMessageAndAbort(path + ": more than 16 MiB, no file of shots");
    }
    return ReadChronographShots(*text, path);
}
