#pragma once
// A group box framed by an etched line, a dark one with a light one beside it, whose top runs
// through the middle of the caption; the caption stands at x = 8 on the window's ground. The
// controls inside keep their positions: a control at y = 16 lies below the frame's top line.

#include <QGroupBox>

class EtchedGroupBox : public QGroupBox {
    Q_OBJECT
public:
    explicit EtchedGroupBox(QWidget* parent);
    EtchedGroupBox(const QString& caption, QWidget* parent);

    // The area inside the frame and below the caption.
    QRect InsideFrame() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int FrameTop() const;
};
