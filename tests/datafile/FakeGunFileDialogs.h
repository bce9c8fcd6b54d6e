#pragma once
// File dialogs that answer with paths set beforehand, so the Save and Load commands run
// without a modal dialog.

#include "datafile/GunFileDialogs.h"

class FakeGunFileDialogs : public GunFileDialogs {
public:
    std::optional<QString> ChooseFileToSave() override {
        ++saveDialogRuns;
        return fileToSave;
    }
    std::optional<QString> ChooseFileToOpen() override {
        ++openDialogRuns;
        return fileToOpen;
    }

    std::optional<QString> fileToSave;  // nothing: the user cancels
    std::optional<QString> fileToOpen;
    int saveDialogRuns = 0;
    int openDialogRuns = 0;
};
