// SPDX-License-Identifier: MIT
// Cost of the work every drag step does: resampling the dragged curve, tracing
// an implicit curve, and redrawing a whole graph (here into a recording
// painter, so the figure is the model's share of a repaint).

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "graph/EquationObject.h"
#include "graph/GraphManager.h"
#include "graph/Intersections.h"
#include "graph/PaintedDomain.h"
#include "graph/ZeroSet.h"
#include "support/RecordingPainter.h"
#include "DragScene.h"

namespace {

std::unique_ptr<EquationObject> Curve(const char* text) {
    auto o = std::make_unique<EquationObject>();
    o->setPlotBox(-9, 9, 9, -9);  // the plot box at the default view
    o->setEquation(text);
    return o;
}

void BM_Resample(benchmark::State& state) {
    auto o = Curve(kCurves[state.range(0)]);
    state.SetLabel(kCurves[state.range(0)]);
    for (auto _ : state) {
        o->resample();
        benchmark::DoNotOptimize(o->pieces().data());
    }
}
BENCHMARK(BM_Resample)->DenseRange(0, std::size(kCurves) - 1)->Unit(benchmark::kMicrosecond);

void BM_ImplicitCubicZeroSet(benchmark::State& state) {
    MathEx::MathExp folium;
    folium.Parse("x^3 + y^3 - 3*x*y = 0");
    for (auto _ : state) benchmark::DoNotOptimize(TraceZeroSet(folium, RectF(9, -9, -9, 9)));
    state.SetLabel("x^3 + y^3 - 3*x*y = 0 over ±9");
}
BENCHMARK(BM_ImplicitCubicZeroSet)->Unit(benchmark::kMillisecond);

// Twenty equations, some with labels, attribute points and mensuration.
void BM_DrawTwentyEquations(benchmark::State& state) {
    std::vector<std::unique_ptr<EquationObject>> graph;
    for (int i = 0; i < 20; ++i) {
        auto o = Curve(kCurves[i % (std::size(kCurves) - 1)]);
        if (i % 3 == 0) o->setDisplayText(true);
        if (i % 4 == 0) {
            AttribPoint ap(o.get());
            ap.setPosition(1, float(o->valueAt(1).x));
            ap.pointType = 1;
            ap.axis[AttribPoint::X].valueType = AttribPoint::LABEL_VALUE;
            ap.axis[AttribPoint::X].lineType = AttribPoint::LINE_DASHED;
            o->addAttribPoint(ap);
        }
        if (i % 5 == 0) {
            o->setMensurationEnabled(true);
            o->setMensurationRange(0, 2);
        }
        graph.push_back(std::move(o));
    }
    for (auto _ : state) {
        testing_support::RecordingPainter painter;
        painter.setView({1.3, 1, 1});
        for (auto& o : graph) o->draw(painter);
        benchmark::DoNotOptimize(painter.shapes.data());
    }
}
BENCHMARK(BM_DrawTwentyEquations)->Unit(benchmark::kMicrosecond);

// What one move event of a curve drag costs: the move (translating the quadratic
// y = x^2 - 2x, resampling it, recomputing the intersections) and the repaint
// that follows it, drawn into a recording painter, on a graph of N equations.
// The pointer goes back and forth between two pixels, so the scene stays the
// same from step to step.
void BM_DragStep(benchmark::State& state) {
    GraphManager graph;
    BuildDragScene(graph, int(state.range(0)));
    int px = 0, py = 0;
    if (!GrabQuadratic(graph, px, py)) {
        state.SkipWithError("the grab point is not on the curve");
        return;
    }
    bool back = true;
    size_t shapes = 0;
    for (auto _ : state) {
        graph.mouseMove(back ? px : px + 6, back ? py : py + 4);
        back = !back;
        testing_support::RecordingPainter painter;
        graph.draw(painter);
        shapes = painter.shapes.size();
        benchmark::DoNotOptimize(painter.shapes.data());
    }
    state.counters["intersections"] = double(graph.intersections().size());
    state.counters["shapes"] = double(shapes);
}
BENCHMARK(BM_DragStep)->Arg(20)->Arg(100)->Unit(benchmark::kMillisecond);

// A redraw of the whole graph of N equations (three painted domains and the
// intersections shown) when nothing changed since the last: what a repaint
// for the window's own sake (an expose, a selection) costs.
void BM_Redraw(benchmark::State& state) {
    GraphManager graph;
    BuildDragScene(graph, int(state.range(0)));
    for (auto _ : state) {
        testing_support::RecordingPainter painter;
        graph.draw(painter);
        benchmark::DoNotOptimize(painter.shapes.data());
    }
    state.counters["intersections"] = double(graph.intersections().size());
}
BENCHMARK(BM_Redraw)->Arg(1)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// The intersections after one curve of N moved, worked out afresh (0) or by the
// cache that keeps the pairs of the curves that did not move (1): the drag
// step's share of intersections before and after the cache.
void BM_IntersectionsAfterOneMove(benchmark::State& state) {
    GraphManager graph;
    BuildDragScene(graph, int(state.range(0)));
    const EquationList& equations = graph.equations();
    EquationObject& moved = *equations[1];
    IntersectionCache cache;
    cache.update(equations);
    double dy = 0.25;
    for (auto _ : state) {
        moved.translate(0, dy);
        dy = -dy;
        if (state.range(1)) benchmark::DoNotOptimize(cache.update(equations).data());
        else benchmark::DoNotOptimize(ComputeIntersections(equations).data());
    }
}
BENCHMARK(BM_IntersectionsAfterOneMove)->ArgsProduct({{20, 100}, {0, 1}})->Unit(benchmark::kMillisecond);

// The hatching of the scene's three painted domains on a repaint that changed
// nothing, worked out afresh (0) or kept (1).
void BM_HatchingUnchanged(benchmark::State& state) {
    GraphManager graph;
    BuildDragScene(graph, int(state.range(0)));
    const Viewport& v = graph.viewport();
    const PointF topLeft = v.screenToGraph(0, 0), bottomRight = v.screenToGraph(v.width, v.height);
    const RectF visible(topLeft.y, bottomRight.y, topLeft.x, bottomRight.x);
    HatchingCache cache;
    for (auto _ : state)
        for (size_t k = 0; k < graph.paintedDomains().size(); ++k) {
            const PaintedDomain& d = graph.paintedDomains()[k];
            if (state.range(1))
                benchmark::DoNotOptimize(&cache.of(k, d, graph.equations(), v.graphRect, v.scale, visible));
            else
                benchmark::DoNotOptimize(RegionRings(HatchPaintedDomain(d, graph.equations(), v.graphRect, v.scale, visible)).data());
        }
}
BENCHMARK(BM_HatchingUnchanged)->ArgsProduct({{20, 100}, {0, 1}})->Unit(benchmark::kMillisecond);

}  // namespace
