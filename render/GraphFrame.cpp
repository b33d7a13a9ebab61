// SPDX-License-Identifier: MIT
#include "render/GraphFrame.h"

#include <cmath>

#include "graph/GraphManager.h"
#include "render/GL.h"
#include "render/GlPainter.h"

void DrawGraphFrame(GraphManager& graph, GlPainter& painter, double devicePixelRatio)
{
    const Viewport::Ortho o = graph.viewport().setProjection();
    const double r = devicePixelRatio;
    glViewport(int(std::lround(o.x * r)), int(std::lround(o.y * r)), int(std::lround(o.width * r)),
               int(std::lround(o.height * r)));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(o.left, o.right, o.bottom, o.top, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    painter.setDevicePixelRatio(r);
    graph.draw(painter);
}
