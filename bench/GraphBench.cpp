// Cost of the work every drag step does: resampling the dragged curve, tracing
// an implicit curve, and redrawing a whole graph (here into a recording
// surface, so the figure is the model's share of a repaint).

#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "graph/EquationObject.h"
#include "graph/ZeroSet.h"
#include "support/RecordingSurface.h"

namespace {

// One equation of each kind that is sampled.
const char* const kCurves[] = {
    "y = 2*x + 1",         "y = x^2 - 2*x",        "y = x^3 - 3*x",         "y = x^4 - 2*x^2",
    "y = (x+1)^5/10",      "y = 2*sin(3*x+1)-4",   "y = cos(x)",            "y = tan(x)",
    "y = log(x+5)",        "y = 2^(x+1)+3",        "x - 3 = 0",             "x^2/16 + y^2/4 - 1 = 0",
    "x^2 - y^2/4 - 1 = 0", "y^2 - 4*x = 0",        "x^3 + y^3 - 3*x*y = 0",
};

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
        benchmark::DoNotOptimize(o->pieces.data());
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
        if (i % 3 == 0) o->displayText = true;
        if (i % 4 == 0) {
            AttribPoint ap(o.get());
            ap.setPosition(1, float(o->valueAt(1).x));
            ap.pointType = 1;
            ap.xValueType = AttribPoint::LABEL_VALUE;
            ap.xLineType = AttribPoint::LINE_DASHED;
            o->attribute_points.push_back(ap);
        }
        if (i % 5 == 0) {
            o->bEnableMensu = true;
            o->mensuration.xmin = 0;
            o->mensuration.xmax = 2;
        }
        graph.push_back(std::move(o));
    }
    for (auto _ : state) {
        testing_support::RecordingSurface surface;
        for (auto& o : graph) o->draw(surface, 1.3, 1, 1);
        benchmark::DoNotOptimize(surface.primitives.data());
    }
}
BENCHMARK(BM_DrawTwentyEquations)->Unit(benchmark::kMicrosecond);

}  // namespace
