// SPDX-License-Identifier: MIT
// The graph's pointer gestures, a class each. A mode that hands a gesture on
// to another sets the graph's mode number and lets the new mode take the event.
#include <algorithm>

#include "graph/GraphLimits.h"
#include "graph/GraphManager.h"
#include "mathex/CurveKind.h"

struct GraphManager::Modes {
    // What every mode does unless it says otherwise.
    struct Base : PointerMode {
        using PointerMode::PointerMode;
        // Every mode is a Base, whose handlers the modes may call on each other.
        static const Base& enter(GraphManager& gm, InputMode mode) {
            gm.mode_ = mode;
            return static_cast<const Base&>(modeOf(mode));
        }
        // A plot box handle the press hit follows the pointer while the
        // button is held (a hover, with no button down, edits nothing).
        static void dragBox(GraphManager& gm, const PointerStep& step) {
            if (gm.hitCode_ == HIT_BOX_HANDLE) enter(gm, MODE_RESIZING_BOX).move(gm, step);
        }
        // A right button coming up ends any gesture.
        void rightRelease(GraphManager& gm, PointF, int, int) const override { gm.mode_ = MODE_IDLE; }
        // A curve edited by a drag: the window updates its panels and the library's candidates.
        static void edited(GraphManager& gm, EquationObject* e) {
            if (!gm.listener_) return;
            gm.listener_->equationEdited(e);
            gm.listener_->candidatesPending();
        }
    };

    // Waits for a press, which picks what is under the pointer.
    struct Idle final : Base {
        Idle() : Base(MODE_IDLE, kEditGraph, false, true) {}
        void press(GraphManager& gm, PointF at) const override {
            gm.hitCode_ = gm.hitTest(at);
            gm.mode_ = MODE_LEFT_PRESSED;
        }
        void rightPress(GraphManager& gm, PointF at) const override {
            gm.hitCode_ = gm.hitTest(at);
            gm.mode_ = MODE_RIGHT_PRESSED;
            gm.rightDownPoint_ = at;
        }
    };

    // The left button is down on what the press hit: a move drags it, a
    // release where it went down is a click that selects it.
    struct LeftPressed final : Base {
        LeftPressed() : Base(MODE_LEFT_PRESSED) {}
        void move(GraphManager& gm, const PointerStep& step) const override {
            InputMode drag = MODE_LEFT_PRESSED;
            switch (gm.hitCode_) {
                case HIT_CURVE: drag = MODE_MOVING_CURVE; break;
                case HIT_LABEL: drag = MODE_MOVING_LABEL; break;
                case HIT_CONTROL_POINT: drag = MODE_DRAGGING_CONTROL_POINT; break;
                case HIT_ATTRIB_POINT: drag = MODE_MOVING_ATTRIB_POINT; break;
                case HIT_X_ARROW: drag = MODE_ZOOM_X; break;
                case HIT_Y_ARROW: drag = MODE_ZOOM_Y; break;
                default: return dragBox(gm, step);
            }
            enter(gm, drag).move(gm, step);
        }
        void release(GraphManager& gm) const override {
            if (!gm.moved_) {
                if (gm.hitCode_ == HIT_CURVE) {
                    gm.select(gm.hitEquation_);
                } else if (gm.hitCode_ == HIT_ATTRIB_POINT && gm.hitEquation_) {
                    gm.select(gm.hitEquation_);
                    gm.selectedAttrib_ = gm.attribIndex_;
                } else if (gm.hitCode_ == HIT_NOTHING) {
                    gm.select(nullptr);
                }
            }
            gm.mode_ = MODE_IDLE;
        }
    };

    // The right button is down: a move over white space pans, a release
    // asks for the popup of what lies under the pointer.
    struct RightPressed final : Base {
        RightPressed() : Base(MODE_RIGHT_PRESSED) {}
        void move(GraphManager& gm, const PointerStep& step) const override {
            if (gm.hitCode_ == HIT_NOTHING) return enter(gm, MODE_PANNING).move(gm, step);
            dragBox(gm, step);
        }
        void rightRelease(GraphManager& gm, PointF at, int px, int py) const override {
            gm.hitCode_ = gm.hitTest(at);
            auto popup = [&](const char* name, bool checked) {
                gm.lastPopup_ = name;
                if (gm.listener_) gm.listener_->popupRequested(name, px, py, checked);
            };
            EquationObject* hit = gm.hitEquation_;
            switch (gm.hitCode_) {
                case HIT_NOTHING:
                    // Tangents from a point are drawn to quadratics, cubics and quartics.
                    if (gm.selected_ && gm.selected_->expression()->kind().degree() >= 2) {
                        gm.whiteSpacePoint_ = at;
                        popup("right click on white space", false);
                    }
                    break;
                case HIT_CURVE:
                    gm.pointOnCurve_ = hit->pointNear(at);
                    popup("right click on equation", hit->displayText());
                    break;
                case HIT_ATTRIB_POINT:
                    gm.pointOnCurve_ = hit->pointNear(at);
                    popup("right click on attribute point", false);
                    break;
                case HIT_CONTROL_POINT: hit->toggleControlPointPin(gm.controlIndex_); break;
                default: break;
            }
            gm.mode_ = MODE_IDLE;
        }
    };

    // A right drag over white space moves the view.
    struct Panning final : Base {
        Panning() : Base(MODE_PANNING, KVR_TRANSLATE_NOOP("Gesture", "Move Labels")) {}
        void move(GraphManager& gm, const PointerStep& step) const override {
            gm.viewport_.panByPixels(step.dxPixels, step.dyPixels);
            gm.followView();
        }
        void rightRelease(GraphManager& gm, PointF, int, int) const override {
            gm.keepLabelsNear();  // the labels panned out of view come back beside their curves
            gm.mode_ = MODE_IDLE;
        }
    };

    // A curve moves with its tangent lines (and its label, which goes along).
    struct MovingCurve final : Base {
        MovingCurve() : Base(MODE_MOVING_CURVE, KVR_TRANSLATE_NOOP("Gesture", "Move Curve"), true) {}
        void move(GraphManager& gm, const PointerStep& step) const override {
            EquationObject* e = gm.hitEquation_;
            if (!e) return;
            e->translate(step.delta.x, step.delta.y);
            for (EquationObject* line : e->tangentLines()) line->translate(step.delta.x, step.delta.y);
            edited(gm, e);
        }
        void release(GraphManager& gm) const override { gm.mode_ = MODE_IDLE; }
    };

    struct DraggingControlPoint final : Base {
        DraggingControlPoint() : Base(MODE_DRAGGING_CONTROL_POINT, KVR_TRANSLATE_NOOP("Gesture", "Reshape Curve"), true) {}
        void move(GraphManager& gm, const PointerStep& step) const override {
            if (!gm.hitEquation_) return;
            gm.hitEquation_->dragControlPoint(gm.controlIndex_, step.delta.x, step.delta.y);
            edited(gm, gm.hitEquation_);
        }
        // A reshaped curve may have left its label behind.
        void release(GraphManager& gm) const override {
            if (gm.hitEquation_) gm.keepLabelNear(*gm.hitEquation_);
            gm.mode_ = MODE_IDLE;
        }
    };

    struct MovingLabel final : Base {
        MovingLabel() : Base(MODE_MOVING_LABEL, KVR_TRANSLATE_NOOP("Gesture", "Move Label"), true) {}
        void move(GraphManager& gm, const PointerStep& step) const override {
            if (gm.hitEquation_) gm.hitEquation_->moveLabel(step.delta.x, step.delta.y);
        }
        void release(GraphManager& gm) const override { gm.mode_ = MODE_IDLE; }
    };

    // An attribute point slides along its curve.
    struct MovingAttribPoint final : Base {
        MovingAttribPoint() : Base(MODE_MOVING_ATTRIB_POINT, KVR_TRANSLATE_NOOP("Gesture", "Move Attribute Point"), true) {}
        void move(GraphManager& gm, const PointerStep& step) const override {
            EquationObject* e = gm.hitEquation_;
            if (!e || gm.attribIndex_ < 0 || gm.attribIndex_ >= int(e->attribPoints().size())) return;
            const PointF at = e->attribPoints()[gm.attribIndex_].position;
            e->slideAttribPoint(gm.attribIndex_, PointF(at.x + step.delta.x, at.y + step.delta.y));
        }
        void release(GraphManager& gm) const override { gm.mode_ = MODE_IDLE; }
    };

    // The selected curve's plot box follows the handle the press hit.
    struct ResizingBox final : Base {
        ResizingBox() : Base(MODE_RESIZING_BOX, KVR_TRANSLATE_NOOP("Gesture", "Resize Plot Box"), true) {}
        void move(GraphManager& gm, const PointerStep& step) const override {
            if (!gm.selected_) return;
            const BoxHandle h = gm.boxHandle_;
            RectF box = gm.selected_->plotBox();
            if (h == BOX_TOP || h == BOX_TOP_LEFT || h == BOX_TOP_RIGHT) box.top += step.delta.y;
            if (h == BOX_BOTTOM || h == BOX_BOTTOM_LEFT || h == BOX_BOTTOM_RIGHT) box.bottom += step.delta.y;
            if (h == BOX_LEFT || h == BOX_TOP_LEFT || h == BOX_BOTTOM_LEFT) box.left += step.delta.x;
            if (h == BOX_RIGHT || h == BOX_TOP_RIGHT || h == BOX_BOTTOM_RIGHT) box.right += step.delta.x;
            gm.selected_->setPlotBox(box);  // a larger box has more of the curve to show; the teacher's own
        }
        // A re-boxed curve may have left its label behind.
        void release(GraphManager& gm) const override {
            if (gm.selected_) gm.keepLabelNear(*gm.selected_);
            gm.mode_ = MODE_IDLE;
        }
    };

    // Dragging an axis arrow stretches that axis.
    struct AxisZoom final : Base {
        explicit AxisZoom(InputMode number) : Base(number, KVR_TRANSLATE_NOOP("Gesture", "Zoom"), true) {}
        void move(GraphManager& gm, const PointerStep& step) const override {
            if (number() == MODE_ZOOM_X)
                gm.viewport_.dragXArrow(step.delta.x);
            else
                gm.viewport_.dragYArrow(step.delta.y);
            gm.followView();  // the view now shows more or less of the graph
        }
        // A zoom may have left any label out of view.
        void release(GraphManager& gm) const override {
            gm.keepLabelsNear();
            gm.mode_ = MODE_IDLE;
        }
    };

    static constexpr const char* kMensuration = KVR_TRANSLATE_NOOP("Gesture", "Mensuration By Part");
    // Mensuration by part: armed by the command, the press marks where the
    // interval starts and the drag (or a move and a second click) where it ends.
    struct MensurationArmed final : Base {
        MensurationArmed() : Base(MODE_MENSURATION_ARMED, kMensuration, false, true) {}
        void press(GraphManager& gm, PointF at) const override {
            if (gm.selected_) gm.selected_->setMensurationStart(at.x);
            gm.mode_ = MODE_MENSURATION_START;
        }
    };
    // The interval begins at the press: that is an edit already.
    struct MensurationDrag final : Base {
        explicit MensurationDrag(InputMode number) : Base(number, kMensuration, true) {}
        void move(GraphManager& gm, const PointerStep& step) const override {
            if (gm.selected_) gm.selected_->setMensurationEnd(step.at.x);
            gm.mode_ = MODE_MENSURATION_DRAG;
        }
        void release(GraphManager& gm) const override {
            if (number() != MODE_MENSURATION_DRAG) return;  // click, move, click: the second click ends it
            gm.mode_ = MODE_IDLE;
            if (!gm.selected_) return;
            gm.selected_->setMensurationEnabled(true);
            gm.selected_->pushAction(ACTION_MENSURATION_ENABLED);
            gm.notifySelection();
        }
    };

    // A press paints the region under the pointer, unless it is painted already.
    struct Paint final : Base {
        Paint() : Base(MODE_PAINT, KVR_TRANSLATE_NOOP("Gesture", "Paint Region"), false, true) {}
        void press(GraphManager& gm, PointF at) const override {
            const bool painted = std::any_of(gm.paintedDomains_.begin(), gm.paintedDomains_.end(),
                                             [&](const PaintedDomain& d) { return SameRegion(gm.equations_, d.seed, at); });
            if (!painted && gm.paintedDomains_.size() < size_t(kMaxPaintedDomains))
                gm.paintedDomains_.push_back(PaintedDomain{gm.currentColour_, at});
        }
        void rightRelease(GraphManager&, PointF, int, int) const override {}  // a right click does not leave painting
    };

    // Pen input: each press draws a stroke of the sketch until the sketch is finished.
    struct PenIdle final : Base {
        PenIdle() : Base(MODE_PEN_IDLE, kEditGraph, false, true) {}
        void press(GraphManager& gm, PointF) const override { gm.mode_ = MODE_PEN_STROKE; }
    };
    struct PenStroke final : Base {
        PenStroke() : Base(MODE_PEN_STROKE) {}
        void move(GraphManager& gm, const PointerStep& step) const override { gm.pen_.move(step.at, gm.currentColour_); }
        void release(GraphManager& gm) const override {
            gm.mode_ = MODE_PEN_IDLE;
            gm.pen_.release();
        }
    };
};

const PointerMode& GraphManager::modeOf(InputMode mode) {
    static const Modes::Idle idle;
    static const Modes::LeftPressed leftPressed;
    static const Modes::RightPressed rightPressed;
    static const Modes::Panning panning;
    static const Modes::MovingCurve movingCurve;
    static const Modes::DraggingControlPoint draggingControlPoint;
    static const Modes::MovingLabel movingLabel;
    static const Modes::MovingAttribPoint movingAttribPoint;
    static const Modes::ResizingBox resizingBox;
    static const Modes::AxisZoom zoomX{MODE_ZOOM_X}, zoomY{MODE_ZOOM_Y};
    static const Modes::MensurationArmed mensurationArmed;
    static const Modes::MensurationDrag mensurationStart{MODE_MENSURATION_START}, mensurationDrag{MODE_MENSURATION_DRAG};
    static const Modes::Paint paint;
    static const Modes::PenIdle penIdle;
    static const Modes::PenStroke penStroke;
    static const PointerMode* const all[] = {&idle, &leftPressed, &rightPressed, &panning, &movingCurve,
                                             &draggingControlPoint, &movingLabel, &movingAttribPoint, &resizingBox,
                                             &zoomX, &zoomY, &mensurationArmed, &mensurationStart, &mensurationDrag,
                                             &paint, &penIdle, &penStroke};
    for (const PointerMode* m : all)
        if (m->number() == mode) return *m;
    return idle;
}
