#include "datafile/QtGunFileDialogs.h"

#include <QFileDialog>

namespace {

// Qt's own dialog: it behaves the same on every desktop and needs no desktop portal.
QFileDialog* NewReportDialog(QWidget* owner, const QString& startFolder, const QString& filter) {
    auto* dialog = new QFileDialog(owner);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilter(filter);
    dialog->setDirectory(startFolder);
    dialog->setSizeGripEnabled(true);
    return dialog;
}

// The dialog keeps its folder and the name in its name field after it closes, so the next run
// starts from the file last chosen.
std::optional<QString> RunDialog(QFileDialog* dialog) {
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog->selectedFiles().constFirst();
}

}  // namespace

QtGunFileDialogs::QtGunFileDialogs(QWidget* owner, QString startFolder)
    : owner_(owner), startFolder_(std::move(startFolder)) {}

QFileDialog* QtGunFileDialogs::SaveDialog1() {
    if (!saveDialog_) {
        saveDialog_ = NewReportDialog(owner_, startFolder_, QStringLiteral("Txt Files (*.txt)"));
        saveDialog_->setAcceptMode(QFileDialog::AcceptSave);
        saveDialog_->setDefaultSuffix(QStringLiteral("txt"));
        saveDialog_->selectFile(QStringLiteral("RevIve.txt"));
    }
    return saveDialog_;
}

QFileDialog* QtGunFileDialogs::OpenDialog1() {
    if (!openDialog_) {
        openDialog_ = NewReportDialog(owner_, startFolder_, QStringLiteral("Text Files (*.txt)"));
        openDialog_->setAcceptMode(QFileDialog::AcceptOpen);
    }
    return openDialog_;
}

std::optional<QString> QtGunFileDialogs::ChooseFileToSave() {
    return RunDialog(SaveDialog1());
}

std::optional<QString> QtGunFileDialogs::ChooseFileToOpen() {
    return RunDialog(OpenDialog1());
}
