// SPDX-License-Identifier: MIT
#include "render/Projection.h"

Projection Projection::Ortho(double left, double right, double bottom, double top, int width, int height) {
    Projection p;
    for (double& v : p.projection) v = 0;
    p.projection[0] = 2 / (right - left);
    p.projection[5] = 2 / (top - bottom);
    p.projection[10] = -1;
    p.projection[12] = -(right + left) / (right - left);
    p.projection[13] = -(top + bottom) / (top - bottom);
    p.projection[15] = 1;
    p.viewport[2] = width;
    p.viewport[3] = height;
    return p;
}

namespace {
void Transform(const double m[16], const double in[4], double out[4]) {
    for (int row = 0; row < 4; ++row)
        out[row] = m[row] * in[0] + m[4 + row] * in[1] + m[8 + row] * in[2] + m[12 + row] * in[3];
}
}  // namespace

bool Projection::Project(double x, double y, double z, double& wx, double& wy) const {
    const double object[4] = {x, y, z, 1};
    double eye[4], clip[4];
    Transform(modelview, object, eye);
    Transform(projection, eye, clip);
    if (clip[3] == 0) return false;
    const double nx = clip[0] / clip[3], ny = clip[1] / clip[3];
    wx = viewport[0] + viewport[2] * (nx * 0.5 + 0.5);
    wy = viewport[1] + viewport[3] * (ny * 0.5 + 0.5);
    return true;
}
