// Time of a graph redraw: the example gun's bullet velocity over time, computed at a step
// fine enough for about 10 000 points, ranged and drawn into the main window's 426 × 258
// bitmap through the painter canvas; and the whole compute-and-show that the user waits for.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <memory>

#include "graph/AutoRange.h"
#include "graph/DrawGraph.h"
#include "graph/GraphInteraction.h"
#include "graph/PainterCanvas.h"
#include "graph/SeriesSelection.h"
#include "model/ComputeCommand.h"
#include "tests/support/ExampleGun.h"

namespace {

// Painting text needs the font database of a GUI application; one serves every benchmark.
void EnsureGuiApplication() {
    static int argc = 1;
    static char name[] = "velloran_bench";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        static QGuiApplication application(argc, argv);
    }
}

// 0.001175 ms brings the example gun to the muzzle after 9 969 counted steps.
GunParameterTexts FineStepGun() {
    GunParameterTexts texts = ExampleGunTexts();
    texts[static_cast<size_t>(Index(GunParameter::ComputationStep))] = "0.001175";
    return texts;
}

struct GraphBench {
    GraphBench() {
        EnsureGuiApplication();
        SimulateShotFromFields(FineStepGun(), '.', inputs, *result);
        PainterCanvas canvas(image);
        GraphDrawing drawing{canvas, result->LastIndex, '.'};
        InitGraph(*store, Graf0Slot, drawing);
        FitGraphToImage(
            *store, Graf0Slot, 426, 258, [](int, int) {}, drawing);
        LoadSelectedSeries(*result, 0, 0, *store, canvas, '.');
    }
    ModelInputs inputs;
    std::unique_ptr<SimulationResult> result = std::make_unique<SimulationResult>();
    std::unique_ptr<GraphStore> store = std::make_unique<GraphStore>();
    QImage image{426, 258, QImage::Format_RGB32};
};

void BM_AutoRangeAndDrawGraph(benchmark::State& state) {
    GraphBench bench;
    GraphSlot& slot = bench.store->Slot(Graf0Slot);
    for (auto _ : state) {
        PainterCanvas canvas(bench.image);
        AutoRange(slot, bench.result->LastIndex);
        DrawGraph(slot, {canvas, bench.result->LastIndex, '.'});
        canvas.End();
        benchmark::ClobberMemory();
    }
    state.counters["points"] = bench.result->LastIndex + 1;
}
BENCHMARK(BM_AutoRangeAndDrawGraph)->Unit(benchmark::kMillisecond);

// What Compute costs with this many steps, as the button runs it without its message boxes:
// reading and checking the fields, the run, the display units, the reload of the plotted pair
// (copy, range, redraw) and the summary lines.
void BM_ComputeAndRedraw(benchmark::State& state) {
    GraphBench bench;
    const GunParameterTexts gun = FineStepGun();
    for (auto _ : state) {
        SimulateShotFromFields(gun, '.', bench.inputs, *bench.result);
        PainterCanvas canvas(bench.image);
        LoadSelectedSeries(*bench.result, 0, 0, *bench.store, canvas, '.');
        canvas.End();
        SummarizeShot(bench.inputs, *bench.result);
        benchmark::DoNotOptimize(SummaryLines(*bench.result));
        benchmark::ClobberMemory();
    }
    state.counters["points"] = bench.result->LastIndex + 1;
}
BENCHMARK(BM_ComputeAndRedraw)->Unit(benchmark::kMillisecond);

}  // namespace
