#include "common/BevelPanel.h"

#include <QPainter>

BevelPanel::BevelPanel(QWidget* parent, int x, int y, int width, int height) : QFrame(parent) {
    setGeometry(x, y, width, height);
}

void BevelPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Dark);
    const auto drawBevel = [&](QRect box, const QColor& topLeft, const QColor& bottomRight) {
        painter.setPen(topLeft);
        painter.drawLine(box.topLeft(), box.topRight());
        painter.drawLine(box.topLeft(), box.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(box.bottomLeft(), box.bottomRight());
        painter.drawLine(box.topRight(), box.bottomRight());
    };
    drawBevel(rect(), dark, light);                         // lowered outer bevel
    drawBevel(rect().adjusted(1, 1, -1, -1), light, dark);  // raised inner bevel
}
