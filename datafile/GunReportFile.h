#pragma once
// Saving a gun report to a file and loading a gun from one: the work of the main window's
// "Save" and "Load" buttons without their dialogs, also usable from the command line.

#include <filesystem>
#include <optional>
#include <string>

#include "common/WholeFileSaving.h"
#include "datafile/GunReportSummary.h"
#include "model/GunParameters.h"

inline constexpr const char* FileSavingErrorMessage = "File saving error.";
inline constexpr const char* FileLoadingErrorMessage = "File loading error.";

// Converts the sixteen field texts with the user's decimal separator, and the optional five
// where they are not empty, then writes the report to path (the five in a section of their own
// when one is not neutral). The name is the field's text in UTF-8; the path is the bytes the system
// knows, whatever their encoding. A text that is not a number raises its CommandError before any
// file is touched. The file is replaced only by a complete report: when it cannot be created or
// written, "File saving error." ends the command (CommandAbort) and a file already there stays
// as it was. A FIFO or a device is written into (SaveFileWhole).
void SaveGunReport(const std::filesystem::path& path, const std::string& name,
                   const GunParameterTexts& fieldTexts, char decimalSeparator,
                   const GunReportSummary& summary,
                   FifoOpening fifo = FifoOpening::WaitForReader);
// The same without the summary, for a gun that was never computed.
void SaveGunReport(const std::filesystem::path& path, const std::string& name,
                   const GunParameterTexts& fieldTexts, char decimalSeparator,
                   std::nullopt_t noSummary, FifoOpening fifo = FifoOpening::WaitForReader);

// Reads the gun's name (UTF-8) and sixteen parameters from the report at path. Ends the
// command (CommandAbort) with "File loading error." when the file is no regular file (a
// FIFO is refused without waiting for a writer) or cannot be opened or read, and with "Wrong
// data format." when it is larger than 1 MiB, of which no more is read, or does not hold a
// complete gun; and with the reason when its optional section cannot be read. The optional
// parameters are those of the section, or neutral.
GunParameters LoadGunReport(const std::filesystem::path& path);
