#include "app/CKVRView.h"

#include <QtGui/QCursor>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QPixmap>
#include <QtGui/QWheelEvent>
#include <QtWidgets/QMenu>

#include "app/PaintCursor.h"
#include "render/GL.h"
#include "render/GlSurface.h"

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
    buildMenus();
    updateCursor();
}

CKVRView::~CKVRView()
{
    // GL objects belong to the context: release them with it current.
    makeCurrent();
    surface_.reset();
    doneCurrent();
    graph_->setListener(nullptr);
}

void CKVRView::buildMenus()
{
    whiteSpaceMenu_ = new QMenu(this);
    whiteSpaceMenu_->setObjectName(QString::fromStdString(kWhiteSpacePopup));
    whiteSpaceMenu_->addAction(tr("Tangent Line"), this, [this] { graph_->tangentFromPoint(); });

    equationMenu_ = new QMenu(this);
    equationMenu_->setObjectName(QString::fromStdString(kEquationPopup));
    displayEquationAction_ = equationMenu_->addAction(tr("&Display Equation"), this,
                                                      [this] { graph_->toggleDisplayEquation(); });
    displayEquationAction_->setCheckable(true);
    equationMenu_->addSeparator();
    equationMenu_->addAction(tr("Attribute point"), this, [this] { graph_->addAttribPoint(PRESET_PLAIN); });
    equationMenu_->addAction(tr("X Caption"), this, [this] { graph_->addAttribPoint(PRESET_X_CAPTION); });
    equationMenu_->addAction(tr("Y Caption"), this, [this] { graph_->addAttribPoint(PRESET_Y_CAPTION); });
    equationMenu_->addAction(tr("X, Y Caption"), this, [this] { graph_->addAttribPoint(PRESET_XY_CAPTION); });
    equationMenu_->addSeparator();
    equationMenu_->addAction(tr("Tangent Line"), this, [this] { graph_->tangentOnCurve(); });
    equationMenu_->addSeparator();
    equationMenu_->addAction(tr("Delete"), this, [this] { graph_->deleteHit(); });

    attribMenu_ = new QMenu(this);
    attribMenu_->setObjectName(QString::fromStdString(kAttribPopup));
    attribMenu_->addAction(tr("Options"), this, [this] { emit attribOptionsRequested(); });

    // Every popup command may change the graph, the selection or the mode.
    for (QMenu* menu : {whiteSpaceMenu_, equationMenu_, attribMenu_})
        connect(menu, &QMenu::triggered, this, [this] {
            emit graphEdited();
            afterInput();
        });
}

QMenu* CKVRView::popupMenu(const std::string& name) const
{
    if (name == kWhiteSpacePopup) return whiteSpaceMenu_;
    if (name == kEquationPopup) return equationMenu_;
    if (name == kAttribPopup) return attribMenu_;
    return nullptr;
}

bool CKVRView::enterEquation(const QString& text)
{
    const bool added = graph_->addEquationFromText(text.toStdString()) != nullptr;
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

    surface_ = std::make_unique<GlSurface>();
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
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const Viewport::Ortho o = graph_->viewport().setProjection();
    const double ratio = devicePixelRatioF();
    glViewport(int(o.x * ratio), int(o.y * ratio), int(o.width * ratio + 0.5), int(o.height * ratio + 0.5));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(o.left, o.right, o.bottom, o.top, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    graph_->draw(*surface_);
}

QImage CKVRView::captureImage()
{
    // grabFramebuffer draws a fresh frame; multisampled buffers cannot be read in paintGL.
    QImage image = grabFramebuffer();
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage CKVRView::captureCleanImage()
{
    const bool grid = graph_->showGrid();
    graph_->setShowGrid(false);
    graph_->saveFlagsForExport();
    QImage image = captureImage();
    graph_->restoreFlagsAfterExport();
    graph_->setShowGrid(grid);
    update();
    return image;
}

// ---- pointer and keys ----

void CKVRView::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        if (graph_->mode() == MODE_PAINT) emit graphEdited();  // a click paints a region
        graph_->mouseDown(p.x(), p.y());
    }
    else if (event->button() == Qt::RightButton)
        graph_->rightButtonDown(p.x(), p.y());
    else
        return QOpenGLWidget::mousePressEvent(event);
    afterInput();
}

void CKVRView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    graph_->mouseMove(p.x(), p.y());
    afterInput();
}

void CKVRView::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        graph_->mouseUp(p.x(), p.y());
    else if (event->button() == Qt::RightButton)
        graph_->rightButtonUp(p.x(), p.y());
    else
        return QOpenGLWidget::mouseReleaseEvent(event);
    afterInput();
}

void CKVRView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QOpenGLWidget::mouseDoubleClickEvent(event);
    // The double click takes the place of the second press, as on the desktop
    // this program grew up on: it enters pen input, or finishes the sketch.
    if (graph_->doubleClick()) {
        emit sketchFinished();
        emit graphEdited();
    }
    afterInput();
}

void CKVRView::wheelEvent(QWheelEvent* event)
{
    const QPoint p = event->position().toPoint();
    const int delta = event->angleDelta().y();
    if (delta == 0) return;
    graph_->mouseWheel(delta, p.x(), p.y());
    afterInput();
}

void CKVRView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete) {
        graph_->deleteSelected();
        emit graphEdited();
        afterInput();
        return;
    }
    QOpenGLWidget::keyPressEvent(event);
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
