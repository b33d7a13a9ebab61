// SPDX-License-Identifier: MIT
#include "app/window/CKVRView.h"

#include <cmath>

#include <QtCore/QCoreApplication>
#include <QtGui/QCursor>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QPixmap>
#include <QtGui/QPointingDevice>
#include <QtGui/QWheelEvent>
#include <QtOpenGL/QOpenGLFramebufferObject>
#include <QtWidgets/QMenu>

#include "app/window/PaintCursor.h"
#include "app/window/Translations.h"
#include "render/GL.h"
#include "render/GlPainter.h"
#include "render/OutlineFont.h"
#include "render/GraphFrame.h"

namespace {

// Popup names the graph asks for.
const std::string kWhiteSpacePopup = "right click on white space";
const std::string kEquationPopup = "right click on equation";
const std::string kAttribPopup = "right click on attribute point";

}  // namespace

CKVRView::CKVRView(QWidget* parent)
    : QOpenGLWidget(parent), graph_(std::make_unique<GraphManager>())
{
    QSurfaceFormat format = QSurfaceFormat::defaultFormat();
    format.setSamples(4);  // smooth curves without relying on GL line smoothing alone
    format.setDepthBufferSize(16);
    setFormat(format);
    setMouseTracking(true);  // the status bar follows the pointer without a button held
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(100, 100);
    graph_->setListener(this);
    history_ = new EditHistory(*graph_, this);
    connect(history_, &EditHistory::restored, this, [this] {
        emit graphEdited();
        afterInput();
    });
    connect(history_, &EditHistory::cleared, this, [this] {
        gestureOpen_ = false;
        gestureName_ = PointerMode::kEditGraph;
    });
    buildMenus();
    updateCursor();
}

CKVRView::~CKVRView()
{
    // GL objects belong to the context: release them with it current.
    makeCurrent();
    surface_.reset();
    if (outlineFont_) outlineFont_->destroy();
    outlineFont_.reset();
    doneCurrent();
    graph_->setListener(nullptr);
}

void CKVRView::addGraphAction(QMenu* menu, const QString& text, std::function<void()> command)
{
    QAction* action = menu->addAction(text);
    connect(action, &QAction::triggered, this, [this, text, command] {
        QString name = text;
        history_->record(name.remove('&'), command);
        emit graphEdited();
        afterInput();
    });
}

void CKVRView::buildMenus()
{
    whiteSpaceMenu_ = new QMenu(this);
    whiteSpaceMenu_->setObjectName(QString::fromStdString(kWhiteSpacePopup));
    addGraphAction(whiteSpaceMenu_, tr("Tangent Line"), [this] { graph_->tangentFromPoint(); });

    equationMenu_ = new QMenu(this);
    equationMenu_->setObjectName(QString::fromStdString(kEquationPopup));
    addGraphAction(equationMenu_, tr("&Display Equation"), [this] { graph_->toggleDisplayEquation(); });
    displayEquationAction_ = equationMenu_->actions().back();
    displayEquationAction_->setCheckable(true);
    equationMenu_->addSeparator();
    addGraphAction(equationMenu_, tr("Attribute point"), [this] { graph_->addAttribPoint(PRESET_PLAIN); });
    addGraphAction(equationMenu_, tr("X Caption"), [this] { graph_->addAttribPoint(PRESET_X_CAPTION); });
    addGraphAction(equationMenu_, tr("Y Caption"), [this] { graph_->addAttribPoint(PRESET_Y_CAPTION); });
    addGraphAction(equationMenu_, tr("X, Y Caption"), [this] { graph_->addAttribPoint(PRESET_XY_CAPTION); });
    equationMenu_->addSeparator();
    addGraphAction(equationMenu_, tr("Tangent Line"), [this] { graph_->tangentOnCurve(); });
    equationMenu_->addSeparator();
    addGraphAction(equationMenu_, tr("Delete"), [this] { graph_->deleteHit(); });

    attribMenu_ = new QMenu(this);
    attribMenu_->setObjectName(QString::fromStdString(kAttribPopup));
    attribMenu_->addAction(tr("Options"), this, [this] { emit attribOptionsRequested(); });
    attribMenu_->addSeparator();
    addGraphAction(attribMenu_, tr("Delete"), [this] { graph_->deleteHitAttribPoint(); });
}

QMenu* CKVRView::popupMenu(const std::string& name) const
{
    if (name == kWhiteSpacePopup) return whiteSpaceMenu_;
    if (name == kEquationPopup) return equationMenu_;
    if (name == kAttribPopup) return attribMenu_;
    return nullptr;
}

bool CKVRView::enterEquation(const QString& text, QString* why)
{
    endGesture();
    history_->begin();
    std::string problem;
    const bool added = graph_->addEquationFromText(text.toStdString(), &problem) != nullptr;
    if (why) *why = TranslatedReason(problem);
    if (added) history_->markEdited();
    history_->end(tr("Enter Equation"));
    if (added) emit graphEdited();
    update();
    return added;
}

// ---- OpenGL ----

void CKVRView::initializeGL()
{
    glEnable(GL_DEPTH_TEST);
    glClearDepth(1.0);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_ALWAYS, 0.0f);
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_POINT_SMOOTH);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    // Polygon smoothing draws seams along shared triangle edges of filled
    // areas; multisampling already smooths their borders.
    glDisable(GL_POLYGON_SMOOTH);
    // Opaque white: the widget is composed into the window with its alpha, so a
    // clear alpha of 0 would let the window behind show through the graph.
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);

    surface_ = std::make_unique<GlPainter>();
    outlineFont_ = std::make_unique<OutlineFont>();
    outlineFont_->create(logicalDpiY());
}

void CKVRView::resizeGL(int w, int h)
{
    // Client size in device-independent pixels: pointer events come in the same units.
    graph_->setClientSize(w, h);
}

void CKVRView::paintGL()
{
    if (graph_->viewport().width != width() || graph_->viewport().height != height())
        graph_->setClientSize(width(), height());
    surface_->setMagnification(magnification_);
    DrawGraphFrame(*graph_, *surface_, devicePixelRatioF());
    emit framePainted();
}

void CKVRView::setMagnification(double factor)
{
    const double m = std::isfinite(factor) && factor > 0 ? factor : 1.0;
    if (m == magnification_) return;
    magnification_ = m;
    update();
}

QImage CKVRView::captureImage()
{
    // grabFramebuffer draws a fresh frame; multisampled buffers cannot be read in paintGL.
    QImage image = grabFramebuffer();
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage CKVRView::renderImage(double ratio)
{
    return renderUsualImage(size(), ratio);
}

QImage CKVRView::renderUsualImage(QSize logical, double ratio, const GraphManager::ViewBoxes& boxes)
{
    if (!surface_ || !(ratio > 0) || logical.isEmpty()) return {};
    const QSize size(int(std::lround(logical.width() * ratio)), int(std::lround(logical.height() * ratio)));
    if (size.isEmpty() || size.width() > 16384 || size.height() > 16384) return {};
    // The graph is laid out for the size asked for, and for the screen's again after.
    const int shownWidth = graph_->viewport().width, shownHeight = graph_->viewport().height;
    const bool resized = logical.width() != shownWidth || logical.height() != shownHeight;
    const GraphManager::ViewBoxes shownBoxes = boxes.empty() ? GraphManager::ViewBoxes() : graph_->viewBoxes();
    if (resized) graph_->setClientSize(logical.width(), logical.height());
    graph_->setViewBoxes(boxes);
    makeCurrent();
    QOpenGLFramebufferObjectFormat format;
    format.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
    format.setSamples(format.samples() > 0 ? format.samples() : 4);
    QImage image;
    {
        QOpenGLFramebufferObject target(size, format);
        if (target.isValid() && target.bind()) {
            surface_->setMagnification(1.0);
            DrawGraphFrame(*graph_, *surface_, ratio);
            target.release();
            image = target.toImage();  // resolves the samples, first row at the top
        }
    }
    doneCurrent();
    if (resized) graph_->setClientSize(shownWidth, shownHeight);
    graph_->setViewBoxes(shownBoxes);
    if (resized || !boxes.empty()) update();
    return image.isNull() ? image : image.convertToFormat(QImage::Format_RGB32);
}

QImage CKVRView::captureCleanImage(bool withLabels)
{
    const bool grid = graph_->showGrid();
    graph_->setShowGrid(false);
    graph_->saveFlagsForExport(withLabels);
    // The exported picture has the usual look, even while presenting.
    const double shown = magnification_;
    magnification_ = 1.0;
    QImage image = captureImage();
    magnification_ = shown;
    graph_->restoreFlagsAfterExport();
    graph_->setShowGrid(grid);
    update();
    return image;
}

// ---- pointer and keys ----

// A press opens an undo step and the release closes it; the step is kept
// when the gesture changed the graph (a drag of a curve, point, label or plot
// box, an axis arrow's zoom, a mensuration interval, a painted region, a
// pinned control point), not when it only selected, panned or zoomed the
// view. The graph's gesture says which: a move in a mode that edits is an
// edit, and the step takes that mode's name. Mensuration may also be marked by
// click, release, move, click: that gesture, still editing after the release,
// spans two presses and stays one step.

void CKVRView::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)
        return QOpenGLWidget::mousePressEvent(event);
    const QPointingDevice* device = event->pointingDevice();
    const bool pen = device && (device->type() == QInputDevice::DeviceType::Stylus ||
                                device->type() == QInputDevice::DeviceType::Airbrush);
    graph_->setPointerKind(pen ? PointerKind::Pen : PointerKind::Mouse);
    if (!gestureOpen_) {
        history_->begin();
        gestureOpen_ = true;
        gestureName_ = graph_->pointerMode().undoName();
        labelsAtPress_ = graph_->labelsFollowed();
    }
    if (event->button() == Qt::LeftButton) {
        const InputMode mode = graph_->mode();
        const size_t regions = graph_->paintedDomains().size();
        graph_->mouseDown(p.x(), p.y());
        if (graph_->paintedDomains().size() != regions) history_->markEdited();  // a click in a painted region adds none
        if (graph_->mode() != mode && graph_->pointerMode().edits()) {
            gestureName_ = graph_->pointerMode().undoName();
            history_->markEdited();  // the press began an edit (the mensuration's interval starts here)
        }
    } else {
        graph_->rightButtonDown(p.x(), p.y());
        if (graph_->hitCode() == HIT_CONTROL_POINT) history_->markEdited();  // the release pins it
    }
    afterInput();
}

void CKVRView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    graph_->mouseMove(p.x(), p.y());
    // A pointer passing over the graph with no button held only moves the
    // status text: no frame to draw (the graph asks for one if it needs it).
    const PointerMode& mode = graph_->pointerMode();
    if (event->buttons() == Qt::NoButton && mode.waits()) return updateCursor();
    if (gestureOpen_ && mode.edits()) {
        gestureName_ = mode.undoName();
        history_->markEdited();
    }
    afterInput();
}

void CKVRView::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    const PointerMode& released = graph_->pointerMode();
    if (event->button() == Qt::LeftButton)
        graph_->mouseUp(p.x(), p.y());
    else if (event->button() == Qt::RightButton)
        graph_->rightButtonUp(p.x(), p.y());
    else
        return QOpenGLWidget::mouseReleaseEvent(event);
    // A pan is no edit, but the labels it brought back into view moved: the
    // step is named after the gesture that moved them.
    if (gestureOpen_ && graph_->labelsFollowed() != labelsAtPress_) {
        history_->markEdited();
        gestureName_ = released.undoName();
    }
    if (!graph_->pointerMode().edits()) endGesture();
    afterInput();
}

void CKVRView::endGesture()
{
    if (!gestureOpen_) return;
    gestureOpen_ = false;
    history_->end(QCoreApplication::translate("Gesture", gestureName_));
    gestureName_ = PointerMode::kEditGraph;
}

void CKVRView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QOpenGLWidget::mouseDoubleClickEvent(event);
    // The double click takes the place of the second press, as on the desktop
    // this program grew up on: it enters pen input, or finishes the sketch.
    endGesture();
    const bool finishing = graph_->penInputChecked();
    history_->begin();
    const bool made = graph_->doubleClick();
    if (made) history_->markEdited();
    history_->end(tr("Sketch"));
    if (finishing) sketchEnded(made);
    afterInput();
}

bool CKVRView::togglePenInput()
{
    endGesture();
    const bool finishing = graph_->penInputChecked();
    history_->begin();
    const bool made = graph_->togglePenInput();
    if (made) history_->markEdited();
    history_->end(tr("Sketch"));
    if (finishing) sketchEnded(made);
    afterInput();
    return made;
}

void CKVRView::sketchEnded(bool made)
{
    if (made) {
        emit sketchFinished();
        emit graphEdited();
        return;
    }
    const std::string why = graph_->sketchProblem();
    emit prompt(why.empty() ? tr("Sketch not recognised")
                            : tr("Sketch not recognised: %1").arg(TranslatedReason(why)));
}

void CKVRView::wheelEvent(QWheelEvent* event)
{
    const QPoint p = event->position().toPoint();
    const int delta = event->angleDelta().y();
    if (delta == 0) return;
    changeView([&] { graph_->mouseWheel(delta, p.x(), p.y()); });
}

void CKVRView::changeView(const std::function<void()>& change)
{
    const long before = graph_->labelsFollowed();
    history_->begin();
    change();
    if (graph_->labelsFollowed() != before) history_->markEdited();
    history_->end(tr("Move Labels"), kViewLabelsStep);
    afterInput();
}

// The keyboard alone can do the lesson: Tab walks the curves, the arrow keys
// move the selected one a grid step (a tenth with Shift), + and − zoom,
// Delete deletes, Esc backs out of pen input, painting or a selection.
void CKVRView::keyPressEvent(QKeyEvent* event)
{
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const double step = shift ? 0.1 : 1.0;
    double dx = 0, dy = 0;
    switch (event->key()) {
    case Qt::Key_Delete: deleteSelection(); return;
    case Qt::Key_Escape:
        endGesture();
        if (!graph_->escape()) break;
        afterInput();
        return;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
    case Qt::Key_Minus: {
        changeView([&] { graph_->mouseWheel(event->key() == Qt::Key_Minus ? -120 : 120, width() / 2, height() / 2); });
        return;
    }
    case Qt::Key_Left: dx = -step; break;
    case Qt::Key_Right: dx = step; break;
    case Qt::Key_Up: dy = step; break;
    case Qt::Key_Down: dy = -step; break;
    default: break;
    }
    if ((dx != 0 || dy != 0) && graph_->selected()) {
        // A run of presses (held down, or one after another within a second)
        // is one step.
        if (!keyRun_.isValid() || keyRun_.elapsed() > 1000) ++keyRunNumber_;
        keyRun_.start();
        endGesture();
        history_->record(tr("Move Curve"), [&] { graph_->moveSelected(dx, dy); }, kKeyMoveMergeBase + keyRunNumber_ % 1000);
        emit graphEdited();
        afterInput();
        return;
    }
    QOpenGLWidget::keyPressEvent(event);
}

// Tab and Shift+Tab select the next and previous curve; past the last (or
// before the first) the focus moves on, so the keyboard is never trapped.
bool CKVRView::focusNextPrevChild(bool next)
{
    if (hasFocus() && graph_->mode() == MODE_IDLE && graph_->selectNext(next)) {
        afterInput();
        return true;
    }
    return QOpenGLWidget::focusNextPrevChild(next);
}

void CKVRView::deleteSelection()
{
    endGesture();
    if (graph_->selectedAttribPoint() >= 0)
        history_->record(tr("Delete Attribute Point"), [this] { graph_->deleteSelectedAttribPoint(); });
    else if (graph_->selected())
        history_->record(tr("Delete Equation"), [this] { graph_->deleteSelected(); });
    else
        return;
    emit graphEdited();
    afterInput();
}

void CKVRView::afterInput()
{
    updateCursor();
    if (int(graph_->mode()) != lastMode_) {
        lastMode_ = int(graph_->mode());
        emit modeChanged();
    }
    update();
}

void CKVRView::updateCursor()
{
    switch (graph_->mode()) {
    case MODE_PAINT: setCursor(PaintCursor()); break;
    case MODE_PEN_IDLE: setCursor(Qt::CrossCursor); break;
    default: setCursor(Qt::ArrowCursor); break;
    }
}

// ---- GraphListener ----

void CKVRView::selectionChanged(EquationObject* selected)
{
    // What a screen reader says of the view: the selected curve's equation.
    setAccessibleDescription(selected ? tr("Selected: %1").arg(QString::fromStdString(selected->text()))
                                      : tr("No curve selected"));
    emit selectionChangedTo(selected);
}

void CKVRView::equationEdited(EquationObject* equation)
{
    emit equationChanged(equation);
    emit graphEdited();
}

void CKVRView::candidatesPending()
{
    emit candidatesNeeded();
}

void CKVRView::statusText(const std::string& text)
{
    emit statusMessage(QString::fromStdString(text));
}

void CKVRView::popupRequested(const std::string& name, int px, int py, bool checked)
{
    QMenu* menu = popupMenu(name);
    if (!menu) return;
    lastPopup_ = name;
    if (menu == equationMenu_) displayEquationAction_->setChecked(checked);
    // Not modal: the graph has stored what the commands act on, and the event
    // that asked for the menu finishes first.
    menu->popup(mapToGlobal(QPoint(px, py)));
}

void CKVRView::repaintRequested()
{
    update();
}
