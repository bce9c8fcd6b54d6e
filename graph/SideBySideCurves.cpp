#include "graph/SideBySideCurves.h"

#include <stdexcept>

#include "graph/AutoRange.h"
#include "graph/DrawGraph.h"
#include "graph/LoadCurve.h"

void LoadCurvesSideBySide(std::span<const CurveSource> sources, GraphSlot& slot,
                          const GraphDrawing& drawing) {
    if (sources.size() > slot.Curves.size()) {
        throw std::out_of_range("A graph holds ten curves");
    }
    for (size_t k = 0; k < sources.size(); ++k) {
        const CurveSource& source = sources[k];
        if (source.xs.size() != source.ys.size()) {
            throw std::out_of_range("A curve needs as many y values as x values");
        }
        const int last = static_cast<int>(source.xs.size()) - 1;
        PutCurve(source.xs, source.ys, 0, last, 1, slot, static_cast<int>(k), source.style);
        CurveSlot& curve = slot.Curves[k];
        curve.OwnLastIndex = last;
        // A walk visits point 0 whatever the bound: a curve without points is not shown.
        curve.Active = source.xs.empty() ? 0 : 1;
    }
    AutoRange(slot, drawing.lastIndex);
    DrawGraph(slot, drawing);
}
