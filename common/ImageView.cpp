#include "common/ImageView.h"

#include <QMouseEvent>
#include <QPainter>

ImageView::ImageView(QWidget* parent) : QWidget(parent) {}

void ImageView::SetBitmapSize(int width, int height) {
    bitmap_ = QImage(width, height, QImage::Format_RGB32);
}

void ImageView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, bitmap_);
}

void ImageView::mousePressEvent(QMouseEvent* event) {
    emit MouseDown(event->position().toPoint());
}

void ImageView::mouseMoveEvent(QMouseEvent* event) {
    emit MouseMove(event->position().toPoint());
}

void ImageView::mouseReleaseEvent(QMouseEvent* event) {
    emit MouseUp(event->position().toPoint());
}

void ImageView::mouseDoubleClickEvent(QMouseEvent* event) {
    emit DoubleClick();
    emit MouseDown(event->position().toPoint());
}
