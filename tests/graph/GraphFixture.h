#pragma once
// The main window's graph on a recording canvas.

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

#include "graph/GraphDrawing.h"
#include "graph/GraphInteraction.h"
#include "graph/GraphStore.h"
#include "tests/graph/RecordingCanvas.h"

class GraphFixture : public testing::Test {
protected:
    GraphDrawing Drawing(int lastIndex = 0, char separator = '.') {
        return {canvas, lastIndex, separator};
    }

    // As the main window comes up: the start view, then the fit to its 426 × 258 image.
    void StartUp(char separator = '.') {
        InitGraph(*store, Graf0Slot, Drawing(0, separator));
        canvas.Clear();
        FitGraphToImage(
            *store, Graf0Slot, 426, 258, [](int, int) {}, Drawing(0, separator));
    }

    // Puts points 0, 1, … into a curve slot and activates it.
    void SetCurve(int curve, std::initializer_list<std::pair<double, double>> points,
                  int style = LineStyle) {
        CurveSlot& target = slot.Curves.at(static_cast<size_t>(curve));
        size_t i = 0;
        for (const auto& [x, y] : points) {
            target.X[i] = x;
            target.Y[i] = y;
            ++i;
        }
        target.Active = 1;
        target.Style = style;
    }

    void SetView(double xMin, double xMax, double yMin, double yMax) {
        slot.XMin = xMin;
        slot.XMax = xMax;
        slot.YMin = yMin;
        slot.YMax = yMax;
    }

    std::unique_ptr<GraphStore> store = std::make_unique<GraphStore>();
    GraphSlot& slot = store->Slot(Graf0Slot);
    RecordingCanvas canvas;
};
