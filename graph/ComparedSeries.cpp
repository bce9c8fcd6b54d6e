#include "graph/ComparedSeries.h"

#include <stdexcept>
#include <vector>

#include "graph/DrawLegend.h"
#include "graph/PlotQuantities.h"
#include "graph/SeriesSelection.h"
#include "graph/SideBySideCurves.h"

bool LoadComparedSeries(std::span<const ComparedResult> results, int yItem, int xItem,
                        GraphSlot& slot, const GraphDrawing& drawing) {
    if (results.size() > MostComparedResults) {
        throw std::out_of_range("At most four results are compared in one graph");
    }
    std::vector<CurveSource> curves;
    std::vector<LegendRow> legend;
    for (const ComparedResult& compared : results) {
        const std::optional<SeriesPair> pair = SelectedSeries(compared.result, yItem, xItem);
        if (!pair) {
            return false;
        }
        // The counted entries, none when no step counted.
        const auto count = static_cast<size_t>(compared.result.LastIndex + 1);
        curves.push_back({std::span(pair->x).first(count), std::span(pair->y).first(count),
                          LineStyle});
        legend.push_back({static_cast<int>(legend.size()), compared.name});
    }
    LoadCurvesSideBySide(curves, slot, drawing);
    DrawLegend(slot, legend, drawing.lastIndex, drawing.canvas);
    const ResultSeriesInfo& y = *PlotQuantities[static_cast<size_t>(yItem)].series;
    const ResultSeriesInfo& x = *PlotAxes[static_cast<size_t>(xItem)].series;
    DrawGraphTitle(std::string(y.name) + " [" + y.displayUnit + "] over " + x.name + " [" +
                       x.displayUnit + "]",
                   drawing.canvas);
    return true;
}
