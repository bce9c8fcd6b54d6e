#pragma once
// The file dialogs of the "Save" and "Load" commands, behind an interface so that the
// commands run without a modal dialog in tests and outside the window program.

#include <QString>
#include <optional>

class GunFileDialogs {
public:
    virtual ~GunFileDialogs() = default;

    // The full path of the file to save the gun report into, or nothing when cancelled.
    virtual std::optional<QString> ChooseFileToSave() = 0;

    // The full path of the report to load, or nothing when cancelled. The file need not exist.
    virtual std::optional<QString> ChooseFileToOpen() = 0;
};
