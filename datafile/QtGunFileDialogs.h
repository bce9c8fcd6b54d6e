#pragma once
// The file dialogs of "Save" and "Load" in the window program. Both are children of the main
// window and live as long as it does; each starts from the file last chosen in it, in that
// file's folder.

#include <QString>

#include "datafile/GunFileDialogs.h"

class QFileDialog;
class QWidget;

class QtGunFileDialogs : public GunFileDialogs {
public:
    // startFolder: where both dialogs open the first time (the executable's folder). The owner
    // outlives this object.
    QtGunFileDialogs(QWidget* owner, QString startFolder);

    std::optional<QString> ChooseFileToSave() override;
    std::optional<QString> ChooseFileToOpen() override;

    // Each is built on its first use, which spares the window's start the cost of building
    // them, and owned by the owner window from then on.
    QFileDialog* SaveDialog1();
    QFileDialog* OpenDialog1();

private:
    QWidget* owner_;
    QString startFolder_;
    QFileDialog* saveDialog_ = nullptr;
    QFileDialog* openDialog_ = nullptr;
};
