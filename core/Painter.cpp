// SPDX-License-Identifier: MIT
#include "core/Painter.h"

std::vector<float> Pen::DashesOf(uint16_t pattern, int factor, float& offset) {
    offset = 0.0f;
    if (pattern == Painter::kSolid || pattern == 0) return {};
    if (factor < 1) factor = 1;
    int start = 0;
    while (!(pattern >> start & 1)) ++start;
    std::vector<float> dashes;
    bool on = true;
    int run = 0;
    for (int i = 0; i < 16; ++i) {
        const bool bit = pattern >> ((start + i) % 16) & 1;
        if (bit == on) {
            ++run;
        } else {
            dashes.push_back(float(run * factor));
            on = bit;
            run = 1;
        }
    }
    dashes.push_back(float(run * factor));
    if (dashes.size() % 2) dashes.push_back(0.0f);
    offset = float(start * factor);
    return dashes;
}

Pen Pen::Patterned(const ColorF& c, float w, uint16_t pattern, int factor) {
    Pen pen(c, w);
    pen.dashes = DashesOf(pattern, factor, pen.dashOffset);
    return pen;
}
