// SPDX-License-Identifier: MIT
#pragma once
// What lies under the pointer, within a tolerance the hand can hit: a few
// pixels on the screen whatever the wheel scale and the axis zooms, so the
// tolerance is carried in graph units along each axis (the two axes can be
// zoomed apart, and a circle of pixels is then an ellipse of graph units).
#include "core/PointF.h"
#include "core/RectF.h"

class EquationObject;

// Pointing devices differ in how precisely they land: a pen tip wobbles and
// parallax puts it off by more than a mouse ever is.
enum class PointerKind { Mouse, Pen };

// Client pixels (device-independent) of the pick tolerance per pointer kind.
inline constexpr double kMousePickPixels = 6.0;
inline constexpr double kPenPickPixels = 2 * kMousePickPixels;

struct PickTolerance {
    double x = 0.0, y = 0.0;  // half-axes in graph units

    // Whether q lies within the tolerance ellipse about p.
    bool near(PointF p, PointF q) const { return distance(p, q) <= 1.0; }
    // How far q is from p in units of the tolerance (1 on its edge); not a
    // number when either point is not finite.
    double distance(PointF p, PointF q) const;
    // The rectangle grown by the tolerance on every side (graph units, top the larger y).
    RectF grow(const RectF& box) const;
};

// The curve passes within the tolerance of p. The curve is not traced: its
// implicit function is looked at on a ring of points about p, and a change of
// sign there (or the curve's domain ending there) means it crosses the ring.
bool CurvePassesNear(const EquationObject& equation, PointF p, const PickTolerance& tolerance);

// The control point of `equation` nearest to p within the tolerance; −1 for none.
int NearestControlPoint(const EquationObject& equation, PointF p, const PickTolerance& tolerance);

// p lies on the equation's label, or within the tolerance of its edge.
bool LabelNear(const EquationObject& equation, PointF p, const PickTolerance& tolerance);
