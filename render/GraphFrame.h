// SPDX-License-Identifier: MIT
#pragma once
// One frame of the graph in the current OpenGL context: the view's projection
// for the graph's client size (logical pixels) on a framebuffer of that size
// times the device-pixel ratio, cleared, then the whole scene. The window's
// view and the headless picture both draw through it, so the picture is the
// screen.
class GlPainter;
class GraphManager;

void DrawGraphFrame(GraphManager& graph, GlPainter& painter, double devicePixelRatio);
