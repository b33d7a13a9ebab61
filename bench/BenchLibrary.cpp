// SPDX-License-Identifier: MIT
#include "BenchLibrary.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <random>
#include <vector>

#include <QtCore/QBuffer>
#include <QtCore/QFile>
#include <QtGui/QImage>
#include <QtGui/QPainter>

#include "graph/EquationObject.h"
#include "graph/GraphManager.h"
#include "io/CKVRDoc.h"

namespace {

std::string Number(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", v);
    return text;
}

// One equation of a random kind with random coefficients.
std::string RandomEquation(std::mt19937& rng)
{
    std::uniform_real_distribution<double> c(-4.0, 4.0), positive(0.5, 4.0);
    auto n = [&] { return Number(c(rng)); };
    auto p = [&] { return Number(positive(rng)); };
    // " + 1.25" or " - 1.25"
    auto term = [&] {
        const double v = c(rng);
        return (v < 0 ? " - " : " + ") + Number(std::fabs(v));
    };
    switch (std::uniform_int_distribution<int>(0, 12)(rng)) {
        case 0: return "y = " + n() + "*x" + term();
        case 1: return "x - " + p() + " = 0";
        case 2: return "y = " + n() + "*x^2" + term() + "*x" + term();
        case 3: return "y = " + n() + "*x^3" + term() + "*x";
        case 4: return "y = " + p() + "*x^4 - " + p() + "*x^2" + term();
        case 5: return "y = " + p() + "*sin(" + p() + "*x)";
        case 6: return "y = " + p() + "*cos(x + " + p() + ")";
        case 7: return "y = tan(" + p() + "*x)";
        case 8: return "y = log(x + " + p() + ")";
        case 9: return "y = 2^(x + " + n() + ")";
        case 10: return "(x - " + p() + ")^2/" + p() + " + y^2/" + p() + " - 1 = 0";
        case 11: return "x^2/" + p() + " - y^2/" + p() + " - 1 = 0";
        default: return "y^2 - " + p() + "*x = 0";
    }
}

// A picture like a graph's thumbnail: grid, axes and the curves sampled.
QByteArray Thumbnail(const GraphManager& graph, std::mt19937& rng)
{
    QImage picture(256, 256, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(220, 220, 220));
    for (int i = 0; i <= 256; i += 16) {
        painter.drawLine(i, 0, i, 256);
        painter.drawLine(0, i, 256, i);
    }
    painter.setPen(Qt::black);
    painter.drawLine(128, 0, 128, 256);
    painter.drawLine(0, 128, 256, 128);
    std::uniform_int_distribution<int> hue(0, 359);
    for (const auto& e : graph.equations()) {
        painter.setPen(QPen(QColor::fromHsv(hue(rng), 200, 200), 2));
        for (const Stroke& piece : e->pieces()) {
            QPolygonF line;
            for (const PointF& q : piece) line << QPointF(128 + q.x * 12.8, 128 - q.y * 12.8);
            painter.drawPolyline(line);
        }
    }
    painter.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return png;
}

}  // namespace

bool MakeBenchLibrary(const std::string& folder, int count, unsigned seed)
{
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    std::mt19937 rng(seed);
    // Pictures are the slow part of making a document; a few dozen serve them all.
    std::vector<QByteArray> pictures;
    for (int i = 0; i < count; ++i) {
        GraphManager graph;
        const int equations = std::uniform_int_distribution<int>(1, 4)(rng);
        for (int k = 0; k < equations; ++k) graph.addEquationFromText(RandomEquation(rng));
        if (pictures.size() < 64) pictures.push_back(Thumbnail(graph, rng));
        CKVRDoc doc(graph);
        const QByteArray bytes = doc.toBytes(pictures[std::size_t(i) % pictures.size()]);
        char name[32];
        std::snprintf(name, sizeof name, "/lesson%05d.kvr", i);
        QFile file(QString::fromStdString(folder + name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            std::cerr << "cannot write " << folder << name << "\n";
            return false;
        }
    }
    return true;
}
