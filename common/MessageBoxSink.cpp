#include "common/MessageBoxSink.h"

#include <QApplication>
#include <QMessageBox>

namespace {

void ShowModalBox(QMessageBox::Icon icon, const QString& caption, const std::string& text) {
    QMessageBox box(icon, caption, QString::fromStdString(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

}  // namespace

void MessageBoxSink::ShowErrorMessage(const std::string& text) {
    ShowModalBox(QMessageBox::Critical, caption_, text);
}

void MessageBoxSink::ShowPlainMessage(const std::string& text) {
    ShowModalBox(QMessageBox::NoIcon, caption_, text);
}
