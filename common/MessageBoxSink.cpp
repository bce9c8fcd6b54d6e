#include "common/MessageBoxSink.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QMessageBox>

namespace {

// What a window manager puts in a title bar besides the caption: an icon and up to three
// buttons of about 28 pixels, and margins.
constexpr int TitleBarExtras = 4 * 28 + 2 * 16;
// Title fonts are bold and often larger than the windows' font.
constexpr double TitleFontScale = 1.25;

// A box is only as wide as its text and button need, and the window manager cuts a longer
// caption short ("Ve… n"): the box takes the width its caption needs.
void MakeRoomForCaption(QMessageBox& box) {
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const double width = QFontMetricsF(titleFont).horizontalAdvance(box.windowTitle());
    const int needed = static_cast<int>(width * TitleFontScale) + TitleBarExtras;
    // QMessageBox sizes itself from its layout and ignores a minimum width set on it; a spacer
    // across the layout's columns holds the width.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(needed, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
}

void ShowModalBox(QMessageBox::Icon icon, const QString& caption, const std::string& text) {
    QMessageBox box(icon, caption, QString::fromStdString(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    MakeRoomForCaption(box);
    box.exec();
}

}  // namespace

void MessageBoxSink::ShowErrorMessage(const std::string& text) {
    ShowModalBox(QMessageBox::Critical, caption_, text);
}

void MessageBoxSink::ShowPlainMessage(const std::string& text) {
    ShowModalBox(QMessageBox::NoIcon, caption_, text);
}
