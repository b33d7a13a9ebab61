// SPDX-License-Identifier: MIT
#pragma once
// A typeset label: 8-bit coverage (0 transparent, 255 full ink), width ×
// height bytes, first row at the BOTTOM and rows packed, as glDrawPixels
// with GL_ALPHA consumes it. Sizes are device pixels.
#include <vector>

struct LabelBitmap {
    int width = 0;
    int height = 0;
    // Distance from the bottom row to the baseline, in device pixels.
    int baseline = 0;
    std::vector<unsigned char> coverage;
};
