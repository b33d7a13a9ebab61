// SPDX-License-Identifier: MIT
#pragma once
// The drag-step benchmark's scene, shared by the model and the GL benchmarks.
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

// The drag-step scene: twenty equations (the sampled kinds, round robin), three
// painted domains, mensuration on two equations and intersections on show.
inline void BuildDragScene(GraphManager& graph) {
    for (int i = 0; i < 20; ++i) {
        EquationObject* e = graph.addEquationFromText(kCurves[i % (std::size(kCurves) - 1)]);
        if (e && (i == 1 || i == 2)) {
            e->setMensurationEnabled(true);
            e->setMensurationRange(-1, 2);
        }
    }
    const PointF seeds[] = {{-8, 8}, {8, -8}, {0.5f, 0.3f}};
    for (const PointF& seed : seeds) graph.addPaintedDomain(PaintedDomain{ColorF(0, 0.6f, 0, 1), seed});
    graph.toggleIntersections();
}

