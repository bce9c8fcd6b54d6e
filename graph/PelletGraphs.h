#pragma once
// The picture of a pellet table: the muzzle velocity over the pellet's weight above, the
// energy below. The computed shots are drawn as a line, shots measured with a chronograph as
// circle markers, an energy limit as a line across.

#include <optional>
#include <span>

#include "common/Canvas.h"
#include "model/ChronographShots.h"
#include "model/PelletTable.h"

// The units the picture is drawn in: g, m/s and J, or gr, ft/s and ft·lbf.
enum class PelletPictureUnits { Metric, Imperial };

inline constexpr const char* PelletGraphsTitle = "muzzle velocity and energy over pellet weight";

// The two graphs, each of the given width and half the height (the lower one takes the odd
// pixel), titled, with axis titles in the units and a legend; their sizes grow with the
// picture's as in every picture. Failed rows are left out.
void DrawPelletGraphs(std::span<const PelletRow> rows, std::span<const MeasuredShot> measured,
                      std::optional<double> energyLimit, PelletPictureUnits units, int width,
                      int height, Canvas& canvas);
