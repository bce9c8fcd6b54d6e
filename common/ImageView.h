#pragma once
// An image control: shows an off-screen bitmap unscaled from its top-left corner and reports
// the mouse in its own pixel coordinates. Drawing goes into the bitmap; a repaint only shows it.

#include <QImage>
#include <QWidget>

class ImageView : public QWidget {
    Q_OBJECT
public:
    explicit ImageView(QWidget* parent);

    QImage& Bitmap() { return bitmap_; }
    const QImage& Bitmap() const { return bitmap_; }

    // Resizes the bitmap (its content is undefined until the next drawing).
    void SetBitmapSize(int width, int height);

signals:
    void MouseDown(QPoint position);
    void MouseMove(QPoint position);
    void MouseUp(QPoint position);
    // Sent for the second press of a double-click, before that press's MouseDown.
    void DoubleClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage bitmap_;
};
