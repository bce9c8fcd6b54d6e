#pragma once
// One curve of a graph: its own copy of the points and how they are drawn.

#include <array>
#include <optional>

inline constexpr int CurveCapacity = 10010;

using CurvePoints = std::array<double, CurveCapacity>;

// How a curve's points are drawn.
inline constexpr int LineStyle = 0;           // joined by lines
inline constexpr int MarkerStyle = 1;         // a circle at each point, no lines
inline constexpr int LineAndMarkerStyle = 2;  // both

struct CurveSlot {
    int Active = 0;  // 1: the curve takes part in ranging and drawing
    int Style = LineStyle;
    // Point i is (X[i], Y[i]), in the units of the plotted series. Points beyond those
    // loaded are 0.
    CurvePoints X{};
    CurvePoints Y{};
    // The walk of the window's one curve is bounded by the current result's LastIndex. A curve
    // shown beside others of other lengths (guns compared, measured shots beside computed
    // ones) is bounded by its own last point instead.
    std::optional<int> OwnLastIndex;
};
