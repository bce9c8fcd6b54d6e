#include "datafile/GunFileCommands.h"

#include <QFile>

#include "common/CommandErrors.h"
#include "datafile/GunReportFile.h"

namespace {

// Qt lists a file whose name is not valid UTF-8 with U+FFFD in place of the bytes it could not
// decode. Encoded back, that name would lead to another file, so it is refused.
std::filesystem::path FileSystemPathOf(const QString& chosen) {
    if (chosen.contains(QChar::ReplacementCharacter)) {
        ShowMessageAndAbort(FileNameNotUtf8Message);
    }
    return QFile::encodeName(chosen).toStdString();
}

}  // namespace

void SaveGunCommand(GunFileDialogs& dialogs, const std::string& name,
                    const GunParameterTexts& fieldTexts, char decimalSeparator,
                    const GunReportSummary& summary) {
    const std::optional<QString> path = dialogs.ChooseFileToSave();
    if (path) {
        SaveGunReport(FileSystemPathOf(*path), name, fieldTexts, decimalSeparator, summary,
                      FifoOpening::FailWithoutReader);
    }
}

std::optional<GunParameters> LoadGunCommand(GunFileDialogs& dialogs) {
    const std::optional<QString> path = dialogs.ChooseFileToOpen();
    if (!path) {
        return std::nullopt;
    }
    return LoadGunReport(FileSystemPathOf(*path));
}
