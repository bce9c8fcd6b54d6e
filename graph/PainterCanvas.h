#pragma once
// A canvas that paints with QPainter onto an image (or any paint device): by default without
// antialiasing, so lines are crisp pixels as in the window; fonts sized in points at 96 dots
// per inch; text on an opaque box.

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPen>
#include <QPoint>

#include "common/Canvas.h"

class QPaintDevice;

// Smooth edges suit a picture that is enlarged, printed or scaled by a reader.
enum class CanvasEdges { Crisp, Smooth };

class PainterCanvas final : public Canvas {
public:
    // The painter opens at the first operation, so the device may still be resized (an
    // image assigned anew) between making the canvas and drawing. It closes with End() or
    // with the canvas: a shown image must not stay open to a painter between drawings. A
    // device without pixels is left alone.
    explicit PainterCanvas(QPaintDevice& device, CanvasEdges edges = CanvasEdges::Crisp);
    ~PainterCanvas() override;
    PainterCanvas(const PainterCanvas&) = delete;
    PainterCanvas& operator=(const PainterCanvas&) = delete;

    // Closes the painter; the next operation opens it again.
    void End();

    void FillRect(int left, int top, int right, int bottom) override;
    void SetBrushColour(Colour colour) override;
    void SetPen(Colour colour, int width, PenStyle style) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void SetFont(std::string_view name, int size, Colour colour) override;
    void TextOut(int x, int y, std::string_view text) override;
    int TextWidth(std::string_view text, int size) const override;

private:
    // The open painter, or nothing when the device has no pixels.
    QPainter* Painter();

    QPaintDevice& device_;
    bool smooth_;
    QPainter painter_;
    QPen pen_;
    QColor brush_ = Qt::white;
    QFont font_;
    QColor fontColour_ = Qt::black;
    QPoint current_;
};
