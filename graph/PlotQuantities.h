#pragma once
// The items of the graph's "Axis Y" (RadioGroup1) and "Axis X" (RadioGroup2), in their order:
// the window lists their texts, the command line their series' names, and the series
// selection plots the series they name.

#include <array>

#include "model/ResultSeries.h"

struct PlotQuantity {
    const char* radioLabel;  // the item's text; its inner runs of blanks line up the units
    const ResultSeriesInfo* series;
    bool plottedOverBulletTravel;  // whether it is plotted over the bullet's travel as well
};

struct PlotAxis {
    const char* radioLabel;
    const ResultSeriesInfo* series;
    bool bulletTravel;  // only the quantities plotted over the bullet's travel go with it
};

// clang-format off
inline constexpr auto PlotQuantities = std::to_array<PlotQuantity>({
    {"Bullet Velocity     [m/s]", &SeriesInfo(&SimulationResult::BulletVelocity), true},
    {"Bullet Travel       [mm]",  &SeriesInfo(&SimulationResult::BulletTravel),   false},
    {"Piston Velocity    [m/s]",  &SeriesInfo(&SimulationResult::PistonVelocity), false},
    {"Piston Travel      [mm]",   &SeriesInfo(&SimulationResult::PistonTravel),   false},
    {"Piston Pressure  [MPa]",    &SeriesInfo(&SimulationResult::Pressure),       true},
    {"Piston Temperature [K]",    &SeriesInfo(&SimulationResult::Temperature),    true},
});

inline constexpr auto PlotAxes = std::to_array<PlotAxis>({
    {"Time                [ms]", &SeriesInfo(&SimulationResult::Time),         false},
    {"Bullet Travel    [mm]",    &SeriesInfo(&SimulationResult::BulletTravel), true},
});
// clang-format on

// Whether the graph plots the quantity over the axis.
constexpr bool IsPlotted(const PlotQuantity& quantity, const PlotAxis& axis) {
    return !axis.bulletTravel || quantity.plottedOverBulletTravel;
}
