#include "graph/PelletGraphs.h"

#include <algorithm>
#include <string>
#include <vector>

#include "common/ReportFormat.h"
#include "graph/PictureGraph.h"
#include "graph/ShiftedCanvas.h"
#include "model/PelletUnits.h"

namespace {

// The curves' colours: the pictures' first, second and fourth (green, apart from the black
// frame the limit may lie on).
constexpr size_t ComputedColour = 0;
constexpr size_t MeasuredColour = 1;
constexpr size_t LimitColour = 3;

struct PictureUnits {
    const char* weight;
    double grams;  // in one unit of weight
    const char* velocity;
    double metresPerSecond;  // in one unit of velocity
    const char* energy;
    double joules;  // in one unit of energy
};

// clang-format off
constexpr PictureUnits Metric   = {"g",  1,                          "m/s",  1,
                                   "J",      1};
constexpr PictureUnits Imperial = {"gr", PelletUnits::GramsPerGrain, "ft/s", PelletUnits::MetresPerFoot,
                                   "ft\u00b7lbf", PelletUnits::JoulesPerFootPound};
// clang-format on

struct Points {
    std::vector<double> weights;
    std::vector<double> values;
    void Add(double weight, double value) {
        weights.push_back(weight);
        values.push_back(value);
    }
};

struct GraphPoints {
    Points computed;
    Points measured;
    Points limit;
};

PictureGraph PelletGraph(const GraphPoints& points, const std::string& quantity, const char* unit,
                         const PictureUnits& units, const std::string& limitLegend) {
    const std::string weight = "pellet weight";
    return {quantity + " over " + weight,
            AxisTitle(weight, units.weight),
            AxisTitle(quantity, unit),
            {{points.computed.weights, points.computed.values, PictureCurveColour(ComputedColour),
              true, false, "computed"},
             {points.measured.weights, points.measured.values, PictureCurveColour(MeasuredColour),
              false, true, "measured"},
             {points.limit.weights, points.limit.values, PictureCurveColour(LimitColour), true,
              false, limitLegend}}};
}

}  // namespace

void DrawPelletGraphs(std::span<const PelletRow> rows, std::span<const MeasuredShot> measured,
                      std::optional<double> energyLimit, PelletPictureUnits unitChoice, int width,
                      int height, Canvas& canvas) {
    const PictureUnits& units = unitChoice == PelletPictureUnits::Imperial ? Imperial : Metric;
    GraphPoints velocity;
    GraphPoints energy;
    for (const PelletRow& row : rows) {
        if (!row.figures.failure.empty()) {
            continue;
        }
        const double weight = row.bulletWeight / units.grams;
        velocity.computed.Add(weight, row.figures.muzzleVelocity / units.metresPerSecond);
        energy.computed.Add(weight, row.figures.bulletEnergy / units.joules);
    }
    for (const MeasuredShot& shot : measured) {
        const double weight = shot.bulletWeight / units.grams;
        velocity.measured.Add(weight, shot.velocity / units.metresPerSecond);
        energy.measured.Add(weight, MeasuredEnergy(shot) / units.joules);
    }
    std::vector<double> allWeights = energy.computed.weights;
    allWeights.insert(allWeights.end(), energy.measured.weights.begin(),
                      energy.measured.weights.end());
    std::string limitLegend;
    if (energyLimit && !allWeights.empty()) {
        const auto [lightest, heaviest] = std::minmax_element(allWeights.begin(), allWeights.end());
        energy.limit.Add(*lightest, *energyLimit / units.joules);
        energy.limit.Add(*heaviest, *energyLimit / units.joules);
        limitLegend = FormatReport("limit %.2f %s", *energyLimit / units.joules, units.energy);
    }

    const int upperHeight = height / 2;
    const int lowerHeight = height - upperHeight;
    const double scale = PictureScale(width, upperHeight);
    const PictureGraph upper = PelletGraph(velocity, "muzzle velocity", units.velocity, units, "");
    const PictureGraph lower =
        PelletGraph(energy, "muzzle energy", units.energy, units, limitLegend);
    // Both plots start at one left edge, so a weight stands at one place in both.
    const int left = std::max(PictureGraphLeft(upper, width, upperHeight, scale, canvas),
                              PictureGraphLeft(lower, width, lowerHeight, scale, canvas));
    DrawPictureGraph(upper, width, upperHeight, scale, canvas, left);
    ShiftedCanvas lowerCanvas(canvas, 0, upperHeight);
    DrawPictureGraph(lower, width, lowerHeight, scale, lowerCanvas, left);
}
