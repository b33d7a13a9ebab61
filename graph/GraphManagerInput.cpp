// Pointer input of the graph: one handler per event, one branch per mode.
#include <algorithm>
#include <charconv>
#include <cmath>

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
    const PointF g = viewport.screenToGraph(px, py);
    moved = false;
    lastPoint = g;
    lastPixelX = px;
    lastPixelY = py;
    return g;
}

void GraphManager::mouseDown(int px, int py) {
    const PointF g = pressAt(px, py);
    pen.press(g);  // a stroke begins only in MODE_PEN_IDLE; otherwise it starts over empty
    switch (mode) {
        case MODE_IDLE:
            hitCode = hitTest(g);
            mode = MODE_LEFT_PRESSED;
            break;
        case MODE_MENSURATION_ARMED:
            if (selected) selected->mensuration.xmin = g.x;
            mode = MODE_MENSURATION_START;
            break;
        case MODE_PAINT: {
            const bool painted = std::any_of(paintedDomains.begin(), paintedDomains.end(), [&](const PaintedDomain& d) {
                return SameRegion(equations, d.seed, g);
            });
            if (!painted) paintedDomains.push_back(PaintedDomain{currentColour, g});
            break;
        }
        case MODE_PEN_IDLE: mode = MODE_PEN_STROKE; break;
        default: break;
    }
    repaint();
}

void GraphManager::mouseMove(int px, int py) {
    const PointF g = viewport.screenToGraph(px, py);
    if (listener_) listener_->statusText("x : " + Fixed5(g.x) + " y : " + Fixed5(g.y));
    if (px == lastPixelX && py == lastPixelY) return;
    moved = true;
    dragStep(g, g - lastPoint);
    if (mode == MODE_PANNING) viewport.panByPixels(px - lastPixelX, py - lastPixelY);
    lastPixelX = px;
    lastPixelY = py;
    lastPoint = g;
    if (mode != MODE_IDLE && mode != MODE_PEN_IDLE && mode != MODE_PAINT && mode != MODE_MENSURATION_ARMED) repaint();
}

// The first case that applies to this move, by mode and the hit at the button down.
void GraphManager::dragStep(PointF g, PointF delta) {
    const bool pressed = mode == MODE_LEFT_PRESSED;
    auto edited = [this](EquationObject* e) {
        if (!listener_) return;
        listener_->equationEdited(e);
        listener_->candidatesPending();
    };
    if (mode == MODE_PEN_STROKE) {
        pen.move(g, currentColour);
    } else if ((hitCode == HIT_NOTHING && mode == MODE_RIGHT_PRESSED) || mode == MODE_PANNING) {
        mode = MODE_PANNING;  // the pan itself follows, from the pixel motion
    } else if ((hitCode == HIT_CURVE && pressed) || mode == MODE_MOVING_CURVE) {
        if (hitEquation) {
            hitEquation->translate(delta.x, delta.y);
            for (EquationObject* line : hitEquation->tangentLines) line->translate(delta.x, delta.y);
            edited(hitEquation);
        }
        mode = MODE_MOVING_CURVE;
    } else if (mode == MODE_MENSURATION_START || mode == MODE_MENSURATION_DRAG) {
        if (selected) selected->mensuration.xmax = g.x;
        mode = MODE_MENSURATION_DRAG;
    } else if ((hitCode == HIT_LABEL && pressed) || mode == MODE_MOVING_LABEL) {
        if (hitEquation) hitEquation->moveLabel(delta.x, delta.y);
        mode = MODE_MOVING_LABEL;
    } else if ((hitCode == HIT_CONTROL_POINT && pressed) || mode == MODE_DRAGGING_CONTROL_POINT) {
        if (hitEquation) {
            hitEquation->dragControlPoint(controlIndex, delta.x, delta.y);
            edited(hitEquation);
        }
        mode = MODE_DRAGGING_CONTROL_POINT;
    } else if ((hitCode == HIT_ATTRIB_POINT && pressed) || mode == MODE_MOVING_ATTRIB_POINT) {
        if (hitEquation && attribIndex >= 0 && attribIndex < int(hitEquation->attribute_points.size())) {
            // An attribute point slides along its curve.
            AttribPoint& ap = hitEquation->attribute_points[attribIndex];
            const PointF on = hitEquation->pointNear(PointF(ap.x + delta.x, ap.y + delta.y));
            ap.setPosition(on.x, on.y);
        }
        mode = MODE_MOVING_ATTRIB_POINT;
    } else if ((hitCode == HIT_X_ARROW && pressed) || mode == MODE_ZOOM_X) {
        mode = MODE_ZOOM_X;
        viewport.dragXArrow(delta.x);
    } else if ((hitCode == HIT_Y_ARROW && pressed) || mode == MODE_ZOOM_Y) {
        mode = MODE_ZOOM_Y;
        viewport.dragYArrow(delta.y);
    } else if (hitCode == HIT_BOX_HANDLE || mode == MODE_RESIZING_BOX) {
        mode = MODE_RESIZING_BOX;
        resizeBox(delta);
    }
}

void GraphManager::resizeBox(PointF d) {
    if (!selected) return;
    RectF& box = selected->plotBox;
    const bool top = boxHandle == BOX_TOP || boxHandle == BOX_TOP_LEFT || boxHandle == BOX_TOP_RIGHT;
    const bool bottom = boxHandle == BOX_BOTTOM || boxHandle == BOX_BOTTOM_LEFT || boxHandle == BOX_BOTTOM_RIGHT;
    const bool left = boxHandle == BOX_LEFT || boxHandle == BOX_TOP_LEFT || boxHandle == BOX_BOTTOM_LEFT;
    const bool right = boxHandle == BOX_RIGHT || boxHandle == BOX_TOP_RIGHT || boxHandle == BOX_BOTTOM_RIGHT;
    if (top) box.top += d.y;
    if (bottom) box.bottom += d.y;
    if (left) box.left += d.x;
    if (right) box.right += d.x;
    // A wider box has more of the curve to show.
    if (left || right) selected->resample();
}

void GraphManager::mouseUp(int px, int py) {
    (void)px;
    (void)py;
    if (moved || mode != MODE_LEFT_PRESSED) {
        switch (mode) {
            case MODE_MOVING_CURVE:
            case MODE_MOVING_LABEL:
            case MODE_DRAGGING_CONTROL_POINT:
            case MODE_MOVING_ATTRIB_POINT:
            case MODE_ZOOM_X:
            case MODE_ZOOM_Y:
            case MODE_RESIZING_BOX:
            case MODE_LEFT_PRESSED: mode = MODE_IDLE; break;
            case MODE_MENSURATION_DRAG:
                mode = MODE_IDLE;
                if (selected) {
                    selected->bEnableMensu = true;
                    selected->actionStack.push_back(ACTION_MENSURATION_ENABLED);
                    notifySelection();
                }
                break;
            case MODE_PEN_STROKE:
                mode = MODE_PEN_IDLE;
                pen.release();
                break;
            default: break;
        }
    } else {
        if (hitCode == HIT_CURVE) select(hitEquation);
        else if (hitCode == HIT_NOTHING) select(nullptr);
        mode = MODE_IDLE;
    }
    hitCode = HIT_NONE;
    repaint();
}

void GraphManager::rightButtonDown(int px, int py) {
    const PointF g = pressAt(px, py);
    if (mode == MODE_IDLE) {
        hitCode = hitTest(g);
        mode = MODE_RIGHT_PRESSED;
        rightDownPoint = g;
    }
}

void GraphManager::rightButtonUp(int px, int py) {
    const PointF g = viewport.screenToGraph(px, py);
    if (mode == MODE_RIGHT_PRESSED) {
        hitCode = hitTest(g);
        auto popup = [&](const char* name, bool checked) {
            lastPopup = name;
            if (listener_) listener_->popupRequested(name, px, py, checked);
        };
        switch (hitCode) {
            case HIT_NOTHING:
                if (selected && (selected->expression->type == MathEx::PT_QUADRATIC ||
                                 selected->expression->type == MathEx::PT_CUBIC ||
                                 selected->expression->type == MathEx::PT_QUARTIC)) {
                    whiteSpacePoint = g;
                    popup("right click on white space", false);
                }
                break;
            case HIT_CURVE:
                pointOnCurve = hitEquation->pointNear(g);
                popup("right click on equation", hitEquation->displayText);
                break;
            case HIT_ATTRIB_POINT:
                pointOnCurve = hitEquation->pointNear(g);
                popup("right click on attribute point", false);
                break;
            case HIT_CONTROL_POINT:
                hitEquation->controlPoints[controlIndex].pinned = !hitEquation->controlPoints[controlIndex].pinned;
                break;
            default: break;
        }
    }
    if (mode != MODE_PAINT) mode = MODE_IDLE;
    repaint();
}

bool GraphManager::doubleClick() {
    if (mode == MODE_IDLE) {
        mode = MODE_PEN_IDLE;
        pen.enter();
        repaint();
        return false;
    }
    return finishGesture();
}

bool GraphManager::togglePenInput() {
    if (mode == MODE_PEN_IDLE) return finishGesture();
    mode = MODE_PEN_IDLE;
    pen.enter();
    repaint();
    return false;
}

void GraphManager::mouseWheel(int delta, int, int) {
    pen.discardStrokes();
    viewport.wheel(delta);
    repaint();
}
