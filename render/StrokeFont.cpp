// SPDX-License-Identifier: MIT
#include "render/StrokeFont.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "render/GL.h"

namespace StrokeFont {

namespace {
void Report(const char* format, va_list args) {
    if (!std::getenv("KVR_DEBUG")) return;
    std::fputs("freeglut: ", stderr);
    std::vfprintf(stderr, format, args);
    std::fputc('\n', stderr);
}
}  // namespace

void EnsureHandlers() {
    static const bool installed = [] {
        glutInitErrorFunc(&Report);
        glutInitWarningFunc(&Report);
        return true;
    }();
    (void)installed;
}

float Width(const std::string& text) {
    EnsureHandlers();
    float width = 0;
    for (unsigned char c : text) width += glutStrokeWidthf(GLUT_STROKE_ROMAN, c);  // fractional, as the pen advances
    return width;
}

}  // namespace StrokeFont
