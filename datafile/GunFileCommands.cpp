#include "datafile/GunFileCommands.h"

#include "datafile/GunReportFile.h"

void SaveGunCommand(GunFileDialogs& dialogs, const std::string& name,
                    const GunParameterTexts& fieldTexts, char decimalSeparator,
                    const GunReportSummary& summary) {
    const std::optional<QString> path = dialogs.ChooseFileToSave();
    if (path) {
        SaveGunReport(*path, name, fieldTexts, decimalSeparator, summary);
    }
}

std::optional<GunParameters> LoadGunCommand(GunFileDialogs& dialogs) {
    const std::optional<QString> path = dialogs.ChooseFileToOpen();
    if (!path) {
        return std::nullopt;
    }
    return LoadGunReport(*path);
}
