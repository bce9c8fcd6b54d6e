#include "graph/SeriesSelection.h"

#include "graph/LoadCurve.h"

namespace {
// The items of "Axis X" and "Axis Y", in their order.
enum XItem { TimeItem, BulletTravelItem };
enum YItem {
    BulletVelocityYItem,
    BulletTravelYItem,
    PistonVelocityYItem,
    PistonTravelYItem,
    PressureYItem,
    TemperatureYItem
};
}  // namespace

std::optional<SeriesPair> SelectedSeries(const SimulationResult& result, int yItem, int xItem) {
    if (xItem != TimeItem && xItem != BulletTravelItem) {
        return std::nullopt;
    }
    const Series& x = xItem == TimeItem ? result.Time : result.BulletTravel;
    switch (yItem) {
        case BulletVelocityYItem:
            return SeriesPair{x, result.BulletVelocity};
        case BulletTravelYItem:
            if (xItem == TimeItem) {
                return SeriesPair{x, result.BulletTravel};
            }
            break;
        case PistonVelocityYItem:
            if (xItem == TimeItem) {
                return SeriesPair{x, result.PistonVelocity};
            }
            break;
        case PistonTravelYItem:
            if (xItem == TimeItem) {
                return SeriesPair{x, result.PistonTravel};
            }
            break;
        case PressureYItem:
            return SeriesPair{x, result.Pressure};
        case TemperatureYItem:
            return SeriesPair{x, result.Temperature};
        default:
            break;
    }
    return std::nullopt;
}

bool LoadSelectedSeries(const SimulationResult& result, int yItem, int xItem, GraphStore& store,
                        Canvas& canvas, char decimalSeparator) {
    const std::optional<SeriesPair> pair = SelectedSeries(result, yItem, xItem);
    if (!pair) {
        return false;
    }
    LoadCurve(pair->x, pair->y, 0, result.LastIndex, 1, store.Slot(Graf0Slot), ResultCurve,
              LineStyle, {canvas, result.LastIndex, decimalSeparator});
    return true;
}
