#include "common/EtchedGroupBox.h"

#include <QPainter>

EtchedGroupBox::EtchedGroupBox(QWidget* parent) : QGroupBox(parent) {}

EtchedGroupBox::EtchedGroupBox(const QString& caption, QWidget* parent)
    : QGroupBox(caption, parent) {}

int EtchedGroupBox::FrameTop() const {
    return fontMetrics().height() / 2 - 1;
}

QRect EtchedGroupBox::InsideFrame() const {
    const int top = fontMetrics().height();
    return QRect(2, top, width() - 4, height() - top - 2);
}

void EtchedGroupBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    // A rectangle drawn with a one-pixel pen covers one pixel more than its width and height.
    const QRect frame(0, FrameTop(), width() - 2, height() - FrameTop() - 2);
    painter.setPen(palette().color(group, QPalette::Light));
    painter.drawRect(frame.translated(1, 1));
    painter.setPen(palette().color(group, QPalette::Dark));
    painter.drawRect(frame);

    if (title().isEmpty()) {
        return;
    }
    // The caption covers the frame's top line on the window's ground, a pixel beside each end.
    const QRect caption(8, 0, fontMetrics().horizontalAdvance(title()), fontMetrics().height());
    painter.fillRect(caption.adjusted(-1, 0, 1, 0), palette().color(group, QPalette::Window));
    painter.setPen(palette().color(group, QPalette::WindowText));
    painter.drawText(caption, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, title());
}
