#include "datafile/QtGunFileDialogs.h"

#include <QCompleter>
#include <QFileDialog>

namespace {

// The desktop's own dialog where its platform theme offers one (GNOME, KDE, a desktop portal),
// in the desktop's look and font; Qt's dialog where there is none. Both take the filter, the
// default suffix, the proposed name and the start folder, and ask before overwriting.
QFileDialog* NewReportDialog(QWidget* owner, const QString& startFolder, const QString& filter) {
    auto* dialog = new QFileDialog(owner);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilter(filter);
    dialog->setDirectory(startFolder);
    dialog->setSizeGripEnabled(true);
    return dialog;
}

// The next run of the dialog starts from the file chosen now, in its folder, however it was
// chosen: a path typed whole into the name field leaves the dialog in its old folder, with the
// path as typed (without the suffix added) in the field.
std::optional<QString> RunDialog(QFileDialog* dialog) {
    const bool accepted = dialog->exec() == QDialog::Accepted;
    // In Qt's dialog the name field's completion list is a window of its own, and QCompleter opens
    // it once more when a folder's listing arrives after the dialog has closed: it then stands over
    // the main window and takes the next click. Without a widget a completer opens nothing; the
    // name field gives itself back to its completer when it next takes the focus.
    for (QCompleter* completer : dialog->findChildren<QCompleter*>()) {
        completer->setWidget(nullptr);
    }
    if (!accepted || dialog->selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString chosen = dialog->selectedFiles().constFirst();
    dialog->selectFile(chosen);
    return chosen;
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
