// SPDX-License-Identifier: MIT
#pragma once
#include "core/PointF.h"

// A draggable point of an equation's primitive; pinned points stay where they
// are while the others are dragged.
class ControlPoint : public PointF {
public:
    ControlPoint() = default;
    ControlPoint(float x_, float y_, bool pinned_ = false) : PointF(x_, y_), pinned(pinned_) {}
    bool pinned = false;
};
