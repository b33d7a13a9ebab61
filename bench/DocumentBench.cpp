// SPDX-License-Identifier: MIT
// Opening and saving documents, and the library scan's read of one document's
// signature. The document: 50 equations, each with attribute points and
// mensuration, and a 256 × 256 thumbnail.

#include <string>

#include <benchmark/benchmark.h>
#include <QtCore/QBuffer>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>
#include <QtGui/QPainter>

#include "graph/GraphManager.h"
#include "io/CKVRDoc.h"
#include "io/FeatureArchive.h"

namespace {

const char* const kCurves[] = {"y = 2*x + 1",        "y = x^2 - 2*x",          "y = x^3 - 3*x",
                               "y = x^4 - 2*x^2",    "y = 2*sin(3*x+1)-4",     "y = cos(x)",
                               "y = log(x+5)",       "x^2/16 + y^2/4 - 1 = 0", "x^2 - y^2/4 - 1 = 0",
                               "y = 0.1234567*x^2 + 1.5"};

// A thumbnail of the size and kind the view captures: a white page with curves on it.
QByteArray Thumbnail() {
    QImage image(256, 256, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (int i = 0; i < 40; ++i) painter.drawLine(0, i * 7, 255, (i * 37) % 256);
    painter.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

void Fill(GraphManager& graph, int equations) {
    for (int i = 0; i < equations; ++i) {
        EquationObject* e = graph.addEquationFromText(kCurves[i % std::size(kCurves)]);
        for (int k = 0; k < 3; ++k) {
            AttribPoint p;
            p.setPosition(float(k) + 0.25f, float(i) * 0.1f);
            p.axis[AttribPoint::X].valueType = k;
            p.setXValueTypeString("a_" + std::to_string(k));
            e->addAttribPoint(p);
        }
        Mensuration m;
        m.xmin = -1.5;
        m.xmax = 2.5;
        e->setMensuration(m);
        e->setMensurationEnabled(true);
    }
}

struct Files {
    QTemporaryDir dir;
    QString big = dir.filePath("fifty.kvr");
    QString typical = dir.filePath("typical.kvr");
    QByteArray png = Thumbnail();

    Files() {
        GraphManager fifty, five;
        Fill(fifty, 50);
        Fill(five, 5);
        CKVRDoc(fifty).save(big.toStdString(), png);
        CKVRDoc(five).save(typical.toStdString(), png);
    }
};

Files& Shared() {
    static Files files;
    return files;
}

void BM_OpenFiftyEquations(benchmark::State& state) {
    GraphManager graph;
    CKVRDoc doc(graph);
    const std::string path = Shared().big.toStdString();
    for (auto _ : state) {
        const DocumentResult r = doc.open(path);
        if (!r.ok) state.SkipWithError(r.reason.c_str());
    }
}
BENCHMARK(BM_OpenFiftyEquations)->Unit(benchmark::kMillisecond);

// Written to disk and synced, as the Save command does.
void BM_SaveFiftyEquations(benchmark::State& state) {
    GraphManager graph;
    Fill(graph, 50);
    CKVRDoc doc(graph);
    const std::string path = Shared().dir.filePath("saved.kvr").toStdString();
    for (auto _ : state) {
        const DocumentResult r = doc.save(path, Shared().png);
        if (!r.ok) state.SkipWithError(r.reason.c_str());
    }
}
BENCHMARK(BM_SaveFiftyEquations)->Unit(benchmark::kMillisecond);

// What the library scan reads of a typical document (five equations).
void BM_ReadFeature(benchmark::State& state) {
    const std::string path = Shared().typical.toStdString();
    CFeature feature;
    for (auto _ : state) {
        if (!ReadDocumentFeature(path, feature)) state.SkipWithError("no feature");
        benchmark::DoNotOptimize(feature.elements.data());
    }
}
BENCHMARK(BM_ReadFeature)->Unit(benchmark::kMicrosecond);

}  // namespace
