// SPDX-License-Identifier: MIT
#pragma once

// RGBA colour, each channel in 0..1.
class ColorF {
public:
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f;

    ColorF() = default;
    ColorF(float r_, float g_, float b_, float a_ = 1.0f) : r(r_), g(g_), b(b_), a(a_) {}

    bool operator==(const ColorF& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};
