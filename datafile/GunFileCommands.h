#pragma once
// The "Save" and "Load" commands of the main window: a file dialog, then the report file.
// Errors end the command as CommandError or CommandAbort for RunCommand to show.

#include <optional>
#include <string>

#include "datafile/GunFileDialogs.h"
#include "datafile/GunReportSummary.h"
#include "model/GunParameters.h"

inline constexpr const char* FileNameNotUtf8Message = "The file name is not valid UTF-8.";

// Asks for a file and saves the gun report into it (SaveGunReport); a FIFO that no one reads
// is refused rather than waited for. A cancelled dialog ends the command with nothing
// converted or written; a file name that Qt could not decode ends it with "The file name is
// not valid UTF-8.", here and in LoadGunCommand.
void SaveGunCommand(GunFileDialogs& dialogs, const std::string& name,
                    const GunParameterTexts& fieldTexts, char decimalSeparator,
                    const GunReportSummary& summary);

// Asks for a file and loads the gun from it (LoadGunReport); nothing when the dialog is
// cancelled. The caller puts the gun into its fields only when one comes back.
std::optional<GunParameters> LoadGunCommand(GunFileDialogs& dialogs);
