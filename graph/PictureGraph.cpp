#include "graph/PictureGraph.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "graph/DrawCurves.h"
#include "graph/RoundTicks.h"

namespace {

constexpr Colour White{255, 255, 255};
constexpr Colour Black{0, 0, 0};
constexpr Colour GridGrey{205, 205, 205};
constexpr Colour LegendFrameGrey{150, 150, 150};
constexpr const char* PictureFont = "Arial";

// Sizes at scale 1, the window's graph: fonts in points, the rest in pixels.
constexpr double LabelPoints = 10;
constexpr double TitlePoints = 12;
constexpr double CurveWidth = 2;
constexpr double FrameWidth = 1;
constexpr double GridWidth = 1;
constexpr double MarkerRadius = 3.5;
constexpr double Padding = 6;
constexpr double TickLength = 4;
constexpr double LegendSampleWidth = 22;
// A font's line in pixels per point: 96 dots per inch, with the leading Arial takes.
constexpr double LinePixelsPerPoint = 96.0 / 72 * 1.15;
// Tick labels stand at least this many of their lines apart vertically, and this many widths
// of an average digit apart horizontally beyond their own width.
constexpr double YLabelLines = 1.8;
constexpr double XLabelGapDigits = 3;

// The sizes of one picture.
struct Sizes {
    double scale;
    int Pixels(double atScaleOne) const {
        return std::max(1, static_cast<int>(std::lround(atScaleOne * scale)));
    }
    int Points(double atScaleOne) const { return Pixels(atScaleOne); }
    int LineHeight(int points) const {
        return static_cast<int>(std::ceil(points * LinePixelsPerPoint));
    }
};

struct Range {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    // A value beyond the doubles (the energy of an absurd measured shot) has no place on an
    // axis: its point is drawn at the edge.
    void Take(double v) {
        if (std::isfinite(v)) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
    bool Empty() const { return !(low <= high); }
};

// Where the plot rectangle stands and the values at its edges.
struct PlotArea {
    int left, top, right, bottom;
    RoundTicks x, y;
    int X(double v) const { return left + Across(v, x, right - left); }
    int Y(double v) const { return bottom - Across(v, y, bottom - top); }

    // How far along an axis of the length the value stands, kept on the axis.
    static int Across(double v, const RoundTicks& ticks, int length) {
        const double fraction = (v - ticks.Low()) / (ticks.High() - ticks.Low());
        return static_cast<int>(
            std::lround((fraction >= 0 ? std::min(fraction, 1.0) : 0) * length));
    }
};

int WidestLabel(const RoundTicks& ticks, int points, const Canvas& canvas) {
    int widest = 0;
    for (int k = 0; k < ticks.count; ++k) {
        widest = std::max(widest, canvas.TextWidth(ticks.Label(k), points));
    }
    return widest;
}

// The x ticks for a plot of the width: as many as stand apart by their own width and a gap.
// The labels' width depends on the step chosen, so the step is chosen again for the labels
// found until they fit.
RoundTicks XTicks(const Range& range, int plotWidth, int points, const Canvas& canvas) {
    constexpr int MostPasses = 4;
    const int gap = static_cast<int>(XLabelGapDigits * canvas.TextWidth("0", points));
    int apart = canvas.TextWidth("0000", points) + gap;
    RoundTicks ticks{};
    for (int pass = 0; pass < MostPasses; ++pass) {
        ticks = ChooseRoundTicks(range.low, range.high, plotWidth / std::max(apart, 1) + 1);
        const int needed = WidestLabel(ticks, points, canvas) + gap;
        if (needed <= apart) {
            break;
        }
        apart = needed;
    }
    return ticks;
}

std::array<Range, 2> DataRanges(const PictureGraph& graph) {
    Range x;
    Range y;
    for (const PictureCurve& curve : graph.curves) {
        for (size_t i = 0; i < curve.xs.size() && i < curve.ys.size(); ++i) {
            x.Take(curve.xs[i]);
            y.Take(curve.ys[i]);
        }
    }
    for (Range* range : {&x, &y}) {
        if (range->Empty()) {
            *range = Range{0, 1};
        }
    }
    return {x, y};
}

void DrawGridAndTicks(const PlotArea& area, const Sizes& sizes, int labelPoints, Canvas& canvas) {
    canvas.SetPen(GridGrey, sizes.Pixels(GridWidth), PenStyle::Solid);
    for (int k = 1; k + 1 < area.x.count; ++k) {
        canvas.MoveTo(area.X(area.x.Value(k)), area.bottom);
        canvas.LineTo(area.X(area.x.Value(k)), area.top);
    }
    for (int k = 1; k + 1 < area.y.count; ++k) {
        canvas.MoveTo(area.left, area.Y(area.y.Value(k)));
        canvas.LineTo(area.right, area.Y(area.y.Value(k)));
    }

    const int tick = sizes.Pixels(TickLength);
    const int lineHeight = sizes.LineHeight(labelPoints);
    canvas.SetPen(Black, sizes.Pixels(FrameWidth), PenStyle::Solid);
    canvas.SetBrushColour(White);
    canvas.SetFont(PictureFont, labelPoints, Black);
    for (int k = 0; k < area.x.count; ++k) {
        const int x = area.X(area.x.Value(k));
        canvas.MoveTo(x, area.bottom);
        canvas.LineTo(x, area.bottom + tick);
        const std::string label = area.x.Label(k);
        canvas.TextOut(x - canvas.TextWidth(label, labelPoints) / 2, area.bottom + tick, label);
    }
    for (int k = 0; k < area.y.count; ++k) {
        const int y = area.Y(area.y.Value(k));
        canvas.MoveTo(area.left, y);
        canvas.LineTo(area.left - tick, y);
        const std::string label = area.y.Label(k);
        canvas.TextOut(area.left - tick - sizes.Pixels(2) - canvas.TextWidth(label, labelPoints),
                       y - lineHeight / 2, label);
    }
}

void DrawCurve(const PictureCurve& curve, const PlotArea& area, const Sizes& sizes,
               Canvas& canvas) {
    const size_t points = std::min(curve.xs.size(), curve.ys.size());
    if (points == 0) {
        return;
    }
    canvas.SetPen(curve.colour, sizes.Pixels(CurveWidth), PenStyle::Solid);
    if (curve.joined) {
        canvas.MoveTo(area.X(curve.xs[0]), area.Y(curve.ys[0]));
        for (size_t i = 1; i < points; ++i) {
            canvas.LineTo(area.X(curve.xs[i]), area.Y(curve.ys[i]));
        }
    }
    if (curve.marked) {
        const int radius = sizes.Pixels(MarkerRadius);
        canvas.SetPen(curve.colour, sizes.Pixels(FrameWidth), PenStyle::Solid);
        canvas.SetBrushColour(curve.colour);
        for (size_t i = 0; i < points; ++i) {
            const int x = area.X(curve.xs[i]);
            const int y = area.Y(curve.ys[i]);
            canvas.Ellipse(x - radius, y - radius, x + radius + 1, y + radius + 1);
        }
    }
}

// How many points of the curves, and of the lines between them, a box would hide: also those
// just outside, whose thick line or marker reaches under it.
int PointsBeneath(const PictureGraph& graph, const PlotArea& area, const Sizes& sizes, int left,
                  int top, int right, int bottom) {
    constexpr int ProbesPerSegment = 8;
    const int reach = sizes.Pixels(MarkerRadius + CurveWidth);
    const auto holds = [&](double x, double y) {
        return x >= left - reach && x <= right + reach && y >= top - reach && y <= bottom + reach;
    };
    int count = 0;
    for (const PictureCurve& curve : graph.curves) {
        const size_t points = std::min(curve.xs.size(), curve.ys.size());
        for (size_t i = 0; i < points; ++i) {
            const double x = area.X(curve.xs[i]);
            const double y = area.Y(curve.ys[i]);
            count += holds(x, y) ? 1 : 0;
            if (curve.joined && i > 0) {
                const double x0 = area.X(curve.xs[i - 1]);
                const double y0 = area.Y(curve.ys[i - 1]);
                for (int p = 1; p < ProbesPerSegment; ++p) {
                    const double t = static_cast<double>(p) / ProbesPerSegment;
                    count += holds(x0 + (x - x0) * t, y0 + (y - y0) * t) ? 1 : 0;
                }
            }
        }
    }
    return count;
}

// The legend in the corner of the plot where it hides least (top left when several are
// free: a shot's curves start low and rise late).
void DrawLegend(const PictureGraph& graph, const PlotArea& area, const Sizes& sizes,
                int labelPoints, Canvas& canvas) {
    std::vector<const PictureCurve*> rows;
    int widest = 0;
    for (const PictureCurve& curve : graph.curves) {
        if (!curve.legend.empty() && !curve.xs.empty()) {
            rows.push_back(&curve);
            widest = std::max(widest, canvas.TextWidth(curve.legend, labelPoints));
        }
    }
    if (rows.empty()) {
        return;
    }
    const int pad = sizes.Pixels(Padding);
    const int rowHeight = sizes.LineHeight(labelPoints);
    const int sample = sizes.Pixels(LegendSampleWidth);
    const int width = pad + sample + pad + widest + pad;
    const int height = pad + static_cast<int>(rows.size()) * rowHeight + pad;
    const int inset = sizes.Pixels(Padding);
    const int leftX = area.left + inset;
    const int rightX = area.right - inset - width;
    const int topY = area.top + inset;
    const int bottomY = area.bottom - inset - height;
    const std::array<std::pair<int, int>, 4> corners = {
        {{leftX, topY}, {rightX, topY}, {rightX, bottomY}, {leftX, bottomY}}};
    std::pair<int, int> chosen = corners[0];
    int fewest = std::numeric_limits<int>::max();
    for (const auto& [x, y] : corners) {
        const int beneath = PointsBeneath(graph, area, sizes, x, y, x + width, y + height);
        if (beneath < fewest) {
            fewest = beneath;
            chosen = {x, y};
        }
    }
    const auto [x, y] = chosen;
    canvas.SetBrushColour(White);
    canvas.FillRect(x, y, x + width, y + height);
    canvas.SetPen(LegendFrameGrey, sizes.Pixels(FrameWidth), PenStyle::Solid);
    canvas.MoveTo(x, y);
    canvas.LineTo(x + width, y);
    canvas.LineTo(x + width, y + height);
    canvas.LineTo(x, y + height);
    canvas.LineTo(x, y);
    canvas.SetFont(PictureFont, labelPoints, Black);
    for (size_t r = 0; r < rows.size(); ++r) {
        const PictureCurve& curve = *rows[r];
        const int rowTop = y + pad + static_cast<int>(r) * rowHeight;
        const int middle = rowTop + rowHeight / 2;
        canvas.SetPen(curve.colour, sizes.Pixels(CurveWidth), PenStyle::Solid);
        if (curve.joined) {
            canvas.MoveTo(x + pad, middle);
            canvas.LineTo(x + pad + sample, middle);
        }
        if (curve.marked) {
            const int radius = sizes.Pixels(MarkerRadius);
            const int centre = x + pad + sample / 2;
            canvas.SetPen(curve.colour, sizes.Pixels(FrameWidth), PenStyle::Solid);
            canvas.SetBrushColour(curve.colour);
            canvas.Ellipse(centre - radius, middle - radius, centre + radius + 1,
                           middle + radius + 1);
        }
        canvas.SetBrushColour(White);
        canvas.TextOut(x + pad + sample + pad, rowTop, curve.legend);
    }
}

// The y axis title stands above the axis, where it is read without turning the head, below
// the picture's title.
int YTitleTop(const Sizes& sizes) {
    const int pad = sizes.Pixels(Padding);
    return pad + sizes.LineHeight(sizes.Points(TitlePoints)) + pad / 2;
}

// The plot rectangle and its ticks: the y ticks as many as the height takes, the left edge
// right of their labels (or at leastLeft), the x ticks as many as the width then takes.
PlotArea LayOut(const PictureGraph& graph, int width, int height, const Sizes& sizes,
                const Canvas& canvas, int leastLeft) {
    const int labelPoints = sizes.Points(LabelPoints);
    const int labelLine = sizes.LineHeight(labelPoints);
    const int pad = sizes.Pixels(Padding);
    const int tick = sizes.Pixels(TickLength);
    const auto [xRange, yRange] = DataRanges(graph);
    PlotArea area{};
    area.top = YTitleTop(sizes) + labelLine + pad;
    area.bottom = height - pad - labelLine - pad / 2 - labelLine - tick;
    const int plotHeight = std::max(area.bottom - area.top, 1);
    area.y = ChooseRoundTicks(yRange.low, yRange.high,
                              static_cast<int>(plotHeight / (YLabelLines * labelLine)) + 1);
    area.left = std::max(leastLeft,
                         pad + WidestLabel(area.y, labelPoints, canvas) + sizes.Pixels(2) + tick);
    // The last x label is centred on the right edge of the plot.
    area.right = width - pad - canvas.TextWidth(std::string(6, '0'), labelPoints) / 2;
    area.x = XTicks(xRange, std::max(area.right - area.left, 1), labelPoints, canvas);
    return area;
}

}  // namespace

std::string AxisTitle(std::string_view quantity, std::string_view unit) {
    return std::string(quantity) + " [" + std::string(unit) + "]";
}

double PictureScale(int width, int height) {
    return std::min(static_cast<double>(width) / DefaultGraphWidth,
                    static_cast<double>(height) / DefaultGraphHeight);
}

Colour PictureCurveColour(size_t curve) {
    return CurvePen(curve).value_or(CanvasPen{Black, 1, PenStyle::Solid}).colour;
}

int PictureGraphLeft(const PictureGraph& graph, int width, int height, double scale,
                     const Canvas& canvas) {
    return LayOut(graph, width, height, Sizes{scale}, canvas, 0).left;
}

void DrawPictureGraph(const PictureGraph& graph, int width, int height, double scale,
                      Canvas& canvas, int leastLeft) {
    const Sizes sizes{scale};
    const int labelPoints = sizes.Points(LabelPoints);
    const int titlePoints = sizes.Points(TitlePoints);
    const int labelLine = sizes.LineHeight(labelPoints);
    const int pad = sizes.Pixels(Padding);

    canvas.SetBrushColour(White);
    canvas.FillRect(0, 0, width, height);
    canvas.SetFont(PictureFont, titlePoints, Black);
    canvas.TextOut((width - canvas.TextWidth(graph.title, titlePoints)) / 2, pad, graph.title);
    canvas.SetFont(PictureFont, labelPoints, Black);
    canvas.TextOut(pad, YTitleTop(sizes), graph.yTitle);

    const PlotArea area = LayOut(graph, width, height, sizes, canvas, leastLeft);
    DrawGridAndTicks(area, sizes, labelPoints, canvas);
    canvas.SetPen(Black, sizes.Pixels(FrameWidth), PenStyle::Solid);
    canvas.MoveTo(area.left, area.top);
    canvas.LineTo(area.right, area.top);
    canvas.LineTo(area.right, area.bottom);
    canvas.LineTo(area.left, area.bottom);
    canvas.LineTo(area.left, area.top);
    // Over the frame: a curve along the axis's end (a limit on a round value) stays seen.
    for (const PictureCurve& curve : graph.curves) {
        DrawCurve(curve, area, sizes, canvas);
    }
    DrawLegend(graph, area, sizes, labelPoints, canvas);

    canvas.SetBrushColour(White);
    canvas.SetFont(PictureFont, labelPoints, Black);
    canvas.TextOut(
        area.left + (area.right - area.left - canvas.TextWidth(graph.xTitle, labelPoints)) / 2,
        height - pad - labelLine, graph.xTitle);
}
