#include "graph/SeriesSelection.h"

#include "graph/LoadCurve.h"
#include "graph/PlotQuantities.h"

std::optional<SeriesPair> SelectedSeries(const SimulationResult& result, int yItem, int xItem) {
    if (yItem < 0 || static_cast<size_t>(yItem) >= PlotQuantities.size() || xItem < 0 ||
        static_cast<size_t>(xItem) >= PlotAxes.size()) {
        return std::nullopt;
    }
    const PlotQuantity& quantity = PlotQuantities[static_cast<size_t>(yItem)];
    const PlotAxis& axis = PlotAxes[static_cast<size_t>(xItem)];
    if (!IsPlotted(quantity, axis)) {
        return std::nullopt;
    }
    return SeriesPair{result.*(axis.series->series), result.*(quantity.series->series)};
}

bool LoadSelectedSeries(const SimulationResult& result, int yItem, int xItem, GraphStore& store,
                        Canvas& canvas, char decimalSeparator) {
    GraphSlot& graph = store.Slot(Graf0Slot);
    return LoadSelectedSeries(result, yItem, xItem, graph, graph.Curves, canvas, decimalSeparator);
}

bool LoadSelectedSeries(const SimulationResult& result, int yItem, int xItem, GraphView& view,
                        std::span<CurveSlot> curves, Canvas& canvas, char decimalSeparator) {
    const std::optional<SeriesPair> pair = SelectedSeries(result, yItem, xItem);
    if (!pair) {
        return false;
    }
    LoadCurve(pair->x, pair->y, 0, result.LastIndex, 1, view, curves, ResultCurve, LineStyle,
              {canvas, result.LastIndex, decimalSeparator});
    return true;
}
