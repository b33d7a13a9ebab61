#include "app/CMainFrame.h"

#include <QtCore/QFileInfo>
#include <QtCore/QMimeData>
#include <QtCore/QSettings>
#include <QtCore/QUrl>
#include <QtGui/QClipboard>
#include <QtGui/QCloseEvent>
#include <QtGui/QGuiApplication>
#include <QtGui/QIcon>
#include <QtGui/QPainter>
#include <QtGui/QUndoStack>
#include <QtPrintSupport/QPageSetupDialog>
#include <QtPrintSupport/QPrintDialog>
#include <QtPrintSupport/QPrintPreviewDialog>
#include <QtPrintSupport/QPrinter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDockWidget>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QProgressBar>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QToolBar>

#include "app/AttribDialog.h"
#include "app/CBmpButton.h"
#include "app/CCandidatesDialog.h"
#include "app/CConfigurationDialog.h"
#include "app/CKVRView.h"
#include "app/EqOptionDialog.h"
#include "app/LibraryScanner.h"
#include "app/LibrarySettings.h"
#include "app/PalleteButton.h"
#include "app/ZoomDialogBar.h"
#include "graph/EquationObject.h"
#include "io/CKVRDoc.h"
#include "io/LibraryReaders.h"
#include "mathex/MathExp.h"
#include "render/GraphExport.h"
#include "render/GraphPage.h"
#include "render/ImageExport.h"
#include "render/Thumbnail.h"

namespace {

constexpr int kRecentFiles = 4;
constexpr int kZoomStep = 1;  // merge key of the zoom bar's undo steps
constexpr int kTimerPeriodMs = 1500;
const char* const kDocumentFilter = QT_TRANSLATE_NOOP("CMainFrame", "KVR documents (*.kvr)");

// The file name a save dialog ends with: ".kvr" added when the user typed no extension.
QString withExtension(const QString& path, const QString& extension)
{
    return QFileInfo(path).suffix().isEmpty() ? path + "." + extension : path;
}

}  // namespace

// The icons live in this static library; a static library's resources must be
// registered by hand, at global scope.
static void initIconResources()
{
    Q_INIT_RESOURCE(icons);
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

    connect(view_, &CKVRView::selectionChangedTo, this, &CMainFrame::selectionChanged);
    connect(view_, &CKVRView::modeChanged, this, &CMainFrame::refreshCommands);
    connect(view_, &CKVRView::candidatesNeeded, this, [this] { candidatesPending_ = true; });
    connect(view_, &CKVRView::sketchFinished, this, &CMainFrame::requestCandidates);
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
    // The thumbnail is the graph as the screen shows it at the save.
    doc_->setThumbnailCapture([this] { return MakeThumbnail(view_->captureImage()); });
    connect(&timer_, &QTimer::timeout, this, &CMainFrame::timerTick);
    timer_.start(kTimerPeriodMs);

    QSettings settings;
    restoreGeometry(settings.value("Window/Geometry").toByteArray());
    restoreState(settings.value("Window/State").toByteArray());
    zoomDock_->hide();
    updateRecentFiles();
    refreshCommands();
    updateTitle();
}

CMainFrame::~CMainFrame()
{
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

void CMainFrame::buildCommands()
{
    auto on = [this](QAction* action, auto slot) { connect(action, &QAction::triggered, this, slot); };
    CKVRView* v = view_;

    QAction* a = addCommand("new", tr("&New"), "new", tr("Create a new document"));
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    on(a, &CMainFrame::newDocument);
    a = addCommand("open", tr("&Open..."), "open", tr("Open an existing document"));
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    on(a, &CMainFrame::openDocument);
    a = addCommand("save", tr("&Save"), "save", tr("Save the active document"));
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    on(a, &CMainFrame::saveDocument);
    on(addCommand("saveAs", tr("Save &As..."), QString(), tr("Save the active document with a new name")),
       &CMainFrame::saveDocumentAs);
    on(addCommand("exportPs", tr("Export to PS"), "export-ps", tr("Export to PS")), &CMainFrame::exportPostScript);
    on(addCommand("exportImage", tr("Export to &Image File"), QString(), tr("Save the graph as a PNG picture")),
       &CMainFrame::exportImage);
    on(addCommand("exportSvg", tr("Export to S&VG..."), QString(), tr("Save the graph as an SVG drawing")),
       &CMainFrame::exportSvg);
    on(addCommand("exportPdf", tr("Export to P&DF..."), QString(), tr("Save the graph as a PDF page")),
       &CMainFrame::exportPdf);
    a = addCommand("print", tr("&Print..."), QString(), tr("Print the graph"));
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    on(a, &CMainFrame::print);
    on(addCommand("printPreview", tr("Print Pre&view"), QString(), tr("Display the full page")),
       &CMainFrame::printPreview);
    on(addCommand("printSetup", tr("P&rint Setup..."), QString(), tr("Change the printer and printing options")),
       &CMainFrame::printSetup);
    a = addCommand("exit", tr("E&xit"), QString(), tr("Quit the application; prompts to save documents"));
    connect(a, &QAction::triggered, this, &QWidget::close);

    a = addCommand("undo", tr("&Undo"), QString(), tr("Undo the last action"));
    a->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    on(a, &CMainFrame::undo);
    a = addCommand("redo", tr("&Redo"), QString(), tr("Redo the previously undone action"));
    a->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(a, &QAction::triggered, this, [this] {
        view_->history().stack()->redo();
        refreshCommands();
    });
    // The entry edit's clipboard commands: the edit does the work.
    a = addCommand("cut", tr("Cu&t"), QString(), tr("Cut the selection and put it on the Clipboard"));
    a->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    connect(a, &QAction::triggered, this, [this] { entryEdit_->cut(); });
    a = addCommand("copy", tr("&Copy"), QString(), tr("Copy the selection and put it on the Clipboard"));
    a->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    connect(a, &QAction::triggered, this, [this] { entryEdit_->copy(); });
    a = addCommand("paste", tr("&Paste"), QString(), tr("Insert Clipboard contents"));
    a->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
    connect(a, &QAction::triggered, this, [this] { entryEdit_->paste(); });
    a = addCommand("domain", tr("Domain"), QString(), tr("Paint Tool"));
    a->setCheckable(true);
    on(a, &CMainFrame::togglePaint);

    a = addCommand("grid", tr("Show/Hide Grid"), "grid", tr("Show/Hide Grid"));
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, [this, v] {
        v->history().record(tr("Show/Hide Grid"), [v] { v->graph().toggleGrid(); });
        refreshCommands();
    });
    a = addCommand("axis", tr("Show/Hide Axis"), "axis", tr("Show/Hide Axis"));
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, [this, v] {
        v->history().record(tr("Show/Hide Axis"), [v] { v->graph().toggleAxis(); });
        refreshCommands();
    });
    a = addCommand("axisNumbers", tr("Axis &Numbers"), QString(), tr("Show or hide the numbers along the axes"));
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, [this, v] {
        v->history().record(tr("Axis Numbers"),
                            [v] { v->graph().setShowAxisNumbers(!v->graph().showAxisNumbers()); });
        refreshCommands();
    });
    a = addCommand("pen", tr("Pen Input"), "pen", tr("Pen Input"));
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, [this, v] {
        v->graph().togglePenInput();
        v->update();
        refreshCommands();
    });
    a = addCommand("deleteEquation", tr("Delete Equation"), "delete", tr("Delete the selected equation"));
    connect(a, &QAction::triggered, this, [this, v] {
        if (!v->graph().selected()) return;
        v->history().record(tr("Delete Equation"), [v] { v->graph().deleteSelected(); });
        v->repaint();
        refreshCommands();
    });
    a = addCommand("mensuration", tr("Mensuration By Part"), "mensuration", tr("Mensuration By Part"));
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, [this, v] {
        v->graph().armMensuration();
        refreshCommands();
    });
    a = addCommand("graphUndo", tr("Undo"), "undo", tr("Undo the last action on the graph"));
    on(a, &CMainFrame::undo);

    a = addCommand("toolbar", tr("&Toolbar"), QString(), tr("Show or hide the toolbar"));
    a->setCheckable(true);
    a = addCommand("statusBar", tr("&Status Bar"), QString(), tr("Show or hide the status bar"));
    a->setCheckable(true);
    a = addCommand("sideBar", tr("S&ide Bar"), QString(), tr("Show or hide the side bar"));
    a->setCheckable(true);
    a = addCommand("zoomBar", tr("Zoom Bar"), QString(), tr("Show or hide the zoom bar"));
    a->setCheckable(true);
    a = addCommand("paletteBar", tr("Pallete Bar"), QString(), tr("Show or hide the palette bar"));
    a->setCheckable(true);

    a = addCommand("intersections", tr("Show &Intersection"), QString(), tr("Show the intersections of the curves"));
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, [this, v] {
        v->history().record(tr("Show Intersection"), [v] { v->graph().toggleIntersections(); });
        v->update();
        refreshCommands();
    });
    on(addCommand("configuration", tr("&Configuration"), QString(), tr("Library folder and display precision")),
       &CMainFrame::configure);

    on(addCommand("about", tr("&About KVR..."), QString(), tr("Display program information and version")),
       &CMainFrame::about);
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
    edit->addSeparator();
    edit->addAction(command("domain"));

    QMenu* viewMenu = menuBar()->addMenu(tr("&View"));
    for (const char* name : {"toolbar", "statusBar", "sideBar", "zoomBar", "paletteBar"})
        viewMenu->addAction(command(name));
    viewMenu->addSeparator();
    viewMenu->addAction(command("axisNumbers"));

    QMenu* options = menuBar()->addMenu(tr("&Options"));
    options->addAction(command("intersections"));
    options->addAction(command("configuration"));

    QMenu* help = menuBar()->addMenu(tr("&Help"));
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
    entryEdit_ = new QLineEdit(entryBar_);
    entryEdit_->setObjectName("entryEdit");
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
    connect(sideDock_, &QDockWidget::visibilityChanged, toggle, &QAction::setChecked);
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
        view_->history().record(tr("Zoom"), [this, x, y] { view_->graph().setZoom(x, y); }, kZoomStep);
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
        connect(button, &QAbstractButton::clicked, this, use);
        connect(button, &PalleteButton::colourChanged, this, use);
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
    promptPane_ = new QLabel(this);
    promptPane_->setObjectName("promptPane");
    promptPane_->setMinimumWidth(200);
    pointerPane_ = new QLabel(this);
    pointerPane_->setObjectName("pointerPane");
    pointerPane_->setMinimumWidth(100);
    statusBar()->addWidget(promptPane_);
    statusBar()->addWidget(pointerPane_, 1);
    // How far the reading of a library folder has got; shown only while it runs.
    libraryProgress_ = new QProgressBar(this);
    libraryProgress_->setObjectName("libraryProgress");
    libraryProgress_->setMaximumWidth(220);
    libraryProgress_->setFormat(tr("Library %v/%m"));
    libraryProgress_->hide();
    statusBar()->addPermanentWidget(libraryProgress_);
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
    command("graphUndo")->setEnabled(stack->canUndo() || !g.equations().empty());
    command("undo")->setEnabled(stack->canUndo() || !g.equations().empty());
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
    if (view_->enterEquation(text)) {
        requestCandidates();
        statusBar()->clearMessage();
    } else {
        // Say why, and where: the same reason the command line gives.
        MathEx::MathExp probe;
        const std::string typed = text.toStdString();
        if (!probe.Parse(typed))
            statusBar()->showMessage(tr("Cannot read the equation: %1 (column %2)")
                                         .arg(QString::fromStdString(probe.LastError().message))
                                         .arg(probe.LastError().position),
                                     10000);
        else
            statusBar()->showMessage(tr("The equation could not be added."), 10000);
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

// Undo walks back the history; a graph with no history (a document just
// opened) falls back to the graph's own undo — the last painted region, else
// the last display action of the last equation, else that equation — which
// is recorded in its turn, so it can be redone.
void CMainFrame::undo()
{
    QUndoStack* stack = view_->history().stack();
    if (stack->canUndo()) {
        stack->undo();
    } else if (!view_->graph().equations().empty() || !view_->graph().paintedDomains().empty()) {
        view_->history().record(tr("Undo"), [this] { view_->graph().undo(); });
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

void CMainFrame::newDocument()
{
    if (!maybeSave()) return;
    doc_->OnNewDocument();
    documentPath_.clear();
    documentChanged();
}

// After a new or opened document: no history, the bars and the page show the
// graph as it now is, and it counts as unmodified.
void CMainFrame::documentChanged()
{
    view_->history().clear();
    optionsPage_->RefreshOptions();
    zoomBar_->showZoom(view_->graph().viewport().xZoom, view_->graph().viewport().yZoom);
    setModified(false);
    updateTitle();
    refreshCommands();
    candidatesPending_ = sideDock_->isVisible();
    view_->update();
}

void CMainFrame::showError(const QString& message, const QString& detail)
{
    if (messageHandler_) return messageHandler_(message, detail);
    QMessageBox box(QMessageBox::Warning, tr("KVR"), message, QMessageBox::Ok, this);
    box.setInformativeText(detail);
    box.exec();
}

void CMainFrame::openDocument()
{
    if (!maybeSave()) return;
    const QString path = QFileDialog::getOpenFileName(this, tr("Open"), QFileInfo(documentPath_).path(),
                                                      tr(kDocumentFilter) + ";;" + tr("All files (*)"));
    if (!path.isEmpty()) openFile(path);
}

bool CMainFrame::saveDocument()
{
    if (documentPath_.isEmpty()) return saveDocumentAs();
    return saveFile(documentPath_);
}

bool CMainFrame::saveDocumentAs()
{
    const QString start = documentPath_.isEmpty() ? QStringLiteral("KVR.kvr") : documentPath_;
    QString path = QFileDialog::getSaveFileName(this, tr("Save As"), start, tr(kDocumentFilter));
    if (path.isEmpty()) return false;
    return saveFile(withExtension(path, "kvr"));
}

bool CMainFrame::openFile(const QString& path)
{
    const DocumentResult result = doc_->open(path.toStdString());
    if (!result.ok) {
        // The graph is as it was: the document on screen stays open.
        showError(QString::fromStdString(result.message), QString::fromStdString(result.reason));
        return false;
    }
    documentPath_ = QFileInfo(path).absoluteFilePath();
    addRecentFile(documentPath_);
    documentChanged();
    return true;
}

bool CMainFrame::saveFile(const QString& path)
{
    const DocumentResult result = doc_->save(path.toStdString());
    if (!result.ok) {
        showError(QString::fromStdString(result.message), QString::fromStdString(result.reason));
        return false;
    }
    documentPath_ = QFileInfo(path).absoluteFilePath();
    addRecentFile(documentPath_);
    view_->history().stack()->setClean();
    setModified(false);
    updateTitle();
    return true;
}

bool CMainFrame::maybeSave()
{
    if (!modified_) return true;
    const auto answer = QMessageBox::warning(
        this, tr("KVR"), tr("Save changes to %1?").arg(documentPath_.isEmpty() ? tr("Untitled") : QFileInfo(documentPath_).fileName()),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save) return saveDocument();
    return answer == QMessageBox::Discard;
}

void CMainFrame::addRecentFile(const QString& path)
{
    QSettings settings;
    QStringList files = settings.value("RecentFiles").toStringList();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    files.removeAll(absolute);
    files.prepend(absolute);
    while (files.size() > kRecentFiles) files.removeLast();
    settings.setValue("RecentFiles", files);
    updateRecentFiles();
}

void CMainFrame::updateRecentFiles()
{
    const QStringList files = QSettings().value("RecentFiles").toStringList();
    for (int i = 0; i < kRecentFiles; ++i) {
        QAction* action = recentActions_[i];
        action->setVisible(i < files.size());
        if (i < files.size()) {
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(files[i]).fileName()));
            action->setData(files[i]);
            action->setStatusTip(files[i]);
        }
    }
    recentSeparator_->setVisible(!files.isEmpty());
}

void CMainFrame::exportPostScript()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Export to PS"), "graph.ps", tr("ps (*.ps)"));
    if (path.isEmpty()) return;
    if (!ExportPostScript(view_->graph(), withExtension(path, "ps").toStdString()))
        QMessageBox::warning(this, tr("KVR"), tr("Failed to save PostScript file"));
}

void CMainFrame::exportImage()
{
    QString start = QString::fromStdString(DefaultImageName(documentPath_.toStdString()));
    if (!documentPath_.isEmpty()) start = QFileInfo(documentPath_).dir().filePath(start);
    const QString path = QFileDialog::getSaveFileName(this, tr("Export to Image File"), start, tr("png (*.png)"));
    if (path.isEmpty()) return;
    const QImage image = view_->captureCleanImage();
    if (!SaveImagePng(image, withExtension(path, "png").toStdString()))
        QMessageBox::warning(this, tr("KVR"), tr(kImageSaveFailed));
}

void CMainFrame::exportSvg()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Export to SVG"), "graph.svg", tr("SVG drawings (*.svg)"));
    if (path.isEmpty()) return;
    if (!ExportSvg(view_->graph(), withExtension(path, "svg")))
        QMessageBox::warning(this, tr("KVR"), tr("Failed to save SVG file"));
}

void CMainFrame::exportPdf()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Export to PDF"), "graph.pdf", tr("PDF documents (*.pdf)"));
    if (path.isEmpty()) return;
    if (!ExportPdf(view_->graph(), withExtension(path, "pdf")))
        QMessageBox::warning(this, tr("KVR"), tr("Failed to save PDF file"));
}

QPrinter& CMainFrame::printer()
{
    if (!printer_) {
        printer_ = new QPrinter(QPrinter::HighResolution);
        const Viewport::Ortho o = view_->graph().viewport().setProjection();
        printer_->setPageOrientation(o.width > o.height ? QPageLayout::Landscape : QPageLayout::Portrait);
    }
    return *printer_;
}

void CMainFrame::print()
{
    QPrintDialog dialog(&printer(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    printOn(&printer());
}

// The painter of a printer starts at the printable area's corner.
void CMainFrame::printOn(QPrinter* target)
{
    QPainter painter(target);
    const QRect page = target->pageLayout().paintRectPixels(target->resolution());
    PaintGraphPage(view_->graph(), painter, QRectF(0, 0, page.width(), page.height()));
}

void CMainFrame::printPreview()
{
    QPrintPreviewDialog dialog(&printer(), this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, &CMainFrame::printOn);
    dialog.exec();
}

void CMainFrame::printSetup()
{
    QPageSetupDialog dialog(&printer(), this);
    dialog.exec();
}

void CMainFrame::about()
{
    QMessageBox box(this);
    box.setWindowTitle(tr("About KVR"));
    box.setIconPixmap(QIcon(":/icons/kvr.svg").pixmap(64, 64));
    box.setText(tr("<b>KVR</b> version %1").arg(QCoreApplication::applicationVersion()));
    box.setInformativeText(tr("A graphing workbench for teaching functions and curves: type or sketch "
                              "equations, reshape them, annotate them and find similar lessons."));
    box.exec();
}

// The tick brings the library up to date (a quiet folder costs nothing: an
// inotify watch says whether anything changed, with a full listing every 40
// ticks for folders that send no events; the listing and the reading of new
// and changed files run on a worker thread), then runs the search a moved or
// reshaped curve asked for.
void CMainFrame::timerTick()
{
    scanner_->loadLibrary(LibraryFolder());
    if (candidatesPending_ && !scanner_->scanning()) updateCandidates();
}

void CMainFrame::requestCandidates()
{
    if (scanner_->scanning()) candidatesPending_ = true;
    else updateCandidates();
}

void CMainFrame::updateCandidates()
{
    CFeature graph;
    view_->graph().computeFeature(graph);
    scanner_->updateCandidates(graph);
    candidatesPage_->refresh(scanner_->library().candidates());
    candidatesPending_ = false;
    candidatesShown_ = true;
}

void CMainFrame::showLibraryProgress(int done, int total)
{
    libraryProgress_->setRange(0, total);
    libraryProgress_->setValue(done);
    libraryProgress_->setVisible(done < total);
}

void CMainFrame::openCandidate(int index)
{
    const std::string path = scanner_->library().candidatePath(index);
    if (path.empty() || !maybeSave()) return;
    openFile(QFile::decodeName(QByteArray::fromStdString(path)));
}

void CMainFrame::configure()
{
    CConfigurationDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted) return;
    // Numbers print with the new precision at once.
    view_->update();
    scanner_->loadLibrary(LibraryFolder());
    requestCandidates();
}

// ---- window events ----

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!maybeSave()) {
        event->ignore();
        return;
    }
    QSettings settings;
    settings.setValue("Window/Geometry", saveGeometry());
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
