// SPDX-License-Identifier: MIT
// The command table: every command of the menus and the toolbar, with its
// text, keys, icon and prompt, and what it does.
#include "app/window/CMainFrame.h"

#include <QtGui/QUndoStack>
#include <QtWidgets/QLineEdit>

#include "app/window/CKVRView.h"
#include "app/window/EquationEntry.h"

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
    a = addCommand("saveAs", tr("Save &As..."), QString(), tr("Save the active document with a new name"));
    // Not every desktop names a Save As key; Ctrl+Shift+S is the one teachers know.
    a->setShortcuts(QKeySequence::keyBindings(QKeySequence::SaveAs).isEmpty()
                        ? QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}
                        : QKeySequence::keyBindings(QKeySequence::SaveAs));
    on(a, &CMainFrame::saveDocumentAs);
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
    a->setShortcut(QKeySequence::Quit);
    connect(a, &QAction::triggered, this, &QWidget::close);

    a = addCommand("undo", tr("&Undo"), QString(), tr("Undo the last action"));
    a->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    on(a, &CMainFrame::undo);
    a = addCommand("redo", tr("&Redo"), QString(), tr("Redo the previously undone action"));
    a->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(a, &QAction::triggered, this, [this] {
        view_->endGesture();
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
    a = addCommand("copyGraph", tr("Copy &Graph"), QString(),
                   tr("Put the graph on the Clipboard as a picture and a drawing, for slides and worksheets"));
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    addAction(a);  // the key works wherever the focus is, the entry bar included
    on(a, &CMainFrame::copyGraph);
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
        v->togglePenInput();
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
        v->endGesture();
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
    a = addCommand("handbook", tr("KVR &Handbook"), QString(), tr("How to type, sketch, reshape, save and print"));
    a->setShortcuts(QKeySequence::HelpContents);
    on(a, &CMainFrame::showHandbook);

    // The view's own zoom (the wheel's), and full screen for the projector.
    a = addCommand("zoomIn", tr("Zoom &In"), QString(), tr("Show the graph larger"));
    a->setShortcuts(QKeySequence::ZoomIn);
    connect(a, &QAction::triggered, this, [v] { v->changeView([v] { v->graph().mouseWheel(120, 0, 0); }); });
    a = addCommand("zoomOut", tr("Zoom &Out"), QString(), tr("Show more of the graph"));
    a->setShortcuts(QKeySequence::ZoomOut);
    connect(a, &QAction::triggered, this, [v] { v->changeView([v] { v->graph().mouseWheel(-120, 0, 0); }); });
    a = addCommand("actualSize", tr("&Actual Size"), QString(), tr("The graph at its usual size"));
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    connect(a, &QAction::triggered, this, [v] { v->changeView([v] { v->graph().resetScale(); }); });
    a = addCommand("fullScreen", tr("&Full Screen"), QString(), tr("Show the window on the whole screen"));
    a->setCheckable(true);
    QList<QKeySequence> fullScreenKeys = QKeySequence::keyBindings(QKeySequence::FullScreen);
    if (!fullScreenKeys.contains(QKeySequence(Qt::Key_F11))) fullScreenKeys.prepend(QKeySequence(Qt::Key_F11));
    a->setShortcuts(fullScreenKeys);
    connect(a, &QAction::toggled, this, [this](bool on) { setWindowState(windowState().setFlag(Qt::WindowFullScreen, on)); });
    a = addCommand("presentation", tr("&Presentation"), QString(),
                   tr("Show the graph on the whole screen with thicker lines and larger texts; Esc leaves"));
    a->setCheckable(true);
    a->setShortcut(QKeySequence(Qt::Key_F5));
    addAction(a);  // the menu bar is hidden while presenting: the key must still reach the command
    connect(a, &QAction::triggered, this, [this](bool on) { setPresenting(on); });
    // Esc leaves a presentation wherever the focus is; otherwise it is the view's and the edit's.
    a = addCommand("leavePresentation", tr("Leave Presentation"));
    a->setShortcut(QKeySequence(Qt::Key_Escape));
    a->setEnabled(false);
    addAction(a);
    connect(a, &QAction::triggered, this, [this] { setPresenting(false); });
}
