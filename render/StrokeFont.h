// SPDX-License-Identifier: MIT
#pragma once
// Measures of the Roman stroke font (freeglut). Measuring needs no GL context;
// the error handlers keep freeglut from ending the process, since it calls
// exit() on errors when glutInit was never called (and we never call it).
#include <string>

namespace StrokeFont {

// Installs the error and warning handlers once; safe to call repeatedly.
void EnsureHandlers();

// Advance of the text in glyph units (a capital is about 100 high).
float Width(const std::string& text);

}  // namespace StrokeFont
