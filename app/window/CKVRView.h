// SPDX-License-Identifier: MIT
#pragma once
// The graph view: an OpenGL widget that owns the graph, draws it through
// GlPainter and hands it every pointer event in client pixels. It is the
// graph's listener: it repaints when asked, pops up the graph's context menus
// and passes selection, status and candidate notices on as Qt signals for the
// window's bars and side panel.
#include <QtCore/QElapsedTimer>
#include <QtCore/QString>
#include <QtGui/QImage>
#include <QtOpenGLWidgets/QOpenGLWidget>
#include <functional>
#include <memory>

#include "app/window/EditHistory.h"
#include "graph/GraphListener.h"
#include "graph/GraphManager.h"

class GlPainter;
class OutlineFont;
class QMenu;

class CKVRView : public QOpenGLWidget, public GraphListener {
    Q_OBJECT
public:
    explicit CKVRView(QWidget* parent = nullptr);
    ~CKVRView() override;

    GraphManager& graph() { return *graph_; }
    const GraphManager& graph() const { return *graph_; }
    // Undo and redo of every edit made through the view or the window.
    EditHistory& history() { return *history_; }

    // Hands a typed equation to the graph; returns whether it was added. When
    // it reads but gives nothing to draw, `why` says so ("no real points").
    bool enterEquation(const QString& text, QString* why = nullptr);
    // The "Pen Input" command: enters pen input, or finishes the sketch as a
    // double click does (one undo step when it made something). Returns
    // whether the finished sketch made something.
    bool togglePenInput();
    // Closes the pointer gesture under way (mensuration spans two presses),
    // so that its step is recorded before a command acts on the history.
    void endGesture();
    // Deletes the graph's selected attribute point, else its selected curve;
    // one undo step.
    void deleteSelection();
    // Changes what the view shows (wheel, Zoom In/Out, Actual Size): no edit
    // in itself, but the labels it leaves astray move beside their curves,
    // and that is one undo step ("Move Labels"; a run of such changes, one).
    void changeView(const std::function<void()>& change);

    // Presentation: lines, dots, arrow heads, labels and axis texts drawn
    // `factor` times their usual size on the screen (1, the usual look, when
    // not presenting). Pictures, pages and thumbnails keep the usual look.
    void setMagnification(double factor);
    double magnification() const { return magnification_; }

    // The picture of the graph as the screen shows it now (top row first).
    QImage captureImage();
    // The graph as a view of `size` logical pixels shows it with the usual
    // look, drawn afresh at `ratio` device pixels per logical pixel, its
    // curves sampled over `boxes` where they cover that view (what a document
    // keeps as its thumbnail, whatever the screen shows); null when the
    // view's context cannot draw off screen. The graph is as it was after.
    QImage renderUsualImage(QSize size, double ratio, const GraphManager::ViewBoxes& boxes = {});
    // The graph as the view shows it, with the usual look even while
    // presenting, drawn afresh at `ratio` device pixels per logical pixel
    // (twice the screen's for Copy Graph); null when the view's context
    // cannot draw off screen.
    QImage renderImage(double ratio);
    // The picture without grid, labels and selection, as "Export to Image File"
    // saves it; the screen keeps showing them.
    QImage captureCleanImage(bool withLabels = false);

    // The context menus, by the names the graph asks for (tests look at them).
    QMenu* popupMenu(const std::string& name) const;
    const std::string& lastPopupName() const { return lastPopup_; }

    // GraphListener
    void selectionChanged(EquationObject* selected) override;
    void equationEdited(EquationObject* equation) override;
    void candidatesPending() override;
    void statusText(const std::string& text) override;
    void popupRequested(const std::string& name, int px, int py, bool checked) override;
    void repaintRequested() override;

signals:
    void selectionChangedTo(EquationObject* selected);
    void equationChanged(EquationObject* equation);
    void candidatesNeeded();
    // The pointer's graph coordinates.
    void statusMessage(const QString& text);
    // A one-line prompt for the status bar (why a sketch made nothing, …).
    void prompt(const QString& text);
    // A pen sketch was finished by a double click and created something.
    void sketchFinished();
    // "Options" in the attribute point's context menu.
    void attribOptionsRequested();
    // Something the document keeps may have changed.
    void graphEdited();
    // A frame of the graph has been drawn.
    void framePainted();
    // The input mode may have changed (tool buttons follow it).
    void modeChanged();

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void buildMenus();
    void addGraphAction(QMenu* menu, const QString& text, std::function<void()> command);
    void afterInput();
    // After a sketch was finished: tells the window what it made or why not.
    void sketchEnded(bool made);
    void updateCursor();

    std::unique_ptr<GraphManager> graph_;
    EditHistory* history_ = nullptr;
    // The undo step's name of the gesture under way (its busiest mode's), untranslated.
    const char* gestureName_ = PointerMode::kEditGraph;
    bool gestureOpen_ = false;           // a press opened an undo bracket not yet closed
    static constexpr int kKeyMoveMergeBase = 100;  // merge keys of arrow-key moves, one per run
    static constexpr int kViewLabelsStep = 2;      // merge key of the label moves view changes make
    long labelsAtPress_ = 0;                       // the graph's labelsFollowed() when the gesture began
    QElapsedTimer keyRun_;                         // since the last arrow-key move
    int keyRunNumber_ = 0;
    std::unique_ptr<GlPainter> surface_;
    double magnification_ = 1.0;
    std::unique_ptr<OutlineFont> outlineFont_;  // the view's outline text lists, made with its context
    QMenu* whiteSpaceMenu_ = nullptr;
    QMenu* equationMenu_ = nullptr;
    QMenu* attribMenu_ = nullptr;
    QAction* displayEquationAction_ = nullptr;
    std::string lastPopup_;
    int lastMode_ = -1;
};
