// SPDX-License-Identifier: MIT
// A full repaint of the drag-step scene with every equation's label shown,
// drawn for real through GlPainter into a headless EGL framebuffer: with the
// label cache warm (the steady state of dragging and zooming) and cold (every
// label typeset again, as after the first paint of a document). Plus the
// typesetter alone, and the printed page of that scene.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "DragScene.h"
#include "mathex/MathExp.h"
#include "render/EglContext.h"
#include "render/GL.h"
#include "render/GlPainter.h"
#include "render/GraphExport.h"
#include "render/GraphFrame.h"
#include "render/GraphPage.h"
#include "render/Typesetter.h"

namespace {

constexpr int kWidth = 1000, kHeight = 750;  // the window the program opens with

struct GlScene {
    GraphManager graph;
    std::unique_ptr<EglContext> context;
    GlPainter painter;

    bool make(benchmark::State& state, bool labels = true, int equations = 20) {
        if (!Typesetter::EnsureGuiApplication()) {
            state.SkipWithError("no fonts");
            return false;
        }
        context = std::make_unique<EglContext>(kWidth, kHeight);
        if (!context->ok()) {
            state.SkipWithError(("no headless OpenGL context: " + context->error()).c_str());
            return false;
        }
        graph.setClientSize(kWidth, kHeight);
        BuildDragScene(graph, equations);
        for (const auto& e : graph.equations()) e->setDisplayText(labels);
        return true;
    }

    // The frame the view draws, through the same routine.
    void repaint() {
        glClearColor(1, 1, 1, 1);
        DrawGraphFrame(graph, painter, 1.0);
        glFinish();
    }
};

void BM_RepaintWithLabelsWarm(benchmark::State& state) {
    GlScene scene;
    if (!scene.make(state)) return;
    scene.repaint();  // fills the cache
    const long before = Typesetter::TypesetCount();
    for (auto _ : state) scene.repaint();
    state.counters["typeset"] = double(Typesetter::TypesetCount() - before);
}
BENCHMARK(BM_RepaintWithLabelsWarm)->Unit(benchmark::kMillisecond);

// The same repaint without labels: what the labels add is the difference.
void BM_RepaintWithoutLabels(benchmark::State& state) {
    GlScene scene;
    if (!scene.make(state, false)) return;
    for (auto _ : state) scene.repaint();
}
BENCHMARK(BM_RepaintWithoutLabels)->Unit(benchmark::kMillisecond);

// One step of a curve drag on a graph of N equations, drawn for real: the
// move, then the repaint through OpenGL (no labels, as in BM_DragStep).
void BM_DragStepGl(benchmark::State& state) {
    GlScene scene;
    if (!scene.make(state, false, int(state.range(0)))) return;
    int px = 0, py = 0;
    if (!GrabQuadratic(scene.graph, px, py)) {
        state.SkipWithError("the grab point is not on the curve");
        return;
    }
    bool back = true;
    for (auto _ : state) {
        scene.graph.mouseMove(back ? px : px + 6, back ? py : py + 4);
        back = !back;
        scene.repaint();
    }
}
BENCHMARK(BM_DragStepGl)->Arg(20)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_RepaintWithLabelsCold(benchmark::State& state) {
    GlScene scene;
    if (!scene.make(state)) return;
    const long before = Typesetter::TypesetCount();
    for (auto _ : state) {
        Typesetter::ClearCache();
        scene.repaint();
    }
    state.counters["typeset/frame"] =
        benchmark::Counter(double(Typesetter::TypesetCount() - before), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_RepaintWithLabelsCold)->Unit(benchmark::kMillisecond);

void BM_TypesetLabel(benchmark::State& state) {
    if (!Typesetter::EnsureGuiApplication()) {
        state.SkipWithError("no fonts");
        return;
    }
    MathEx::MathExp exp;
    exp.Parse(kCurves[state.range(0)]);
    const std::string latex = exp.ToText(MathEx::TEXT_TEXTBOOK);
    state.SetLabel(latex);
    for (auto _ : state) {
        Typesetter::ClearCache();
        benchmark::DoNotOptimize(Typesetter::Typeset(latex));
    }
}
BENCHMARK(BM_TypesetLabel)->Arg(1)->Arg(5)->Arg(11)->Unit(benchmark::kMicrosecond);

// Writing a label's text, which every repaint does twice per label (measure
// and draw) before the cache is asked: the tree's LaTeX against the textbook
// form the labels show, over the drag scene's curves.
void BM_LabelText(benchmark::State& state) {
    std::vector<MathEx::MathExp> curves(std::size(kCurves));
    for (size_t i = 0; i < curves.size(); ++i) curves[i].Parse(kCurves[i]);
    const int mode = int(state.range(0));
    state.SetLabel(mode == MathEx::TEXT_TEXTBOOK ? "textbook" : "latex");
    for (auto _ : state)
        for (const MathEx::MathExp& curve : curves) benchmark::DoNotOptimize(curve.ToText(mode));
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(curves.size()));
}
BENCHMARK(BM_LabelText)->Arg(MathEx::TEXT_LATEX)->Arg(MathEx::TEXT_TEXTBOOK)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// The worksheet a teacher prints: the drag scene's twenty equations, every
// label shown, exported as one PDF page and one PostScript page into a
// temporary folder (the file written whole, as the File menu writes it).
void BM_ExportLabelledPage(benchmark::State& state) {
    if (!Typesetter::EnsureGuiApplication()) {
        state.SkipWithError("no fonts");
        return;
    }
    GraphManager graph;
    graph.setClientSize(kWidth, kHeight);
    BuildDragScene(graph, 20);
    for (const auto& e : graph.equations()) e->setDisplayText(true);
    const std::string folder = (std::filesystem::temp_directory_path() / "kvr-bench-page").string();
    std::filesystem::create_directories(folder);
    const bool pdf = state.range(0) == 0;
    const std::string path = folder + (pdf ? "/page.pdf" : "/page.ps");
    for (auto _ : state) {
        const bool ok = pdf ? ExportPdf(graph, QString::fromStdString(path)) : ExportPostScript(graph, path);
        if (!ok) {
            state.SkipWithError("the page could not be written");
            break;
        }
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ExportLabelledPage)->Arg(0)->Arg(1)->ArgNames({"ps"})->Unit(benchmark::kMillisecond);

}  // namespace
