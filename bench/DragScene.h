// SPDX-License-Identifier: MIT
#pragma once
// The drag-step benchmark's scene, shared by the model and the GL benchmarks.
#include <cmath>
#include <iterator>

#include "graph/EquationObject.h"
#include "graph/GraphManager.h"

// One equation of each kind that is sampled.
inline const char* const kCurves[] = {
    "y = 2*x + 1",         "y = x^2 - 2*x",        "y = x^3 - 3*x",         "y = x^4 - 2*x^2",
    "y = (x+1)^5/10",      "y = 2*sin(3*x+1)-4",   "y = cos(x)",            "y = tan(x)",
    "y = log(x+5)",        "y = 2^(x+1)+3",        "x - 3 = 0",             "x^2/16 + y^2/4 - 1 = 0",
    "x^2 - y^2/4 - 1 = 0", "y^2 - 4*x = 0",        "x^3 + y^3 - 3*x*y = 0",
};

// The drag-step scene: `count` equations (the sampled kinds, round robin; from
// the twenty-first on, each round moved a little, so that no two curves lie on
// one another), three painted domains, mensuration on two equations and
// intersections on show.
inline void BuildDragScene(GraphManager& graph, int count = 20) {
    const int kinds = int(std::size(kCurves)) - 1;
    for (int i = 0; i < count; ++i) {
        EquationObject* e = graph.addEquationFromText(kCurves[i % kinds]);
        if (e && (i == 1 || i == 2)) {
            e->setMensurationEnabled(true);
            e->setMensurationRange(-1, 2);
        }
        if (e && i >= 20) e->translate(0.173 * (i / kinds), 0.31 * (i / kinds));
    }
    const PointF seeds[] = {{-8, 8}, {8, -8}, {0.5f, 0.3f}};
    for (const PointF& seed : seeds) graph.addPaintedDomain(PaintedDomain{ColorF(0, 0.6f, 0, 1), seed});
    graph.toggleIntersections();
}

// Grabs the quadratic y = x^2 - 2x (the scene's second equation) as a drag
// does; the pixel it was grabbed at, or false when the grab missed it.
inline bool GrabQuadratic(GraphManager& graph, int& px, int& py) {
    const PointF grab = graph.viewport().graphToScreen(-1, 3);
    px = int(std::lround(grab.x));
    py = int(std::lround(grab.y));
    graph.mouseDown(px, py);
    graph.mouseMove(px + 6, py + 4);
    return graph.mode() == MODE_MOVING_CURVE;
}
