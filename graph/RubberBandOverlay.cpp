#include "graph/RubberBandOverlay.h"

#include "graph/PainterCanvas.h"

RubberBandOverlay::RubberBandOverlay(QWidget* clientArea) : QWidget(clientArea) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(clientArea->rect());
    raise();
}

void RubberBandOverlay::Show(const std::optional<RubberBand>& band, QPoint imagePosition) {
    band_ = band;
    imagePosition_ = imagePosition;
    // The whole window at once: the graph shows again from its bitmap and the previous band
    // vanishes before the new one is drawn.
    parentWidget()->repaint();
}

void RubberBandOverlay::paintEvent(QPaintEvent*) {
    if (!band_) {
        return;
    }
    PainterCanvas canvas(*this);
    PaintRubberBand(*band_, imagePosition_.x(), imagePosition_.y(), canvas);
}
