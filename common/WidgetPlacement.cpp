#include "common/WidgetPlacement.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>

QFont PixelFont(const QString& family, int pixelHeight, bool bold) {
    QFont font;
    // Where the family is missing, Liberation Sans stands in: it has Arial's metrics, and at
    // these pixel heights its captions fit the widths the fixed layouts give them. The
    // default sans of most Linux desktops is a tenth wider and overruns them.
    font.setFamilies({family, QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

QFont DefaultWindowFont() {
    return PixelFont(QStringLiteral("MS Sans Serif"), 11);
}

QLabel* PlaceLabel(QWidget* parent, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->adjustSize();
    label->move(x, y);
    return label;
}

QLabel* PlaceRightAlignedLabel(QWidget* parent, const QString& text, int rightEdge, int y) {
    auto* label = new QLabel(text, parent);
    label->adjustSize();
    label->move(rightEdge - label->width(), y);
    return label;
}

void FixClientSizeAndCentre(QWidget* window, int width, int height) {
    window->setFixedSize(width, height);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        window->move(available.center() - QPoint(width / 2, height / 2));
    }
}
