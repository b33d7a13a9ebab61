// SPDX-License-Identifier: MIT
// A small graph drawn for real: the viewport's projection, grid and axes and
// two equation objects, through GlPainter into a headless framebuffer.
#include <gtest/gtest.h>

#include <memory>

#include "graph/EquationObject.h"
#include "graph/Viewport.h"
#include "render/EglContext.h"
#include "render/GL.h"
#include "render/GlPainter.h"

namespace {

TEST(GraphGl, CurvesGridAndAxesLandOnTheirPixels) {
    Viewport view;
    view.width = 400;
    view.height = 300;
    view.scale = 1.0;  // 40 pixels per unit
    EglContext context(view.width, view.height);
    if (!context.ok()) GTEST_SKIP() << "no headless OpenGL context: " << context.error();

    const Viewport::Ortho o = view.setProjection();
    glViewport(o.x, o.y, o.width, o.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(o.left, o.right, o.bottom, o.top, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);

    GlPainter painter;
    view.drawGridAndAxes(painter, true, true);
    EquationObject parabola, line;
    parabola.setPlotBox(-4, 4, 3, -3);
    line.setPlotBox(-4, 4, 3, -3);
    ASSERT_TRUE(parabola.setEquation("y = x^2 - 2"));
    ASSERT_TRUE(line.setEquation("y = 0.5*x + 1"));
    parabola.setColour(ColorF(1, 0, 0, 1));
    parabola.setLineWidth(3);
    line.setColour(ColorF(0, 0, 1, 1));
    line.setLineWidth(3);
    painter.setView({view.scale, view.xZoom, view.yZoom});
    parabola.draw(painter);
    painter.setView({view.scale, view.xZoom, view.yZoom});
    line.draw(painter);
    glFinish();

    const std::vector<unsigned char> rgba = context.readPixels();
    ASSERT_EQ(rgba.size(), size_t(400 * 300 * 4));
    // Graph (x, y) → pixel (200 + 40x, 150 − 40y) with the top row first.
    auto pixel = [&](double x, double y) {
        const int px = int(200 + 40 * x), py = int(150 - 40 * y);
        const unsigned char* p = &rgba[(size_t(py) * 400 + px) * 4];
        return std::array<int, 3>{p[0], p[1], p[2]};
    };
    auto red = [](std::array<int, 3> c) { return c[0] > 200 && c[1] < 80 && c[2] < 80; };
    auto blue = [](std::array<int, 3> c) { return c[2] > 200 && c[0] < 80 && c[1] < 80; };
    auto white = [](std::array<int, 3> c) { return c[0] > 240 && c[1] > 240 && c[2] > 240; };
    auto dark = [](std::array<int, 3> c) { return c[0] < 100 && c[1] < 100 && c[2] < 100; };

    EXPECT_TRUE(red(pixel(0, -2))) << "the parabola's vertex";
    EXPECT_TRUE(red(pixel(1.5, 0.25))) << "the parabola at x = 1.5";
    EXPECT_TRUE(blue(pixel(2, 2))) << "the line at x = 2";
    EXPECT_TRUE(white(pixel(0.5, 2.5))) << "nothing between grid lines";
    // A one-pixel axis on a pixel boundary lands on either side of it.
    const double onePixel = 1.0 / 40;
    EXPECT_TRUE(dark(pixel(-2.5, 0)) || dark(pixel(-2.5, onePixel))) << "the x axis";
    EXPECT_TRUE(dark(pixel(0, 2.5)) || dark(pixel(-onePixel, 2.5))) << "the y axis";
    // The parabola leaves its plot box clipped: nothing of it above y = 3.
    EXPECT_FALSE(red(pixel(2.35, 3.4))) << "clipped at the plot box";
}

}  // namespace
