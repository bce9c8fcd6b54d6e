#include "graph/ResultsPicture.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "common/ReportFormat.h"
#include "graph/PlotQuantities.h"
#include "graph/SeriesSelection.h"
#include "model/ComputeCommand.h"

namespace {

// A series as people write it: "bullet velocity" for bullet_velocity.
std::string QuantityName(const ResultSeriesInfo& series) {
    std::string name = series.name;
    std::replace(name.begin(), name.end(), '_', ' ');
    return name;
}

}  // namespace

std::optional<PictureGraph> ResultsPicture(std::span<const ComparedResult> results, int yItem,
                                           int xItem) {
    if (results.size() > MostComparedResults) {
        throw std::out_of_range("At most four results are compared in one graph");
    }
    const ResultSeriesInfo& y = *PlotQuantities.at(static_cast<size_t>(yItem)).series;
    const ResultSeriesInfo& x = *PlotAxes.at(static_cast<size_t>(xItem)).series;
    PictureGraph graph{QuantityName(y) + " over " + QuantityName(x),
                       AxisTitle(QuantityName(x), x.displayUnit),
                       AxisTitle(QuantityName(y), y.displayUnit),
                       {}};
    for (const ComparedResult& compared : results) {
        const std::optional<SeriesPair> pair = SelectedSeries(compared.result, yItem, xItem);
        if (!pair) {
            return std::nullopt;
        }
        // The counted entries, none when no step counted.
        const auto count = static_cast<size_t>(compared.result.LastIndex + 1);
        graph.curves.push_back(
            {std::span(pair->x).first(count), std::span(pair->y).first(count),
             PictureCurveColour(graph.curves.size()), true, false,
             compared.name + FormatReport(": %.1f m/s, %.2f J", MuzzleVelocity(compared.result),
                                          compared.result.BulletEnergy)});
    }
    return graph;
}
