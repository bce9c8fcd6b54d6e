#include "datafile/GunReportFile.h"

#include <QFile>
#include <QSaveFile>
#include <fstream>
#include <sstream>

#include "common/CommandErrors.h"
#include "common/FieldNumber.h"
#include "datafile/GunDataReader.h"
#include "datafile/GunDataWriter.h"

void SaveGunReport(const QString& path, const std::string& name,
                   const GunParameterTexts& fieldTexts, char decimalSeparator,
                   const GunReportSummary& summary) {
    std::array<double, GunParameterCount> values{};
    for (size_t i = 0; i < values.size(); ++i) {
        values[i] = FieldToNumber(fieldTexts[i], decimalSeparator);
    }
    std::ostringstream text;
    WriteGunData(text, name, values, summary);
    const std::string report = std::move(text).str();

    // QSaveFile writes into a temporary file beside the target and renames it over the
    // target only when everything was written; without commit() it removes it. Its commit()
    // overlooks a write that fails only when the buffer is flushed (a full disk), and would
    // rename the empty file over the report, so the flush is checked first.
    QSaveFile file(path);
    const auto size = static_cast<qint64>(report.size());
    if (!file.open(QIODevice::WriteOnly) || file.write(report.data(), size) != size ||
        !file.flush() || !file.commit()) {
        ShowMessageAndAbort(FileSavingErrorMessage);
    }
}

GunParameters LoadGunReport(const QString& path) {
    // Binary mode: the reader drops the CRs itself, on every system alike.
    std::ifstream file(QFile::encodeName(path).toStdString(), std::ios::binary);
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
