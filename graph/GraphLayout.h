#pragma once
// Where the plot rectangle, the grid and the ticks stand in the graph's bitmap, in pixels.

inline constexpr int MarginLeftBottom = 35;  // room for the y labels left, the x labels below
inline constexpr int MarginRightTop = 20;
inline constexpr int GridPitchX = 50;
inline constexpr int GridPitchY = 25;
inline constexpr int TickHalfLength = 5;

// A smaller image leaves no useful plot: one and a half times both margins.
inline constexpr double MinimumImageSide = 1.5 * (MarginLeftBottom + MarginRightTop);
