#include "graph/GraphManager.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "graph/Intersections.h"
#include "graph/Tangents.h"

using namespace MathEx;

namespace {
// Developer diagnostics go to standard error only when KVR_DEBUG is set.
void DebugOut(const std::string& text) {
    if (std::getenv("KVR_DEBUG")) std::fputs(text.c_str(), stderr);
}
}  // namespace

GraphManager::GraphManager() { reset(); }

GraphManager::~GraphManager() = default;

void GraphManager::reset() {
    equations.clear();
    mode = MODE_IDLE;
    selected = hitEquation = undoTarget = nullptr;
    hitCode = HIT_NONE;
    showAxis = showGrid = true;
    currentColour = ColorF(0, 0, 0, 1);
    paintedDomains.clear();
    intersections.clear();
    viewport.reset();
    pen = PenInput();
}

void GraphManager::setClientSize(int width, int height) {
    viewport.width = width;
    viewport.height = height;
}

int GraphManager::indexOf(const EquationObject* equation) const {
    for (size_t i = 0; i < equations.size(); ++i)
        if (equations[i].get() == equation) return int(i);
    return -1;
}

void GraphManager::repaint() {
    if (showIntersections) recomputeIntersections();
    if (listener_) listener_->repaintRequested();
}

void GraphManager::notifySelection() {
    if (listener_) listener_->selectionChanged(selected);
}

void GraphManager::select(EquationObject* equation) {
    if (selected) selected->selected = false;
    selected = equation;
    if (selected) selected->selected = true;
    notifySelection();
}

// References into the list must not outlive the equation.
void GraphManager::forget(const EquationObject* equation) {
    if (selected == equation) selected = nullptr;
    if (hitEquation == equation) hitEquation = nullptr;
    if (undoTarget == equation) undoTarget = nullptr;
    for (auto& e : equations) {
        auto& lines = e->tangentLines;
        lines.erase(std::remove(lines.begin(), lines.end(), equation), lines.end());
    }
}

RectF GraphManager::defaultPlotBox() const {
    const RectF& g = viewport.graphRect;
    return RectF(0.9f * g.top, 0.9f * g.bottom, 0.9f * g.left, 0.9f * g.right);
}

EquationObject* GraphManager::addEquationFromText(const std::string& text) {
    auto equation = std::make_unique<EquationObject>();
    if (!equation->setEquation(text)) {
        DebugOut("failure\n" + text + "\n");
        repaint();
        return nullptr;
    }
    DebugOut("Success\n" + text + "\n");
    equation->colour = currentColour;
    EquationObject* added = addEquationObject(std::move(equation));
    repaint();
    return added;
}

EquationObject* GraphManager::addEquationObject(std::unique_ptr<EquationObject> equation) {
    // A text-only object is framed by its label; anything else gets the plot
    // box of the view, a little inside the graph rectangle.
    if (!equation->isTextOnly()) {
        const RectF box = defaultPlotBox();
        equation->setPlotBox(box.left, box.right, box.top, box.bottom);
        equation->resample();
    }
    equations.push_back(std::move(equation));
    return equations.back().get();
}

void GraphManager::deleteSelected() {
    const int index = indexOf(selected);
    if (index >= 0) {
        forget(equations[index].get());
        equations.erase(equations.begin() + index);
    }
    selected = nullptr;
    notifySelection();
    repaint();
}

void GraphManager::deleteHit() {
    const int index = indexOf(hitEquation);
    if (index < 0) return;
    const bool wasSelected = selected == hitEquation;
    forget(equations[index].get());
    equations.erase(equations.begin() + index);
    if (wasSelected) notifySelection();
    repaint();
}

int GraphManager::undo() {
    if (equations.empty() && paintedDomains.empty()) return -1;  // nothing to undo
    undoTarget = equations.empty() ? nullptr : equations.back().get();
    if (!paintedDomains.empty()) {
        paintedDomains.pop_back();
        repaint();
        return 0;
    }
    if (!undoTarget->actionStack.empty()) {
        const int action = undoTarget->actionStack.back();
        undoTarget->actionStack.pop_back();
        int result = 0;
        switch (action) {
            case ACTION_ATTRIB_POINT_ADDED:
                if (!undoTarget->attribute_points.empty()) undoTarget->attribute_points.pop_back();
                break;
            case ACTION_MENSURATION_ENABLED: undoTarget->bEnableMensu = false; result = 1; break;
            case ACTION_EXTREME_POINTS_SHOWN: undoTarget->bDrawExtremePoints = false; result = 2; break;
            case ACTION_DISPLAY_TEXT_SHOWN: undoTarget->displayText = false; result = 3; break;
            default: break;
        }
        repaint();
        return result;
    }
    forget(undoTarget);
    equations.pop_back();
    selected = nullptr;
    repaint();
    return -1;
}

// The first equation whose curve passes the point moves to the end of the list (drawn on top).
EquationObject* GraphManager::equationAt(PointF g) {
    for (size_t i = 0; i < equations.size(); ++i) {
        if (!equations[i]->passesNear(g, viewport.scale)) continue;
        auto owned = std::move(equations[i]);
        equations.erase(equations.begin() + i);
        equations.push_back(std::move(owned));
        return equations.back().get();
    }
    return nullptr;
}

HitCode GraphManager::hitTest(PointF g) {
    const Viewport& v = viewport;
    if (v.hitXArrow(g)) return HIT_X_ARROW;
    if (v.hitYArrow(g)) return HIT_Y_ARROW;
    const double d = v.scale * 0.2;
    if (selected && !selected->isTextOnly()) {
        const RectF& box = selected->plotBox;
        const bool nearTop = std::fabs(g.y - box.top) < d * v.yZoom, nearBottom = std::fabs(g.y - box.bottom) < d * v.yZoom;
        BoxHandle handle = BOX_NONE;
        if (std::fabs(g.x - box.left) < d * v.xZoom) handle = nearTop ? BOX_TOP_LEFT : nearBottom ? BOX_BOTTOM_LEFT : BOX_LEFT;
        else if (std::fabs(g.x - box.right) < d * v.xZoom) handle = nearTop ? BOX_TOP_RIGHT : nearBottom ? BOX_BOTTOM_RIGHT : BOX_RIGHT;
        else handle = nearTop ? BOX_TOP : nearBottom ? BOX_BOTTOM : BOX_NONE;
        if (handle != BOX_NONE) {
            boxHandle = handle;
            return HIT_BOX_HANDLE;
        }
    }
    for (auto& e : equations) {
        if (e->displayText && e->labelContains(g)) {
            hitEquation = e.get();
            if (e->isTextOnly()) select(e.get());
            return HIT_LABEL;
        }
    }
    for (auto& e : equations) {
        const int index = e->controlPointNear(g, v.scale);
        if (index < 0) continue;
        hitEquation = e.get();
        controlIndex = index;
        if (e.get() == selected) return HIT_CONTROL_POINT;
        break;
    }
    EquationObject* curve = equationAt(g);
    if (curve) hitEquation = curve;
    bool attrib = false;
    for (auto& e : equations) {
        for (size_t i = 0; i < e->attribute_points.size() && !attrib; ++i) {
            const AttribPoint& ap = e->attribute_points[i];
            if (std::fabs(ap.x - g.x) < d && std::fabs(ap.y - g.y) < d) {
                hitEquation = e.get();
                attribIndex = int(i);
                attrib = true;
            }
        }
        if (attrib) break;
    }
    if (attrib) return HIT_ATTRIB_POINT;
    return curve ? HIT_CURVE : HIT_NOTHING;
}
