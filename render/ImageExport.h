// SPDX-License-Identifier: MIT
#pragma once
// "Export to Image File" and the pictures behind thumbnails: the graph drawn
// headless through an EGL context (the view's own variant grabs its frame
// buffer instead), read back as a picture, saved as PNG.
#include <string>

#include <QtGui/QImage>

#include "core/Translatable.h"

class GraphManager;

// The message the window shows (exclamation box) when the PNG cannot be written.
inline constexpr const char* kImageSaveFailed = KVR_TRANSLATE_NOOP("Reason", "Failed to save image file");

// The name a save or export dialog proposes: the document's own name beside
// it, with everything from the last "." of its file name replaced by
// "." + extension ("/a/graph.final.kvr", "png" → "/a/graph.final.png",
// "notes" → "notes.png"); "Untitled." + extension for an untitled document
// (empty path).
std::string SuggestedFileName(const std::string& documentPath, const std::string& extension);

// Pixels as glReadPixels returns them (RGBA bytes, first row at the BOTTOM)
// as a 32-bit ARGB picture with the first row at the top: the pixel at the
// lower-left of the GL picture is the last row, first column of the image.
QImage ImageFromGlPixels(const unsigned char* rgba, int width, int height);

// Draws the graph as it is into a width × height picture of device pixels
// (the graph's own scale and zoom over a window of width / ratio × height /
// ratio logical pixels, as a HiDPI window shows it; the client size is
// restored afterwards), labels typeset at `devicePixelRatio`. A null image, and the reason in `error`, when no
// headless context can be made or the size is not positive. It makes its own
// EGL context current and leaves none current afterwards: a window's view
// captures its own frame buffer instead.
QImage CaptureGraphImage(GraphManager& graph, int width, int height, double devicePixelRatio = 1.0,
                         std::string* error = nullptr);

// The clean picture of the export: no grid, no selection highlight, and no
// equation labels unless `withLabels`; every flag is back as it was afterwards.
QImage CaptureCleanGraphImage(GraphManager& graph, int width, int height, std::string* error = nullptr,
                              bool withLabels = false);

// Saves a picture as PNG; false (show kImageSaveFailed) when it cannot be
// written or there is no picture.
bool SaveImagePng(const QImage& image, const std::string& path);

// The command line's export: the clean picture saved as PNG. False, with the
// reason in `error`, when it could not be drawn or written.
bool ExportGraphImage(GraphManager& graph, const std::string& path, int width, int height,
                      std::string* error = nullptr, bool withLabels = false);
