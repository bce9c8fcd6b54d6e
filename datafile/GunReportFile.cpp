#include "datafile/GunReportFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <sstream>

#include "common/BoundedRead.h"
#include "common/CommandErrors.h"
#include "common/FieldNumber.h"
#include "common/FileDescriptor.h"
#include "common/WholeFileSaving.h"
#include "datafile/GunDataReader.h"
#include "datafile/GunDataWriter.h"
#include "datafile/ReportOptionalSection.h"

namespace {

// A report is about 1.1 kB: a file far larger is none, and is not read whole into memory.
constexpr size_t LargestReport = size_t{1} << 20;  // bytes

// At most limit + 1 bytes of the file, so that a larger file shows as such; nothing when it is
// no regular file or cannot be read.
std::optional<std::string> ReadRegularFile(const std::filesystem::path& path, size_t limit) {
    // Looked at before it is opened: opening a FIFO waits for a writer, opening a device may
    // set it going.
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    // Should it have turned into a FIFO since, O_NONBLOCK keeps the open from waiting.
    const FileDescriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!file.IsOpen() || fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    return ReadAtMost(file.Get(), limit);
}

}  // namespace

namespace {

void SaveReport(const std::filesystem::path& path, const std::string& name,
                const GunParameterTexts& fieldTexts, char decimalSeparator,
                const GunReportSummary* summary, FifoOpening fifo) {
    std::array<double, GunParameterCount> values{};
    for (size_t i = 0; i < values.size(); ++i) {
        values[i] = FieldToNumber(fieldTexts[i], decimalSeparator);
    }
    // An optional parameter whose text is empty is not given: neutral.
    OptionalParameterValues optional = NeutralOptionalValues();
    for (size_t i = 0; i < optional.size(); ++i) {
        const std::string& text = fieldTexts[GunParameterCount + i];
        if (!text.empty()) {
            optional[i] = FieldToNumber(text, decimalSeparator);
        }
    }
    std::ostringstream text;
    if (summary != nullptr) {
        WriteGunData(text, name, values, *summary, optional);
    } else {
        WriteGunData(text, name, values, std::nullopt, optional);
    }
    const std::string report = std::move(text).str();

    if (!SaveFileWhole(path, report, fifo)) {
        ShowMessageAndAbort(FileSavingErrorMessage);
    }
}

}  // namespace

void SaveGunReport(const std::filesystem::path& path, const std::string& name,
                   const GunParameterTexts& fieldTexts, char decimalSeparator,
                   const GunReportSummary& summary, FifoOpening fifo) {
    SaveReport(path, name, fieldTexts, decimalSeparator, &summary, fifo);
}

void SaveGunReport(const std::filesystem::path& path, const std::string& name,
                   const GunParameterTexts& fieldTexts, char decimalSeparator, std::nullopt_t,
                   FifoOpening fifo) {
    SaveReport(path, name, fieldTexts, decimalSeparator, nullptr, fifo);
}

GunParameters LoadGunReport(const std::filesystem::path& path) {
    std::optional<std::string> bytes = ReadRegularFile(path, LargestReport);
    if (!bytes) {
        ShowMessageAndAbort(FileLoadingErrorMessage);
    }
    if (bytes->size() > LargestReport) {
        ShowMessageAndAbort(WrongDataFormatMessage);
    }
    std::istringstream report(*bytes);
    std::optional<GunParameters> gun = ReadGunData(report);
    if (!gun) {
        ShowMessageAndAbort(WrongDataFormatMessage);
    }
    const OptionalSectionReading section = ReadOptionalSection(*bytes);
    if (!section.failure.empty()) {
        ShowMessageAndAbort(section.failure);
    }
    gun->optional = section.values;
    return *gun;
}
