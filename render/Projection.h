// SPDX-License-Identifier: MIT
#pragma once
// The OpenGL projection of a point to window coordinates, computed without a
// GL context (as gluProject does), so that PostScript export can project the
// matrices it captured.

struct Projection {
    double modelview[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};   // column-major
    double projection[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};  // column-major
    int viewport[4] = {0, 0, 1, 1};

    // An orthographic projection of the graph rectangle onto a viewport, as
    // glOrtho(left, right, bottom, top, -1, 1) with an identity modelview.
    static Projection Ortho(double left, double right, double bottom, double top, int width, int height);

    // Window coordinates of (x, y, z); false when w is 0.
    bool Project(double x, double y, double z, double& wx, double& wy) const;
};
