#include "graph/PelletGraphs.h"

#include <algorithm>
#include <string>
#include <vector>

#include "common/FieldNumber.h"
#include "graph/DrawLegend.h"
#include "graph/GraphInteraction.h"
#include "graph/LabelRounding.h"
#include "graph/ShiftedCanvas.h"
#include "graph/SideBySideCurves.h"

namespace {

constexpr int VelocityGraph = 1;
constexpr int EnergyGraph = 2;
// The curves: their slots give their pens.
constexpr int ComputedCurve = 0;  // red
constexpr int MeasuredCurve = 1;  // blue
constexpr int LimitCurve = 3;     // green: apart from the black frame it may lie on

struct Points {
    std::vector<double> weights;  // g
    std::vector<double> values;
};

struct GraphCurves {
    Points computed;
    Points measured;
    Points limit;
};

// One graph of the picture: from the window's start view, fitted to its part of the picture,
// then its curves and its legend.
void DrawPelletGraph(const GraphCurves& curves, const std::string& title,
                     std::vector<LegendRow> legend, int slot, int width, int height,
                     GraphStore& store, Canvas& canvas, char decimalSeparator) {
    // Every curve is walked up to its own last point, so no result's LastIndex plays a part.
    const GraphDrawing drawing{canvas, 0, decimalSeparator};
    InitGraph(store, slot, drawing);
    FitGraphToImage(store, slot, width, height, [](int, int) {}, drawing);
    std::vector<CurveSource> sources(LimitCurve + 1, CurveSource{{}, {}, LineStyle});
    sources[ComputedCurve] = {curves.computed.weights, curves.computed.values, LineStyle};
    sources[MeasuredCurve] = {curves.measured.weights, curves.measured.values, MarkerStyle};
    sources[LimitCurve] = {curves.limit.weights, curves.limit.values, LineStyle};
    LoadCurvesSideBySide(sources, store.Slot(slot), drawing);
    std::erase_if(legend, [&](const LegendRow& row) {
        return sources[static_cast<size_t>(row.curve)].xs.empty();
    });
    DrawLegend(store.Slot(slot), legend, drawing.lastIndex, canvas);
    DrawGraphTitle(title, canvas);
}

}  // namespace

void DrawPelletGraphs(std::span<const PelletRow> rows, std::span<const MeasuredShot> measured,
                      std::optional<double> energyLimit, int width, int height,
                      GraphStore& store, Canvas& canvas, char decimalSeparator) {
    GraphCurves velocity;
    GraphCurves energy;
    for (const PelletRow& row : rows) {
        if (!row.figures.failure.empty()) {
            continue;
        }
        velocity.computed.weights.push_back(row.bulletWeight);
        velocity.computed.values.push_back(row.figures.muzzleVelocity);
        energy.computed.weights.push_back(row.bulletWeight);
        energy.computed.values.push_back(row.figures.bulletEnergy);
    }
    for (const MeasuredShot& shot : measured) {
        velocity.measured.weights.push_back(shot.bulletWeight);
        velocity.measured.values.push_back(shot.velocity);
        energy.measured.weights.push_back(shot.bulletWeight);
        energy.measured.values.push_back(MeasuredEnergy(shot));
    }
    std::vector<double> allWeights = energy.computed.weights;
    allWeights.insert(allWeights.end(), energy.measured.weights.begin(),
                      energy.measured.weights.end());
    std::string limitText;
    if (energyLimit && !allWeights.empty()) {
        const auto [lightest, heaviest] = std::minmax_element(allWeights.begin(), allWeights.end());
        energy.limit.weights = {*lightest, *heaviest};
        energy.limit.values = {*energyLimit, *energyLimit};
        limitText =
            "limit " + NumberToField(RoundToDecimals(*energyLimit, 2), decimalSeparator) + " J";
    }

    const int upperHeight = height / 2;
    DrawPelletGraph(velocity, "muzzle velocity [m/s] over pellet weight [g]",
                    {{ComputedCurve, "computed"}, {MeasuredCurve, "measured"}}, VelocityGraph,
                    width, upperHeight, store, canvas, decimalSeparator);
    ShiftedCanvas lower(canvas, 0, upperHeight);
    DrawPelletGraph(energy, "muzzle energy [J] over pellet weight [g]",
                    {{ComputedCurve, "computed"}, {MeasuredCurve, "measured"},
                     {LimitCurve, limitText}},
                    EnergyGraph, width, height - upperHeight, store, lower, decimalSeparator);
}
