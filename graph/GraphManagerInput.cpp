// SPDX-License-Identifier: MIT
// Pointer input of the graph: one handler per event, one branch per mode.
#include <algorithm>
#include <charconv>
#include <cmath>

#include "graph/GraphManager.h"
#include "graph/GraphLimits.h"
#include "mathex/CurveKind.h"

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
    switch (mode_) {
        case MODE_IDLE:
            hitCode_ = hitTest(g);
            mode_ = MODE_LEFT_PRESSED;
            break;
        case MODE_MENSURATION_ARMED:
            if (selected_) selected_->setMensurationStart(g.x);
            mode_ = MODE_MENSURATION_START;
            break;
        case MODE_PAINT: {
            const bool painted = std::any_of(paintedDomains_.begin(), paintedDomains_.end(), [&](const PaintedDomain& d) {
                return SameRegion(equations_, d.seed, g);
            });
            if (!painted && paintedDomains_.size() < size_t(kMaxPaintedDomains))
                paintedDomains_.push_back(PaintedDomain{currentColour_, g});
            break;
        }
        case MODE_PEN_IDLE: mode_ = MODE_PEN_STROKE; break;
        default: break;
    }
    repaint();
}

void GraphManager::mouseMove(int px, int py) {
    const PointF g = viewport_.screenToGraph(px, py);
    if (listener_) listener_->statusText("x : " + Fixed5(g.x) + " y : " + Fixed5(g.y));
    if (px == lastPixelX_ && py == lastPixelY_) return;
    moved_ = true;
    dragStep(g, g - lastPoint_);
    if (mode_ == MODE_PANNING) {
        viewport_.panByPixels(px - lastPixelX_, py - lastPixelY_);
        followView();
    }
    lastPixelX_ = px;
    lastPixelY_ = py;
    lastPoint_ = g;
    if (mode_ != MODE_IDLE && mode_ != MODE_PEN_IDLE && mode_ != MODE_PAINT && mode_ != MODE_MENSURATION_ARMED) repaint();
}

// The first case that applies to this move, by mode and the hit at the button down.
void GraphManager::dragStep(PointF g, PointF delta) {
    const bool pressed = mode_ == MODE_LEFT_PRESSED;
    auto edited = [this](EquationObject* e) {
        if (!listener_) return;
        listener_->equationEdited(e);
        listener_->candidatesPending();
    };
    if (mode_ == MODE_PEN_STROKE) {
        pen_.move(g, currentColour_);
    } else if ((hitCode_ == HIT_NOTHING && mode_ == MODE_RIGHT_PRESSED) || mode_ == MODE_PANNING) {
        mode_ = MODE_PANNING;  // the pan itself follows, from the pixel motion
    } else if ((hitCode_ == HIT_CURVE && pressed) || mode_ == MODE_MOVING_CURVE) {
        if (hitEquation_) {
            hitEquation_->translate(delta.x, delta.y);
            for (EquationObject* line : hitEquation_->tangentLines()) line->translate(delta.x, delta.y);
            edited(hitEquation_);
        }
        mode_ = MODE_MOVING_CURVE;
    } else if (mode_ == MODE_MENSURATION_START || mode_ == MODE_MENSURATION_DRAG) {
        if (selected_) selected_->setMensurationEnd(g.x);
        mode_ = MODE_MENSURATION_DRAG;
    } else if ((hitCode_ == HIT_LABEL && pressed) || mode_ == MODE_MOVING_LABEL) {
        if (hitEquation_) hitEquation_->moveLabel(delta.x, delta.y);
        mode_ = MODE_MOVING_LABEL;
    } else if ((hitCode_ == HIT_CONTROL_POINT && pressed) || mode_ == MODE_DRAGGING_CONTROL_POINT) {
        if (hitEquation_) {
            hitEquation_->dragControlPoint(controlIndex_, delta.x, delta.y);
            edited(hitEquation_);
        }
        mode_ = MODE_DRAGGING_CONTROL_POINT;
    } else if ((hitCode_ == HIT_ATTRIB_POINT && pressed) || mode_ == MODE_MOVING_ATTRIB_POINT) {
        if (hitEquation_ && attribIndex_ >= 0 && attribIndex_ < int(hitEquation_->attribPoints().size())) {
            // An attribute point slides along its curve.
            const AttribPoint& ap = hitEquation_->attribPoints()[attribIndex_];
            hitEquation_->slideAttribPoint(attribIndex_, PointF(ap.position.x + delta.x, ap.position.y + delta.y));
        }
        mode_ = MODE_MOVING_ATTRIB_POINT;
    } else if ((hitCode_ == HIT_X_ARROW && pressed) || mode_ == MODE_ZOOM_X) {
        mode_ = MODE_ZOOM_X;
        viewport_.dragXArrow(delta.x);
        followView();  // the view now shows more or less of the graph
    } else if ((hitCode_ == HIT_Y_ARROW && pressed) || mode_ == MODE_ZOOM_Y) {
        mode_ = MODE_ZOOM_Y;
        viewport_.dragYArrow(delta.y);
        followView();  // the view now shows more or less of the graph
    } else if (hitCode_ == HIT_BOX_HANDLE || mode_ == MODE_RESIZING_BOX) {
        mode_ = MODE_RESIZING_BOX;
        resizeBox(delta);
    }
}

void GraphManager::resizeBox(PointF d) {
    if (!selected_) return;
    RectF box = selected_->plotBox();
    const bool top = boxHandle_ == BOX_TOP || boxHandle_ == BOX_TOP_LEFT || boxHandle_ == BOX_TOP_RIGHT;
    const bool bottom = boxHandle_ == BOX_BOTTOM || boxHandle_ == BOX_BOTTOM_LEFT || boxHandle_ == BOX_BOTTOM_RIGHT;
    const bool left = boxHandle_ == BOX_LEFT || boxHandle_ == BOX_TOP_LEFT || boxHandle_ == BOX_BOTTOM_LEFT;
    const bool right = boxHandle_ == BOX_RIGHT || boxHandle_ == BOX_TOP_RIGHT || boxHandle_ == BOX_BOTTOM_RIGHT;
    if (top) box.top += d.y;
    if (bottom) box.bottom += d.y;
    if (left) box.left += d.x;
    if (right) box.right += d.x;
    selected_->setPlotBox(box);  // a larger box has more of the curve to show; the teacher's own
}

void GraphManager::mouseUp(int px, int py) {
    (void)px;
    (void)py;
    if (moved_ || mode_ != MODE_LEFT_PRESSED) {
        switch (mode_) {
            // A reshaped or re-boxed curve may have left its label behind; a
            // moved one took it along. A zoom may have left any label out of view.
            case MODE_DRAGGING_CONTROL_POINT:
            case MODE_RESIZING_BOX:
                if (hitEquation_ && mode_ == MODE_DRAGGING_CONTROL_POINT) keepLabelNear(*hitEquation_);
                if (selected_ && mode_ == MODE_RESIZING_BOX) keepLabelNear(*selected_);
                mode_ = MODE_IDLE;
                break;
            case MODE_ZOOM_X:
            case MODE_ZOOM_Y:
                keepLabelsNear();
                mode_ = MODE_IDLE;
                break;
            case MODE_MOVING_CURVE:
            case MODE_MOVING_LABEL:
            case MODE_MOVING_ATTRIB_POINT:
            case MODE_LEFT_PRESSED: mode_ = MODE_IDLE; break;
            case MODE_MENSURATION_DRAG:
                mode_ = MODE_IDLE;
                if (selected_) {
                    selected_->setMensurationEnabled(true);
                    selected_->pushAction(ACTION_MENSURATION_ENABLED);
                    notifySelection();
                }
                break;
            case MODE_PEN_STROKE:
                mode_ = MODE_PEN_IDLE;
                pen_.release();
                break;
            default: break;
        }
    } else {
        if (hitCode_ == HIT_CURVE) {
            select(hitEquation_);
        } else if (hitCode_ == HIT_ATTRIB_POINT && hitEquation_) {
            select(hitEquation_);
            selectedAttrib_ = attribIndex_;
        } else if (hitCode_ == HIT_NOTHING) {
            select(nullptr);
        }
        mode_ = MODE_IDLE;
    }
    hitCode_ = HIT_NONE;
    repaint();
}

void GraphManager::rightButtonDown(int px, int py) {
    const PointF g = pressAt(px, py);
    if (mode_ == MODE_IDLE) {
        hitCode_ = hitTest(g);
        mode_ = MODE_RIGHT_PRESSED;
        rightDownPoint_ = g;
    }
}

void GraphManager::rightButtonUp(int px, int py) {
    const PointF g = viewport_.screenToGraph(px, py);
    if (mode_ == MODE_RIGHT_PRESSED) {
        hitCode_ = hitTest(g);
        auto popup = [&](const char* name, bool checked) {
            lastPopup_ = name;
            if (listener_) listener_->popupRequested(name, px, py, checked);
        };
        switch (hitCode_) {
            case HIT_NOTHING:
                // Tangents from a point are drawn to quadratics, cubics and quartics.
                if (selected_ && selected_->expression()->kind().degree() >= 2) {
                    whiteSpacePoint_ = g;
                    popup("right click on white space", false);
                }
                break;
            case HIT_CURVE:
                pointOnCurve_ = hitEquation_->pointNear(g);
                popup("right click on equation", hitEquation_->displayText());
                break;
            case HIT_ATTRIB_POINT:
                pointOnCurve_ = hitEquation_->pointNear(g);
                popup("right click on attribute point", false);
                break;
            case HIT_CONTROL_POINT:
                hitEquation_->toggleControlPointPin(controlIndex_);
                break;
            default: break;
        }
    }
    if (mode_ == MODE_PANNING) keepLabelsNear();  // the labels panned out of view come back beside their curves
    if (mode_ != MODE_PAINT) mode_ = MODE_IDLE;
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
