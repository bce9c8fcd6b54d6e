#pragma once
// A transparent layer over a window's client area that shows the rubber band of a graph drag
// above the shown graph, in the window's coordinates. The mouse passes through it.

#include <QWidget>
#include <optional>

#include "graph/GraphInteraction.h"

class RubberBandOverlay : public QWidget {
    Q_OBJECT
public:
    explicit RubberBandOverlay(QWidget* clientArea);

    // Shows the band shifted by the graph image's position, or nothing; repaints at once.
    void Show(const std::optional<RubberBand>& band, QPoint imagePosition);

    const std::optional<RubberBand>& Band() const { return band_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<RubberBand> band_;
    QPoint imagePosition_;
};
