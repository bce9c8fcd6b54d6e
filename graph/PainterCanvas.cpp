#include "graph/PainterCanvas.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QString>
#include <QStringList>

namespace {

constexpr double ScreenDotsPerInch = 96;
constexpr double PointsPerInch = 72;

// 10 points are 13 pixels.
int PointsToPixels(int points) {
    return qRound(points * ScreenDotsPerInch / PointsPerInch);
}

QColor ToQColor(Colour colour) {
    return QColor(colour.Red, colour.Green, colour.Blue);
}

Qt::PenStyle ToQtPenStyle(PenStyle style) {
    switch (style) {
        case PenStyle::Dashed:
            return Qt::DashLine;
        case PenStyle::Dotted:
            return Qt::DotLine;
        case PenStyle::Solid:
            break;
    }
    return Qt::SolidLine;
}

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

PainterCanvas::PainterCanvas(QPaintDevice& device, CanvasEdges edges)
    : device_(device), smooth_(edges == CanvasEdges::Smooth), pen_(Qt::black) {
    pen_.setWidth(1);
    font_.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font_.setStyleHint(QFont::SansSerif);
    font_.setStyleStrategy(smooth_ ? QFont::PreferAntialias : QFont::NoAntialias);
    font_.setPixelSize(PointsToPixels(10));
}

PainterCanvas::~PainterCanvas() {
    End();
}

void PainterCanvas::End() {
    if (painter_.isActive()) {
        painter_.end();
    }
}

QPainter* PainterCanvas::Painter() {
    if (!painter_.isActive()) {
        if (device_.width() <= 0 || device_.height() <= 0 || !painter_.begin(&device_)) {
            return nullptr;
        }
        painter_.setRenderHint(QPainter::Antialiasing, smooth_);
        painter_.setRenderHint(QPainter::TextAntialiasing, smooth_);
        painter_.setPen(pen_);
        painter_.setBrush(Qt::NoBrush);
        painter_.setFont(font_);
    }
    return &painter_;
}

void PainterCanvas::FillRect(int left, int top, int right, int bottom) {
    if (QPainter* painter = Painter()) {
        // In real coordinates, so that no edge of a far-off rectangle overflows an int.
        painter->fillRect(QRectF(QPointF(left, top), QPointF(right, bottom)), brush_);
    }
}

void PainterCanvas::SetBrushColour(Colour colour) {
    brush_ = ToQColor(colour);
}

void PainterCanvas::SetPen(Colour colour, int width, PenStyle style) {
    // Crisp, flat ends: a line covers its first pixel but not its last, so a polyline's joints
    // are drawn once, and thick segments take the painter's fast path (round ends cost five
    // times as much). Smooth lines are drawn segment by segment too: round ends join them
    // without notches.
    pen_ = QPen(ToQColor(colour), width, ToQtPenStyle(style), smooth_ ? Qt::RoundCap : Qt::FlatCap,
                smooth_ ? Qt::RoundJoin : Qt::MiterJoin);
    if (painter_.isActive()) {
        painter_.setPen(pen_);
    }
}

void PainterCanvas::MoveTo(int x, int y) {
    current_ = QPoint(x, y);
}

void PainterCanvas::LineTo(int x, int y) {
    const QPoint to(x, y);
    if (QPainter* painter = Painter()) {
        painter->drawLine(current_, to);
    }
    current_ = to;
}

void PainterCanvas::Ellipse(int left, int top, int right, int bottom) {
    if (QPainter* painter = Painter()) {
        painter->setBrush(brush_);
        // The painter's outline covers one pixel more than the rectangle's size.
        painter->drawEllipse(QRectF(QPointF(left, top), QPointF(right - 1.0, bottom - 1.0)));
        painter->setBrush(Qt::NoBrush);
    }
}

void PainterCanvas::SetFont(std::string_view name, int size, Colour colour) {
    font_.setFamilies({ToQString(name), QStringLiteral("Liberation Sans")});
    font_.setPixelSize(PointsToPixels(size));
    fontColour_ = ToQColor(colour);
    if (painter_.isActive()) {
        painter_.setFont(font_);
    }
}

int PainterCanvas::TextWidth(std::string_view text, int size) const {
    QFont font = font_;
    font.setPixelSize(PointsToPixels(size));
    return QFontMetrics(font, &device_).horizontalAdvance(ToQString(text));
}

void PainterCanvas::TextOut(int x, int y, std::string_view text) {
    QPainter* painter = Painter();
    if (!painter) {
        return;
    }
    const QString string = ToQString(text);
    const QFontMetrics metrics = painter->fontMetrics();
    const QPointF topLeft(x, y);
    painter->fillRect(QRectF(topLeft, QSizeF(metrics.horizontalAdvance(string), metrics.height())),
                      brush_);
    painter->setPen(fontColour_);
    painter->drawText(topLeft + QPointF(0, metrics.ascent()), string);
    painter->setPen(pen_);
}
