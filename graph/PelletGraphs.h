#pragma once
// The picture of a pellet table: the muzzle velocity over the pellet's weight above, the
// energy below. The computed shots are drawn as a line, shots measured with a chronograph as
// circle markers, an energy limit as a line across.

#include <optional>
#include <span>

#include "common/Canvas.h"
#include "graph/GraphStore.h"
#include "model/ChronographShots.h"
#include "model/PelletTable.h"

// The two graphs, each of the given width and half the height (the lower one takes the odd
// pixel), drawn through graph slots 1 and 2 of the store as the main window draws its graph,
// each with a legend. Failed rows are left out. The height must leave each graph at least
// MinimumImageSide pixels.
void DrawPelletGraphs(std::span<const PelletRow> rows, std::span<const MeasuredShot> measured,
                      std::optional<double> energyLimit, int width, int height,
                      GraphStore& store, Canvas& canvas, char decimalSeparator);
