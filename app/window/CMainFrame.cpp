// SPDX-License-Identifier: MIT
#include "app/window/CMainFrame.h"

#include <algorithm>

#include <QtCore/QCoreApplication>
#include <QtCore/QFileInfo>
#include <QtCore/QMimeData>
#include <QtCore/QSettings>
#include <QtCore/QUrl>
#include <QtGui/QCloseEvent>
#include <QtGui/QIcon>
#include <QtGui/QScreen>
#include <QtPrintSupport/QPrinter>
#include <QtGui/QUndoStack>
#include <QtWidgets/QDockWidget>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QProgressBar>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QToolBar>

#include "app/window/AttribDialog.h"
#include "app/window/CBmpButton.h"
#include "app/window/CCandidatesDialog.h"
#include "app/window/CKVRView.h"
#include "app/window/EqOptionDialog.h"
#include "app/window/EquationEntry.h"
#include "app/window/HandbookDialog.h"
#include "app/window/LibraryScanner.h"
#include "app/window/PalleteButton.h"
#include "app/window/Translations.h"
#include "app/window/ZoomDialogBar.h"
#include "graph/EquationObject.h"
#include "io/CKVRDoc.h"
#include "io/LibraryReaders.h"
#include "mathex/MathExp.h"
#include "io/Thumbnail.h"

namespace {

constexpr int kZoomStep = 1;  // merge key of the zoom bar's undo steps
constexpr int kTimerPeriodMs = 1500;
// Below this width (logical pixels) the side bar gives the graph its room.
constexpr int kNarrowWindow = 640;

}  // namespace

// The icons live in this static library; a static library's resources must be
// registered by hand, at global scope.
static void initIconResources()
{
    Q_INIT_RESOURCE(icons);
}

// A window saved on a larger screen or at a smaller scale (QT_SCALE_FACTOR),
// and the first window on a small screen, never open larger than the screen:
// the window shrinks to its available area and moves inside it.
void CMainFrame::fitToScreen()
{
    const QScreen* where = screen();
    if (!where || isMaximized() || isFullScreen()) return;
    const QRect area = where->availableGeometry();
    // The frame's border and title, as far as the window system has told them.
    const QSize border = frameGeometry().size() - geometry().size();
    const QSize fits = (area.size() - border).expandedTo(minimumSizeHint()).boundedTo(area.size());
    if (width() > fits.width() || height() > fits.height()) resize(size().boundedTo(fits));
    const QRect outer = frameGeometry();
    const int x = std::clamp(outer.x(), area.left(), std::max(area.left(), area.right() + 1 - outer.width()));
    const int y = std::clamp(outer.y(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height()));
    if (x != outer.x() || y != outer.y()) move(x, y);
}

// In a narrow window the side bar yields to the graph: it narrows with the
// window down to its least width, and below kNarrowWindow it hides; it comes
// back when the window is wide again, unless the teacher has opened or closed
// it in between.
void CMainFrame::yieldSideBar()
{
    // A presentation keeps the side bar closed and gives it back as it found it.
    if (!sideDock_ || sideDock_->isFloating() || presentation_) return;
    const bool narrow = width() < kNarrowWindow;
    if (narrow && sideDock_->isVisible()) {
        sideYielded_ = true;
        sideDock_->hide();
    } else if (!narrow && sideYielded_) {
        sideYielded_ = false;
        sideDock_->show();
    }
}

void CMainFrame::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    yieldSideBar();
    putBackViewBoxes();
}

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent)
{
    initIconResources();
    setObjectName("mainFrame");
    setWindowIcon(QIcon(":/icons/kvr.svg"));
    setAcceptDrops(true);
    resize(1000, 750);
    view_ = new CKVRView(this);
    view_->setObjectName("graphView");
    view_->setAccessibleName(tr("Graph"));
    setCentralWidget(view_);
    scanner_ = new LibraryScanner(DocumentFeatureReader(), DocumentThumbnailReader(), this);

    // Creation order of the bars: toolbar, status bar, entry bar, side bar,
    // zoom bar, palette bar.
    buildCommands();
    buildMenus();
    buildToolBar();
    buildStatusBar();
    buildEntryBar();
    buildSideBar();
    buildZoomBar();
    buildPaletteBar();
    // The palette bar sits next to the toolbar; the entry bar has a row of its own below them.
    addToolBar(Qt::TopToolBarArea, toolBar_);
    addToolBar(Qt::TopToolBarArea, paletteBar_);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, entryBar_);
    zoomDock_->hide();  // the zoom bar starts hidden
    // Tab goes from the entry bar straight to the graph.
    setTabOrder(entryEdit_, view_);

    connect(view_, &CKVRView::selectionChangedTo, this, &CMainFrame::selectionChanged);
    connect(view_, &CKVRView::modeChanged, this, &CMainFrame::refreshCommands);
    // A moved or reshaped curve is searched for at the next tick, a new one at once.
    connect(view_, &CKVRView::candidatesNeeded, this, [this] {
        if (!sideDock_->isVisible()) {
            candidatesStale_ = true;
            return;
        }
        candidatesPending_ = true;
        emit candidatesRequested();
    });
    // Every step, undo and redo that changes the curves searches again.
    connect(view_->history().stack(), &QUndoStack::indexChanged, this, [this] {
        refreshCommands();  // Undo and Redo follow the history, whatever made the step
        CFeature now;
        view_->graph().computeFeature(now);
        if (now.elements != searchedFor_.elements) searchAfterEdit();
    });
    connect(view_, &CKVRView::prompt, this, [this](const QString& text) { statusBar()->showMessage(text, 10000); });
    connect(scanner_, &LibraryScanner::progress, this, &CMainFrame::showLibraryProgress);
    connect(scanner_, &LibraryScanner::libraryChanged, this, [this] {
        libraryProgress_->hide();
        if (candidatesShown_ || candidatesPending_) updateCandidates();
    });
    connect(candidatesPage_, &CCandidatesDialog::candidateActivated, this, &CMainFrame::openCandidate);
    // The document is modified exactly when the undo history is away from where it was saved.
    connect(view_->history().stack(), &QUndoStack::cleanChanged, this, [this](bool clean) { setModified(!clean); });
    connect(&view_->history(), &EditHistory::restored, this, [this] {
        zoomBar_->showZoom(view_->graph().viewport().xZoom, view_->graph().viewport().yZoom);
        refreshCommands();
    });
    doc_ = std::make_unique<CKVRDoc>(view_->graph());
    // The thumbnail is the graph as the window shows it at the save, drawn
    // afresh with the usual look and, while presenting, at the size the view
    // had before: a presentation changes nothing a document keeps.
    doc_->setThumbnailCapture([this] {
        QImage picture = presentation_ ? view_->renderUsualImage(presentation_->viewSize, view_->devicePixelRatioF(),
                                                                 presentation_->viewBoxes)
                                       : view_->renderUsualImage(view_->size(), view_->devicePixelRatioF());
        if (picture.isNull()) picture = view_->captureImage();
        return MakeThumbnail(picture);
    });
    connect(&timer_, &QTimer::timeout, this, &CMainFrame::timerTick);
    timer_.start(kTimerPeriodMs);

    QSettings settings;
    restoreGeometry(settings.value("Window/Geometry").toByteArray());
    restoreState(settings.value("Window/State").toByteArray());
    fitToScreen();
    zoomDock_->hide();
    updateRecentFiles();
    refreshCommands();
    updateTitle();
}

CMainFrame::~CMainFrame()
{
    // The view and its history go after this body, and the history's last
    // signals must not reach a window that is half gone.
    disconnect(view_->history().stack(), nullptr, this, nullptr);
    disconnect(&view_->history(), nullptr, this, nullptr);
    delete printer_;
}

// ---- building ----

QAction* CMainFrame::addCommand(const QString& name, const QString& text, const QString& icon, const QString& tip)
{
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    if (!icon.isEmpty()) action->setIcon(QIcon(":/icons/" + icon + ".svg"));
    if (!tip.isEmpty()) {
        action->setToolTip(tip);
        action->setStatusTip(tip);
    }
    commands_.insert(name, action);
    return action;
}

void CMainFrame::buildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    for (const char* name : {"new", "open", "save", "saveAs"}) file->addAction(command(name));
    file->addSeparator();
    for (const char* name : {"exportPs", "exportImage", "exportSvg", "exportPdf"}) file->addAction(command(name));
    file->addSeparator();
    for (const char* name : {"print", "printPreview", "printSetup"}) file->addAction(command(name));
    recentSeparator_ = file->addSeparator();
    for (int i = 0; i < kRecentFiles; ++i) {
        auto* recent = new QAction(this);
        recent->setObjectName(QStringLiteral("recent%1").arg(i));
        recent->setVisible(false);
        connect(recent, &QAction::triggered, this, [this, recent] {
            if (maybeSave()) openFile(recent->data().toString());
        });
        recentActions_ << recent;
        file->addAction(recent);
    }
    file->addSeparator();
    file->addAction(command("exit"));

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->addAction(command("undo"));
    edit->addAction(command("redo"));
    edit->addSeparator();
    for (const char* name : {"cut", "copy", "paste"}) edit->addAction(command(name));
    edit->addAction(command("copyGraph"));
    edit->addSeparator();
    edit->addAction(command("domain"));

    QMenu* viewMenu = menuBar()->addMenu(tr("&View"));
    for (const char* name : {"toolbar", "statusBar", "sideBar", "zoomBar", "paletteBar"})
        viewMenu->addAction(command(name));
    viewMenu->addSeparator();
    viewMenu->addAction(command("axisNumbers"));
    viewMenu->addSeparator();
    for (const char* name : {"zoomIn", "zoomOut", "actualSize", "fullScreen", "presentation"})
        viewMenu->addAction(command(name));

    QMenu* options = menuBar()->addMenu(tr("&Options"));
    options->addAction(command("intersections"));
    options->addAction(command("configuration"));

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(command("handbook"));
    help->addSeparator();
    help->addAction(command("about"));
}

void CMainFrame::buildToolBar()
{
    toolBar_ = new QToolBar(tr("Toolbar"), this);
    toolBar_->setObjectName("toolBar");
    toolBar_->setIconSize(QSize(22, 22));
    for (const char* name : {"new", "open", "save", "", "exportPs", "", "grid", "axis", "", "pen", "deleteEquation", "",
                             "mensuration", "graphUndo"}) {
        if (*name) toolBar_->addAction(command(name));
        else toolBar_->addSeparator();
    }
    QAction* toggle = command("toolbar");
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, toolBar_, &QWidget::setVisible);
    connect(toolBar_, &QToolBar::visibilityChanged, toggle, &QAction::setChecked);
}

void CMainFrame::buildEntryBar()
{
    entryBar_ = new QToolBar(tr("Entry Bar"), this);
    entryBar_->setObjectName("entryBar");
    entryEdit_ = new EquationEntry(entryBar_);
    entryEdit_->setObjectName("entryEdit");
    entryEdit_->setAccessibleName(tr("Equation"));
    entryEdit_->setAccessibleDescription(tr("Type an equation and press Return to add it; Up and Down recall earlier ones."));
    entryEdit_->setPlaceholderText(tr("Type an equation, for example y = x^2 - 2, and press Enter"));
    entryEdit_->setClearButtonEnabled(true);
    entryEdit_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    enterButton_ = new QPushButton(tr("Enter"), entryBar_);
    enterButton_->setObjectName("enterButton");
    entryBar_->addWidget(entryEdit_);
    entryBar_->addWidget(enterButton_);
    entryBar_->setAllowedAreas(Qt::TopToolBarArea);
    connect(entryEdit_, &QLineEdit::returnPressed, this, &CMainFrame::enterEquation);
    connect(enterButton_, &QPushButton::clicked, this, &CMainFrame::enterEquation);
}

void CMainFrame::buildSideBar()
{
    sideDock_ = new QDockWidget(tr("Side Bar"), this);
    sideDock_->setObjectName("sideBar");
    sideDock_->setAllowedAreas(Qt::RightDockWidgetArea | Qt::LeftDockWidgetArea);
    sideTabs_ = new QTabWidget(sideDock_);
    sideTabs_->setObjectName("sideTabs");
    sideTabs_->setAccessibleName(tr("Side Bar"));
    candidatesPage_ = new CCandidatesDialog(sideTabs_);
    sideTabs_->addTab(candidatesPage_, tr("Candidates"));
    optionsPage_ = new EqOptionDialog(view_->graph(), view_->history(), sideTabs_);
    // The page shows the graph's selection as it is after every change, undo and redo included.
    connect(view_, &CKVRView::selectionChangedTo, optionsPage_, &EqOptionDialog::RefreshOptions);
    connect(view_, &CKVRView::equationChanged, optionsPage_, &EqOptionDialog::RefreshOptions);
    connect(&view_->history(), &EditHistory::restored, optionsPage_, &EqOptionDialog::RefreshOptions);
    connect(optionsPage_, &EqOptionDialog::statusMessage, this,
            [this](const QString& text) { statusBar()->showMessage(text, 6000); });
    connect(view_, &CKVRView::attribOptionsRequested, this, &CMainFrame::openAttribOptions);
    sideTabs_->addTab(optionsPage_, tr("Equation Options"));
    sideDock_->setWidget(sideTabs_);
    addDockWidget(Qt::RightDockWidgetArea, sideDock_);
    QAction* toggle = command("sideBar");
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, sideDock_, &QWidget::setVisible);
    connect(toggle, &QAction::triggered, this, [this] { sideYielded_ = false; });
    connect(sideDock_, &QDockWidget::visibilityChanged, toggle, &QAction::setChecked);
    // The search skipped while the side bar was closed runs when it opens.
    connect(sideDock_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible && candidatesStale_) requestCandidates();
    });
}

void CMainFrame::buildZoomBar()
{
    zoomDock_ = new QDockWidget(tr("Zoom Bar"), this);
    zoomDock_->setObjectName("zoomBar");
    zoomBar_ = new ZoomDialogBar(zoomDock_);
    zoomDock_->setWidget(zoomBar_);
    addDockWidget(Qt::RightDockWidgetArea, zoomDock_);
    // The zoom rescales every plot box, so it is an edit; one slider drag is one step.
    connect(zoomBar_, &ZoomDialogBar::zoomChanged, this, [this](double x, double y) {
        view_->history().record(tr("Zoom"), [this, x, y] {
            view_->graph().setZoom(x, y);
            view_->graph().keepLabelsNear();
        }, kZoomStep);
        view_->update();
        refreshCommands();
    });
    QAction* toggle = command("zoomBar");
    connect(toggle, &QAction::toggled, zoomDock_, &QWidget::setVisible);
    connect(zoomDock_, &QDockWidget::visibilityChanged, toggle, &QAction::setChecked);
}

void CMainFrame::buildPaletteBar()
{
    paletteBar_ = new QToolBar(tr("Pallete Bar"), this);
    paletteBar_->setObjectName("paletteBar");
    paletteBar_->setAllowedAreas(Qt::TopToolBarArea);
    const QColor colours[4] = {Qt::black, QColor::fromRgbF(1, 0, 0), QColor::fromRgbF(0, 0, 1),
                               QColor::fromRgbF(0, 1, 0)};
    for (int i = 0; i < 4; ++i) {
        auto* button = new PalleteButton(colours[i], paletteBar_);
        button->setObjectName(QStringLiteral("colourButton%1").arg(i));
        auto use = [this, button] {
            const QColor c = button->colour();
            view_->graph().setColour(ColorF(float(c.redF()), float(c.greenF()), float(c.blueF()), 1.0f));
        };
        // Left click picks the colour; a right click only gives the button another.
        connect(button, &QAbstractButton::clicked, this, use);
        paletteBar_->addWidget(button);
        colourButtons_[i] = button;
    }
    paletteBar_->addSeparator();
    paintButton_ = new CBmpButton(tr("PAINT"), paletteBar_);
    paintButton_->setObjectName("paintButton");
    paintButton_->setToolTip(tr("Paint Tool"));
    paletteBar_->addWidget(paintButton_);
    connect(paintButton_, &QAbstractButton::clicked, this, &CMainFrame::togglePaint);
    QAction* toggle = command("paletteBar");
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, paletteBar_, &QWidget::setVisible);
    connect(paletteBar_, &QToolBar::visibilityChanged, toggle, &QAction::setChecked);
}

void CMainFrame::buildStatusBar()
{
    // Prompts (command tips, why an equation or a sketch made nothing) are the
    // status bar's messages on the left; the pointer's coordinates have their
    // own permanent pane on the right, which no message hides.
    pointerPane_ = new QLabel(this);
    pointerPane_->setObjectName("pointerPane");
    pointerPane_->setMinimumWidth(220);
    // How far the reading of a library folder has got; shown only while it runs.
    libraryProgress_ = new QProgressBar(this);
    libraryProgress_->setObjectName("libraryProgress");
    libraryProgress_->setMaximumWidth(220);
    libraryProgress_->setFormat(tr("Library %v/%m"));
    libraryProgress_->hide();
    statusBar()->addPermanentWidget(libraryProgress_);
    statusBar()->addPermanentWidget(pointerPane_);
    connect(view_, &CKVRView::statusMessage, pointerPane_, &QLabel::setText);
    QAction* toggle = command("statusBar");
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, statusBar(), &QWidget::setVisible);
}

// ---- state ----

void CMainFrame::refreshCommands()
{
    GraphManager& g = view_->graph();
    command("grid")->setChecked(g.showGrid());
    command("axis")->setChecked(g.showAxis());
    command("axisNumbers")->setChecked(g.showAxisNumbers());
    command("pen")->setChecked(g.penInputChecked());
    const InputMode mode = g.mode();
    command("mensuration")->setEnabled(g.selected() != nullptr);
    command("mensuration")->setChecked(mode == MODE_MENSURATION_ARMED || mode == MODE_MENSURATION_START ||
                                       mode == MODE_MENSURATION_DRAG);
    QUndoStack* stack = view_->history().stack();
    // Past the start of the history the graph's own undo still has something to take.
    const bool graphUndo = !g.equations().empty() || !g.paintedDomains().empty();
    command("graphUndo")->setEnabled(stack->canUndo() || graphUndo);
    command("undo")->setEnabled(stack->canUndo() || graphUndo);
    command("redo")->setEnabled(stack->canRedo());
    command("deleteEquation")->setEnabled(g.selected() != nullptr);
    command("intersections")->setChecked(g.showIntersections());
    const bool painting = mode == MODE_PAINT;
    command("domain")->setChecked(painting);
    if (paintButton_ && paintButton_->isChecked() != painting) paintButton_->setChecked(painting);
}

void CMainFrame::selectionChanged(EquationObject* selected)
{
    selected_ = selected;
    refreshCommands();
}

void CMainFrame::setModified(bool modified)
{
    modified_ = modified;
    setWindowModified(modified);
}

void CMainFrame::updateTitle()
{
    const QString name = documentPath_.isEmpty() ? tr("Untitled") : QFileInfo(documentPath_).fileName();
    setWindowTitle(name + "[*] - " + tr("KVR"));
    setWindowModified(modified_);
}

// ---- commands ----

void CMainFrame::enterEquation()
{
    const QString text = entryEdit_->text();
    if (text.trimmed().isEmpty()) return;
    QString why;
    if (view_->enterEquation(text, &why)) {
        entryEdit_->accepted(text);
        statusBar()->clearMessage();
    } else {
        // Say why, and where: the same reason the command line gives.
        MathEx::MathExp probe;
        const std::string typed = text.toStdString();
        if (!probe.Parse(typed)) {
            const MathEx::ParseError& error = probe.LastError();
            statusBar()->showMessage(tr("Cannot read the equation at column %1: %2")
                                         .arg(error.position)
                                         .arg(TranslatedReason(error.reason)),
                                     10000);
            // The caret goes where the reading stopped, ready for the correction.
            entryEdit_->setFocus();
            entryEdit_->setCursorPosition(std::clamp(error.position - 1, 0, int(text.size())));
        } else if (!why.isEmpty()) {
            statusBar()->showMessage(tr("The equation adds nothing: %1").arg(why), 10000);
        } else {
            statusBar()->showMessage(tr("The equation could not be added."), 10000);
        }
    }
    refreshCommands();
}

void CMainFrame::togglePaint()
{
    view_->graph().togglePaint();
    view_->update();
    refreshCommands();
    // Switched from the menu, the button shows its hover look until the pointer leaves it.
    paintButton_->setHover(view_->graph().mode() == MODE_PAINT);
}

// Undo walks back the history. Past its start (a document just opened) it
// falls back to the graph's own undo (the last painted region, else the last
// display action of the last equation, else that equation), and that step
// goes in at the start of the history, so Undo keeps walking back and Redo
// brings it forth again.
void CMainFrame::undo()
{
    view_->endGesture();
    EditHistory& history = view_->history();
    if (history.stack()->canUndo()) {
        history.stack()->undo();
    } else if (!view_->graph().equations().empty() || !view_->graph().paintedDomains().empty()) {
        history.undoBeyondStart(tr("Undo"), [this] { view_->graph().undo(); });
    }
    // The graph's own undo may switch off an option the page shows.
    optionsPage_->RefreshOptions();
    view_->update();
    refreshCommands();
}

// "Options" of the attribute point's context menu: the point that was right-clicked.
void CMainFrame::openAttribOptions()
{
    GraphManager& g = view_->graph();
    if (!g.hitEquation() || g.attribIndex() < 0) return;
    AttribDialog dialog(g, view_->history(), g.hitEquation(), g.attribIndex(), this);
    dialog.exec();
    optionsPage_->RefreshOptions();
    view_->update();
}

void CMainFrame::showHandbook()
{
    if (!handbook_) handbook_ = new HandbookDialog(this);
    handbook_->show();
    handbook_->raise();
    handbook_->activateWindow();
}

void CMainFrame::about()
{
    QMessageBox box(this);
    box.setWindowTitle(tr("About KVR"));
    box.setIconPixmap(QIcon(":/icons/kvr.svg").pixmap(64, 64));
    box.setText(tr("<b>KVR</b> version %1").arg(QCoreApplication::applicationVersion()));
    box.setInformativeText(tr("A graphing workbench for teaching functions and curves: type or sketch "
                              "equations, reshape them, annotate them and find similar lessons.<br><br>"
                              "Copyright © 2026 The KVR developers. Released under the MIT licence: "
                              "free to use, copy, change and share, without warranty.<br>"
                              "Built with Qt %1 (LGPL-3.0), freeglut and Mesa; "
                              "their licences are listed with KVR's documentation.")
                               .arg(QString::fromLatin1(qVersion())));
    box.setTextFormat(Qt::RichText);
    box.exec();
}

// ---- window events ----

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!maybeSave()) {
        event->ignore();
        return;
    }
    // The window is remembered as the teacher arranged it, not as presented.
    setPresenting(false);
    QSettings settings;
    settings.setValue("Window/Geometry", saveGeometry());
    if (sideYielded_) sideDock_->show();  // the narrow window hid it, not the teacher
    settings.setValue("Window/State", saveState());
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls[0].isLocalFile() && urls[0].toLocalFile().endsWith(".kvr", Qt::CaseInsensitive))
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls[0].isLocalFile()) return;
    event->acceptProposedAction();
    if (maybeSave()) openFile(urls[0].toLocalFile());
}
