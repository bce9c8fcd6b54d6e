#pragma once
// A panel framed by a lowered outer and a raised inner bevel, one pixel each.

#include <QFrame>

class BevelPanel : public QFrame {
    Q_OBJECT
public:
    BevelPanel(QWidget* parent, int x, int y, int width, int height);

protected:
    void paintEvent(QPaintEvent* event) override;
};
