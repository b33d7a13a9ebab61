// SPDX-License-Identifier: MIT
#pragma once
// KVR's own label typesetter: LaTeX text (as the equation text writer makes
// it) to an 8-bit coverage bitmap, with Qt fonts. Needs a QGuiApplication for
// its fonts; without one every label is empty (0 × 0) — see
// EnsureGuiApplication. User-interface thread only.
//
// Sizes: `size` 5 is the label size, the height of 12-point text at 96 dpi
// (a 16-pixel em); 0 … 7 run from 10 to 24 pixels. The device pixel ratio
// multiplies every pixel measure, so a 2.0 label is rendered at twice the
// pixels (crisp on a HiDPI screen), not scaled up.
//
// Bounds: texts are cut at kTexMaxInput bytes, and images at
// kMaxLabelWidth × kMaxLabelHeight logical pixels (the rest is clipped).
#include <memory>
#include <string>

#include <QtCore/QPointF>
#include <QtCore/QSize>
#include <QtGui/QImage>
#include <QtGui/QPainter>

#include "render/LabelBitmap.h"

namespace Typesetter {

constexpr int kLabelSize = 5;
constexpr int kMaxLabelWidth = 4096;
constexpr int kMaxLabelHeight = 512;

// Creates a QGuiApplication on the "offscreen" platform when the process
// has no application object yet (command line, tests). Fonts and QPainter
// work on it; OpenGL does not (that goes through EglContext). True when a
// QGuiApplication exists afterwards.
bool EnsureGuiApplication();

// The label, typeset once and then served from a cache of the last few
// hundred labels. Null for an empty text or when no fonts are available.
std::shared_ptr<const LabelBitmap> Typeset(const std::string& latex, int size = kLabelSize, double ratio = 1.0);

// The label as a picture: black ink on transparent, first row at the top,
// its device pixel ratio set. A null image when Typeset gives nothing.
QImage TypesetImage(const std::string& latex, int size = kLabelSize, double ratio = 1.0);

// The label drawn straight onto a painter, as vectors and text (a page: PDF,
// SVG, print), black, the same layout and size as TypesetImage at ratio 1
// with its top-left corner at `topLeft`; returns that size in pixels.
QSize PaintLabel(const std::string& latex, QPainter& painter, QPointF topLeft, int size = kLabelSize);

// Labels typeset since start-up (cache misses), for tests and benchmarks.
long TypesetCount();
void ClearCache();

}  // namespace Typesetter

// The call contract of the label typesetting library: with a null buffer it
// returns the number of bytes the image needs and sets width and height; with
// a buffer of that many bytes it fills it with width × height bytes of
// coverage, first row at the bottom, rows packed, and returns the same count.
// 0 (and 0 × 0) for an empty text or when nothing can be typeset. Width and
// height may be null.
int CreateEqnGLBitmapAA(const char* latex, int size, int* width, int* height, unsigned char* buffer,
                        double devicePixelRatio = 1.0);
