// SPDX-License-Identifier: MIT
#pragma once

// Axis-aligned rectangle in single precision. In graph units y grows upward
// (top is the larger value); in expression layout y grows downward.
class RectF {
public:
    float top = 0.0f;
    float bottom = 0.0f;
    float left = 0.0f;
    float right = 0.0f;

    RectF() = default;
    RectF(float top_, float bottom_, float left_, float right_)
        : top(top_), bottom(bottom_), left(left_), right(right_) {}

    float width() const { return right - left; }
    float height() const { return bottom - top; }
    bool operator==(const RectF& o) const {
        return top == o.top && bottom == o.bottom && left == o.left && right == o.right;
    }
};
