// SPDX-License-Identifier: MIT
#pragma once
// The document thumbnail without a window: the graph drawn as the view would
// show it, in a headless OpenGL context, made into the 256 × 256 PNG thumbnail.
#include <string>

#include <QtCore/QByteArray>

class GraphManager;

// PNG bytes; empty, with the reason in `error` when given, when no headless
// OpenGL context can be made.
QByteArray RenderThumbnailPng(GraphManager& graph, std::string* error = nullptr);
