// SPDX-License-Identifier: MIT
// Pointer input of the graph: each event goes to the gesture under way
// (graph/PointerModes.cpp), which may hand on to another.
#include <charconv>

#include "graph/GraphManager.h"

namespace {

std::string Fixed5(double v) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 5);
    return std::string(buf, r.ptr);
}

}  // namespace

// Either button down: a fresh start for the moves that follow.
PointF GraphManager::pressAt(int px, int py) {
    const PointF g = viewport_.screenToGraph(px, py);
    moved_ = false;
    lastPoint_ = g;
    lastPixelX_ = px;
    lastPixelY_ = py;
    return g;
}

void GraphManager::mouseDown(int px, int py) {
    const PointF g = pressAt(px, py);
    pen_.press(g);  // a stroke begins only in MODE_PEN_IDLE; otherwise it starts over empty
    pointerMode().press(*this, g);
    repaint();
}

void GraphManager::mouseMove(int px, int py) {
    const PointF g = viewport_.screenToGraph(px, py);
    if (listener_) listener_->statusText("x : " + Fixed5(g.x) + " y : " + Fixed5(g.y));
    if (px == lastPixelX_ && py == lastPixelY_) return;
    moved_ = true;
    pointerMode().move(*this, PointerStep{g, g - lastPoint_, px - lastPixelX_, py - lastPixelY_});
    lastPixelX_ = px;
    lastPixelY_ = py;
    lastPoint_ = g;
    if (!pointerMode().waits()) repaint();
}

void GraphManager::mouseUp(int, int) {
    pointerMode().release(*this);
    hitCode_ = HIT_NONE;
    repaint();
}

void GraphManager::rightButtonDown(int px, int py) {
    const PointF g = pressAt(px, py);
    pointerMode().rightPress(*this, g);
}

void GraphManager::rightButtonUp(int px, int py) {
    pointerMode().rightRelease(*this, viewport_.screenToGraph(px, py), px, py);
    repaint();
}

bool GraphManager::doubleClick() {
    if (mode_ == MODE_IDLE) {
        mode_ = MODE_PEN_IDLE;
        pen_.enter();
        repaint();
        return false;
    }
    return finishGesture();
}

bool GraphManager::togglePenInput() {
    if (mode_ == MODE_PEN_IDLE) return finishGesture();
    mode_ = MODE_PEN_IDLE;
    pen_.enter();
    repaint();
    return false;
}

void GraphManager::resetScale() {
    viewport_.scale = Viewport::kDefaultScale;
    followView();
    keepLabelsNear();
    repaint();
}

void GraphManager::mouseWheel(int delta, int, int) {
    pen_.discardStrokes();
    viewport_.wheel(delta);
    followView();
    keepLabelsNear();
    repaint();
}
