#include "datafile/GunReportFile.h"

#include <fstream>
#include <sstream>

#include "common/CommandErrors.h"
#include "common/FieldNumber.h"
#include "common/WholeFileSaving.h"
#include "datafile/GunDataReader.h"
#include "datafile/GunDataWriter.h"

void SaveGunReport(const std::filesystem::path& path, const std::string& name,
                   const GunParameterTexts& fieldTexts, char decimalSeparator,
                   const GunReportSummary& summary) {
    std::array<double, GunParameterCount> values{};
    for (size_t i = 0; i < values.size(); ++i) {
        values[i] = FieldToNumber(fieldTexts[i], decimalSeparator);
    }
    std::ostringstream text;
    WriteGunData(text, name, values, summary);
    const std::string report = std::move(text).str();

    if (!SaveFileWhole(path, report)) {
        ShowMessageAndAbort(FileSavingErrorMessage);
    }
}

GunParameters LoadGunReport(const std::filesystem::path& path) {
    // Binary mode: the reader drops the CRs itself, on every system alike.
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) {
        ShowMessageAndAbort(FileLoadingErrorMessage);
    }
    const std::optional<GunParameters> gun = ReadGunData(file);
    if (file.bad()) {
        ShowMessageAndAbort(FileLoadingErrorMessage);
    }
    if (!gun) {
        ShowMessageAndAbort(WrongDataFormatMessage);
    }
    return *gun;
}
