// SPDX-License-Identifier: MIT
#include "graph/GraphManager.h"

#include "core/Translatable.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "graph/GraphLimits.h"
#include "graph/ExtremeLabels.h"
#include "graph/Intersections.h"
#include "mathex/ExpNode.h"
#include "mathex/MathExp.h"
#include "graph/LabelPlacement.h"
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
    equations_.clear();
    mode_ = MODE_IDLE;
    selected_ = hitEquation_ = undoTarget_ = nullptr;
    hitCode_ = HIT_NONE;
    showAxis_ = showGrid_ = true;
    currentColour_ = ColorF(0, 0, 0, 1);
    paintedDomains_.clear();
    intersections_.clear();
    viewport_.reset();
    pen_ = PenInput();
}

void GraphManager::setClientSize(int width, int height) {
    viewport_.width = width;
    viewport_.height = height;
    followView();
}

int GraphManager::indexOf(const EquationObject* equation) const {
    for (size_t i = 0; i < equations_.size(); ++i)
        if (equations_[i].get() == equation) return int(i);
    return -1;
}

void GraphManager::repaint() {
    if (showIntersections_) recomputeIntersections();
    if (listener_) listener_->repaintRequested();
}

void GraphManager::notifySelection() {
    if (listener_) listener_->selectionChanged(selected_);
}

void GraphManager::select(EquationObject* equation) {
    EquationObject* next = indexOf(equation) >= 0 ? equation : nullptr;
    if (next != selected_) selectedAttrib_ = -1;
    selected_ = next;
    notifySelection();
}

int GraphManager::selectedAttribPoint() const {
    if (!selected_ || selectedAttrib_ >= int(selected_->attribPoints().size())) return -1;
    return selectedAttrib_;
}

void GraphManager::deleteSelectedAttribPoint() {
    const int index = selectedAttribPoint();
    selectedAttrib_ = -1;
    if (index < 0) return;
    selected_->removeAttribPoint(index);
    repaint();
}

void GraphManager::deleteHitAttribPoint() {
    if (indexOf(hitEquation_) < 0 || attribIndex_ < 0 || attribIndex_ >= int(hitEquation_->attribPoints().size()))
        return;
    hitEquation_->removeAttribPoint(attribIndex_);
    if (hitEquation_ == selected_) selectedAttrib_ = -1;
    attribIndex_ = -1;
    repaint();
}

EquationObject* GraphManager::equation(int index) {
    return index >= 0 && index < int(equations_.size()) ? equations_[index].get() : nullptr;
}

void GraphManager::equationChanged(EquationObject* equation) {
    if (indexOf(equation) < 0) return;
    if (listener_) listener_->candidatesPending();
    repaint();
}

void GraphManager::addPaintedDomain(const PaintedDomain& domain) {
    if (paintedDomains_.size() >= size_t(kMaxPaintedDomains)) return;
    paintedDomains_.push_back(domain);
    repaint();
}

void GraphManager::setPopupTarget(EquationObject* curve, PointF pointOnCurve) {
    hitEquation_ = indexOf(curve) >= 0 ? curve : nullptr;
    pointOnCurve_ = pointOnCurve;
}

// References into the list must not outlive the equation.
void GraphManager::forget(const EquationObject* equation) {
    if (selected_ == equation) {
        selected_ = nullptr;
        selectedAttrib_ = -1;
    }
    if (hitEquation_ == equation) hitEquation_ = nullptr;
    if (undoTarget_ == equation) undoTarget_ = nullptr;
    for (auto& e : equations_) e->forgetTangentLine(equation);
}

RectF GraphManager::defaultPlotBox() const {
    const RectF& g = viewport_.graphRect;
    return RectF(0.9f * g.top, 0.9f * g.bottom, 0.9f * g.left, 0.9f * g.right);
}

namespace {

bool Covers(const RectF& box, const RectF& area) {
    return box.left <= area.left && box.right >= area.right && box.bottom <= area.bottom && box.top >= area.top;
}

}  // namespace

// Curves reach the edges of the view, as the grid does: the box is the view
// (so that its frame and handles stand at the window's edges when the curve
// is selected), and at the least the graph's own box. A view panned far from
// the graph's box gets a box of its own rather than one stretched over the
// distance between them, which would thin the samples.
RectF GraphManager::viewPlotBox() const {
    const RectF base = defaultPlotBox();
    const RectF view = viewport_.visibleRect();
    if (!(std::isfinite(view.left) && std::isfinite(view.right) && std::isfinite(view.bottom) &&
          std::isfinite(view.top)))
        return base;
    const RectF both(std::max(view.top, base.top), std::min(view.bottom, base.bottom), std::min(view.left, base.left),
                     std::max(view.right, base.right));
    const bool near = both.right - both.left <= 4 * (view.right - view.left) &&
                      both.top - both.bottom <= 4 * (view.top - view.bottom);
    return near ? both : view;
}

GraphManager::ViewBoxes GraphManager::viewBoxes() const {
    ViewBoxes boxes;
    for (const auto& e : equations_)
        if (!e->isTextOnly() && e->followsView()) boxes.emplace_back(e.get(), e->plotBox());
    return boxes;
}

void GraphManager::setViewBoxes(const ViewBoxes& boxes) {
    const RectF visible = viewport_.visibleRect();
    for (const auto& [curve, box] : boxes) {
        const int i = indexOf(curve);
        if (i < 0) continue;
        EquationObject& e = *equations_[size_t(i)];
        if (e.isTextOnly() || !e.followsView() || e.plotBox() == box || !Covers(box, visible)) continue;
        e.followView(box);
    }
}

void GraphManager::followView() {
    const RectF visible = viewport_.visibleRect();
    for (auto& e : equations_) {
        if (e->isTextOnly() || !e->followsView() || Covers(e->plotBox(), visible)) continue;
        e->followView(viewPlotBox());
    }
}

namespace {

bool MentionsXOrY(const MathEx::ExpNode* root) {
    // Iterative: a tree may be as deep as the longest equation allows.
    std::vector<const MathEx::ExpNode*> todo{root};
    while (!todo.empty()) {
        const MathEx::ExpNode* node = todo.back();
        todo.pop_back();
        if (!node) continue;
        if (node->Type() == MathEx::TT_IDENT && node->ChildCount() == 0 && (node->Name() == "x" || node->Name() == "y"))
            return true;
        for (int i = 0; i < node->ChildCount(); ++i) todo.push_back(node->Child(i));
    }
    return false;
}

// An implicit conic whose ellipse has a negative square on the right
// (x² + y² = −4): the real plane holds none of its points.
bool ImaginaryEllipse(const double c[6]) {
    const double A = c[0], B = c[1], C = c[2], D = c[3], E = c[4], F = c[5];
    const double det = 4 * A * C - B * B;
    if (!(det > 0)) return false;
    const double h = (B * E - 2 * C * D) / det, k = (B * D - 2 * A * E) / det;  // the centre
    const double atCentre = F + (D * h + E * k) / 2;
    return std::isfinite(atCentre) && A * atCentre > 0;
}

// y = f(x) with no finite value anywhere from −10⁶ to 10⁶ (sqrt(−1 − x²)).
bool NowhereDefined(const MathEx::MathExp& e) {
    for (double magnitude = 1e-3; magnitude <= 1e6; magnitude *= 1.25)
        for (double x : {magnitude, -magnitude})
            if (std::isfinite(e.Evaluate(x))) return false;
    return !std::isfinite(e.Evaluate(0));
}

// Why a typed equation that reads gives nothing to draw ("" when it does).
// A constant ("5") is a label, as it has always been.
std::string NothingToDraw(const EquationObject& equation) {
    const MathEx::MathExp& e = *equation.expression();
    if (e.form == MathEx::FORM_NONE && !MentionsXOrY(e.GetRoot())) return KVR_TRANSLATE_NOOP("Reason", "no x or y to plot");
    if (e.form == MathEx::FORM_IMPLICIT && ImaginaryEllipse(e.conic)) return KVR_TRANSLATE_NOOP("Reason", "no real points");
    if (e.form == MathEx::FORM_EXPLICIT && equation.pieces().empty() && NowhereDefined(e)) return KVR_TRANSLATE_NOOP("Reason", "no real points");
    return "";
}

}  // namespace

EquationObject* GraphManager::addEquationFromText(const std::string& text, std::string* why) {
    auto equation = std::make_unique<EquationObject>();
    if (!equation->setEquation(text)) {
        DebugOut("failure\n" + text + "\n");
        if (why) why->clear();  // the parser says why: MathExp::LastError
        repaint();
        return nullptr;
    }
    std::string problem = NothingToDraw(*equation);
    if (problem.empty()) problem = roomFor(*equation);
    if (!problem.empty()) {
        if (why) *why = std::move(problem);
        return nullptr;
    }
    DebugOut("Success\n" + text + "\n");
    equation->setColour(currentColour_);
    EquationObject* added = addNewCurve(std::move(equation));
    repaint();
    return added;
}

EquationObject* GraphManager::addEquationObject(std::unique_ptr<EquationObject> equation) {
    // A text-only object is framed by its label; anything else is drawn over
    // the whole view, and follows it.
    if (!equation->isTextOnly()) equation->followView(viewPlotBox());
    equations_.push_back(std::move(equation));
    return equations_.back().get();
}

long GraphManager::equationWork() const {
    long work = 0;
    for (const auto& e : equations_) work += EquationWork(*e->expression());
    return work;
}

std::string GraphManager::roomFor(const EquationObject& equation) const {
    // The number is written out so that the sentence can be looked up in a translation.
    static_assert(kMaxEquations == 1000, "the first message below names the limit");
    if (equationCount() >= kMaxEquations)
        return KVR_TRANSLATE_NOOP("Reason", "the graph has 1000 equations, as many as a lesson can keep");
    if (equation.expression()->ToExactText().size() > size_t(kMaxEquationTextLength))
        return KVR_TRANSLATE_NOOP("Reason", "the equation is longer than a lesson can keep");
    if (equationWork() + EquationWork(*equation.expression()) > kMaxEquationWork)
        return KVR_TRANSLATE_NOOP("Reason", "the equations would be too large to plot");
    return "";
}

EquationObject* GraphManager::addNewCurve(std::unique_ptr<EquationObject> equation) {
    EquationObject* added = addEquationObject(std::move(equation));
    if (!added->isTextOnly()) placeLabel(*added);
    return added;
}

namespace {

// Where a label covers now: the size it was last drawn at, where it stands
// (a moved curve may have taken it along since), or the size expected before
// its first frame.
RectF CurrentLabelBox(const EquationObject& e, const Viewport& view) {
    const PointF at = e.labelPosition();
    const RectF drawn = e.labelBox();
    if (!(drawn.top > drawn.bottom)) return EstimatedLabelBox(at, LabelCharacters(e.text()), view);
    return RectF(at.y + (drawn.top - drawn.bottom), at.y, at.x, at.x + (drawn.right - drawn.left));
}

}  // namespace

void GraphManager::placeLabel(EquationObject& equation) {
    // Beside its own curve, clear of the other labels.
    std::vector<RectF> taken;
    std::vector<const EquationObject*> curves;
    for (const auto& e : equations_) {
        curves.push_back(e.get());
        if (e.get() != &equation) taken.push_back(CurrentLabelBox(*e, viewport_));
    }
    equation.setLabelPosition(ChooseLabelPosition(equation, viewport_, taken, curves));
}

bool GraphManager::keepLabelNear(EquationObject& equation) {
    if (equation.isTextOnly() || equation.labelPinned() || !equation.displayText() || indexOf(&equation) < 0)
        return false;
    if (!LabelAstray(equation, CurrentLabelBox(equation, viewport_), viewport_)) return false;
    placeLabel(equation);
    ++labelsFollowed_;
    return true;
}

int GraphManager::keepLabelsNear() {
    int moved = 0;
    for (const auto& e : equations_) moved += keepLabelNear(*e) ? 1 : 0;
    if (moved) repaint();
    return moved;
}

void GraphManager::removeAt(int index) {
    forget(equations_[index].get());
    equations_.erase(equations_.begin() + index);
}

void GraphManager::deleteSelected() {
    const int index = indexOf(selected_);
    if (index >= 0) removeAt(index);
    selected_ = nullptr;
    notifySelection();
    repaint();
}

void GraphManager::deleteHit() {
    const int index = indexOf(hitEquation_);
    if (index < 0) return;
    const bool wasSelected = selected_ == hitEquation_;
    removeAt(index);
    if (wasSelected) notifySelection();
    repaint();
}

int GraphManager::undo() {
    if (equations_.empty() && paintedDomains_.empty()) return -1;  // nothing to undo
    undoTarget_ = equations_.empty() ? nullptr : equations_.back().get();
    if (!paintedDomains_.empty()) {
        paintedDomains_.pop_back();
        repaint();
        return 0;
    }
    if (!undoTarget_->actions().empty()) {
        int result = 0;
        switch (undoTarget_->popAction()) {
            case ACTION_ATTRIB_POINT_ADDED: undoTarget_->removeLastAttribPoint(); break;
            case ACTION_MENSURATION_ENABLED: undoTarget_->setMensurationEnabled(false); result = 1; break;
            case ACTION_EXTREME_POINTS_SHOWN: undoTarget_->setExtremePointsShown(false); result = 2; break;
            case ACTION_DISPLAY_TEXT_SHOWN: undoTarget_->setDisplayText(false); result = 3; break;
            default: break;
        }
        repaint();
        return result;
    }
    // The selection stays unless it is the equation that goes.
    const bool wasSelected = selected_ == undoTarget_;
    removeAt(int(equations_.size()) - 1);
    if (wasSelected) notifySelection();
    repaint();
    return -1;
}

// The first equation whose curve passes the point moves to the end of the list (drawn on top).
EquationObject* GraphManager::equationAt(PointF g, const PickTolerance& tolerance) {
    for (size_t i = 0; i < equations_.size(); ++i) {
        if (!CurvePassesNear(*equations_[i], g, tolerance)) continue;
        auto owned = std::move(equations_[i]);
        equations_.erase(equations_.begin() + i);
        equations_.push_back(std::move(owned));
        return equations_.back().get();
    }
    return nullptr;
}

// Every tolerance is the same few pixels, converted at the current scale and
// zoom, so that what is easy to pick stays easy at any magnification.
HitCode GraphManager::hitTest(PointF g) {
    const Viewport& v = viewport_;
    if (v.hitXArrow(g)) return HIT_X_ARROW;
    if (v.hitYArrow(g)) return HIT_Y_ARROW;
    const PickTolerance t = v.pickTolerance(pickTolerancePixels());
    if (selected_ && !selected_->isTextOnly()) {
        const RectF& box = selected_->plotBox();
        const bool nearTop = std::fabs(g.y - box.top) < t.y, nearBottom = std::fabs(g.y - box.bottom) < t.y;
        BoxHandle handle = BOX_NONE;
        if (std::fabs(g.x - box.left) < t.x) handle = nearTop ? BOX_TOP_LEFT : nearBottom ? BOX_BOTTOM_LEFT : BOX_LEFT;
        else if (std::fabs(g.x - box.right) < t.x) handle = nearTop ? BOX_TOP_RIGHT : nearBottom ? BOX_BOTTOM_RIGHT : BOX_RIGHT;
        else handle = nearTop ? BOX_TOP : nearBottom ? BOX_BOTTOM : BOX_NONE;
        if (handle != BOX_NONE) {
            boxHandle_ = handle;
            return HIT_BOX_HANDLE;
        }
    }
    for (auto& e : equations_) {
        if (e->displayText() && LabelNear(*e, g, t)) {
            hitEquation_ = e.get();
            if (e->isTextOnly()) select(e.get());
            return HIT_LABEL;
        }
    }
    // Only the selected curve shows its control points, so only its points
    // are picked, even where another curve's point lies on the same spot (a
    // copy of the curve, or a conic centred where another's point is).
    if (selected_) {
        if (const int index = NearestControlPoint(*selected_, g, t); index >= 0) {
            hitEquation_ = selected_;
            controlIndex_ = index;
            return HIT_CONTROL_POINT;
        }
    }
    EquationObject* curve = equationAt(g, t);
    if (curve) hitEquation_ = curve;
    bool attrib = false;
    for (auto& e : equations_) {
        for (size_t i = 0; i < e->attribPoints().size() && !attrib; ++i) {
            if (t.near(e->attribPoints()[i].position, g)) {
                hitEquation_ = e.get();
                attribIndex_ = int(i);
                attrib = true;
            }
        }
        if (attrib) break;
    }
    if (attrib) return HIT_ATTRIB_POINT;
    return curve ? HIT_CURVE : HIT_NOTHING;
}

std::vector<RectF> GraphManager::captionBoxes(Painter& painter) const {
    std::vector<RectF> boxes;
    if (!showAxis_) return boxes;  // no numbers nor origin mark to keep clear
    for (const auto& e : equations_) {
        for (const AttribPoint& ap : e->attribPoints())
            for (const RectF& box : ap.valueLabelBoxes(painter)) boxes.push_back(box);
        if (e->mensurationEnabled())
            for (const Mensuration::Label& label : e->mensuration().labels(painter, *e))
                boxes.push_back(label.box);
        if (e->extremePointsShown() && e->expression() && !e->isTextOnly())
            for (const ExtremeLabel& label : PlaceExtremeLabels(*e->expression(), painter))
                boxes.push_back(label.box());
    }
    return boxes;
}

GraphState GraphManager::snapshot() const {
    GraphState state;
    state.equations.reserve(equations_.size());
    for (const auto& e : equations_) {
        state.equations.push_back(*e);
        std::vector<int> lines;
        for (const EquationObject* line : e->tangentLines()) lines.push_back(indexOf(line));
        state.tangentLines.push_back(std::move(lines));
    }
    state.selected = indexOf(selected_);
    state.paintedDomains = paintedDomains_;
    state.showGrid = showGrid_;
    state.showAxis = showAxis_;
    state.showIntersections = showIntersections_;
    state.currentColour = currentColour_;
    state.viewport = viewport_;
    return state;
}

void GraphManager::restore(const GraphState& state) {
    equations_.clear();
    for (const EquationObject& e : state.equations) equations_.push_back(std::make_unique<EquationObject>(e));
    const int count = int(equations_.size());
    for (int i = 0; i < count && i < int(state.tangentLines.size()); ++i)
        for (int line : state.tangentLines[i])
            if (line >= 0 && line < count && line != i) equations_[i]->addTangentLine(equations_[line].get());
    selected_ = state.selected >= 0 && state.selected < count ? equations_[state.selected].get() : nullptr;
    selectedAttrib_ = -1;
    hitEquation_ = undoTarget_ = savedSelection_ = nullptr;
    savedDisplayText_.clear();
    hitCode_ = HIT_NONE;
    mode_ = MODE_IDLE;
    controlIndex_ = attribIndex_ = -1;
    pen_ = PenInput();
    paintedDomains_ = state.paintedDomains;
    showGrid_ = state.showGrid;
    showAxis_ = state.showAxis;
    showIntersections_ = state.showIntersections;
    if (!showIntersections_) intersections_.clear();
    currentColour_ = state.currentColour;
    const int width = viewport_.width, height = viewport_.height;
    viewport_ = state.viewport;
    viewport_.width = width;
    viewport_.height = height;
    followView();
    notifySelection();
    repaint();
}
