// SPDX-License-Identifier: MIT
#pragma once
// The main window: menus, toolbar, the entry bar for typing equations, the
// graph view in the middle, the side bar (candidates and equation options),
// the zoom and palette bars and the status bar. It routes every command of
// the command table to the view's graph, the document or a dialog.
#include <QtCore/QByteArray>
#include <QtCore/QHash>
#include <QtCore/QRect>
#include <QtCore/QSize>
#include <QtCore/QString>
#include <QtCore/QTimer>
#include <QtWidgets/QMainWindow>

#include "app/window/EquationEntry.h"
#include "graph/GraphManager.h"
#include "sketch/CFeature.h"

#include <functional>
#include <memory>
#include <optional>

class CBmpButton;
class CCandidatesDialog;
class CKVRDoc;
class CKVRView;
class LibraryScanner;
class EqOptionDialog;
class HandbookDialog;
class EquationObject;

class PalleteButton;
class QAction;
class QDockWidget;
class QLabel;
class QLineEdit;
class QPrinter;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QToolBar;
class ZoomDialogBar;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kRecentFiles = 4;  // documents listed in the File menu

    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    CKVRView* view() const { return view_; }
    EquationEntry* entryEdit() const { return entryEdit_; }
    ZoomDialogBar* zoomBar() const { return zoomBar_; }
    QDockWidget* zoomDock() const { return zoomDock_; }
    QDockWidget* sideDock() const { return sideDock_; }
    QToolBar* paletteBar() const { return paletteBar_; }
    QToolBar* mainToolBar() const { return toolBar_; }
    CBmpButton* paintButton() const { return paintButton_; }
    EqOptionDialog* optionsPage() const { return optionsPage_; }
    HandbookDialog* handbook() const { return handbook_; }
    PalleteButton* colourButton(int i) const { return colourButtons_[i]; }
    // A command by its name in the command table ("new", "grid", …).
    QAction* command(const QString& name) const { return commands_.value(name); }

    // "Enter" and Return in the entry edit: an equation that is added leaves
    // the edit empty for the next; one that is not stays, and the status bar
    // says why.
    void enterEquation();

    CCandidatesDialog* candidatesPage() const { return candidatesPage_; }
    LibraryScanner& libraryScanner() const { return *scanner_; }
    // `updateCandidates` and the page's refresh, or a mark to do it at the next
    // tick while a library scan runs.
    void requestCandidates();

signals:
    // A candidate search was asked for (it runs now or at the next tick).
    void candidatesRequested();

public:
    // The signature the Candidates page was last searched for.
    const CFeature& searchedFeature() const { return searchedFor_; }
    // "configuration": the Configuration dialog; OK rescans the library.
    void configure();
    // `openCandidate`: opens candidate `index` as the Open command opens a file.
    void openCandidate(int index);

    // The document's path, "" while untitled.
    QString documentPath() const { return documentPath_; }

    // View > Presentation (F5), for the back row of a classroom: the whole
    // screen, only the entry bar above the graph, and the graph's lines and
    // texts kPresentationMagnification times their size. Esc, F5 or the
    // command again leave it, and the window is as it was: its state and
    // geometry, the bars and the side bar. Nothing of it reaches the document.
    static constexpr double kPresentationMagnification = 1.6;
    void setPresenting(bool on);
    bool isPresenting() const { return presentation_.has_value(); }

    // Opens a document (File > Open, a recent file, a dropped file, the
    // command line); on failure says why and keeps the graph as it was.
    bool openFile(const QString& path);
    // Saves the graph to `path`; on failure says why and keeps the old file.
    bool saveFile(const QString& path);
    // Where errors go: a message box unless replaced (tests record them).
    using MessageHandler = std::function<void(const QString& message, const QString& detail)>;
    void setMessageHandler(MessageHandler handler) { messageHandler_ = std::move(handler); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildCommands();
    void buildMenus();
    void buildToolBar();
    void buildEntryBar();
    void buildSideBar();
    void buildZoomBar();
    void buildPaletteBar();
    void buildStatusBar();
    QAction* addCommand(const QString& name, const QString& text, const QString& icon = QString(),
                        const QString& tip = QString());

    // Check marks and enabling follow the graph.
    void refreshCommands();
    void selectionChanged(EquationObject* selected);
    void setModified(bool modified);
    void updateTitle();

    // Commands.
    void newDocument();
    void openDocument();
    bool saveDocument();
    bool saveDocumentAs();
    void exportPostScript();
    void exportImage();
    void exportSvg();
    // Edit > Copy Graph: the graph as the view shows it (labels, no
    // selection) on the clipboard, as a PNG at twice the screen's resolution
    // and as an SVG drawing.
    void copyGraph();
    void fitToScreen();
    void yieldSideBar();
    void exportPdf();
    // The file name an export or save dialog offers: the document's own name
    // with `extension`, beside it ("Untitled" while it has none).
    QString suggestedName(const QString& extension) const;
    void print();
    void printPreview();
    void printSetup();
    void printOn(QPrinter* target);
    void undo();
    void openAttribOptions();
    void togglePaint();
    void about();
    void showHandbook();
    void timerTick();
    void updateCandidates();
    void searchAfterEdit();
    void showLibraryProgress(int done, int total);

    // Asks to save a modified document; false when the user cancels.
    bool maybeSave();
    void documentChanged();
    void showError(const QString& message, const QString& detail);
    void addRecentFile(const QString& path);
    void updateRecentFiles();
    QPrinter& printer();

    CKVRView* view_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QToolBar* entryBar_ = nullptr;
    QToolBar* paletteBar_ = nullptr;
    EquationEntry* entryEdit_ = nullptr;
    QPushButton* enterButton_ = nullptr;
    QDockWidget* sideDock_ = nullptr;
    bool sideYielded_ = false;  // hidden by a narrow window, not by the teacher
    QTabWidget* sideTabs_ = nullptr;
    EqOptionDialog* optionsPage_ = nullptr;
    QDockWidget* zoomDock_ = nullptr;
    ZoomDialogBar* zoomBar_ = nullptr;
    PalleteButton* colourButtons_[4] = {};
    CBmpButton* paintButton_ = nullptr;
    QLabel* pointerPane_ = nullptr;
    QProgressBar* libraryProgress_ = nullptr;
    CCandidatesDialog* candidatesPage_ = nullptr;
    LibraryScanner* scanner_ = nullptr;
    QHash<QString, QAction*> commands_;
    QList<QAction*> recentActions_;
    QAction* recentSeparator_ = nullptr;
    QTimer timer_;
    QPrinter* printer_ = nullptr;
    HandbookDialog* handbook_ = nullptr;
    EquationObject* selected_ = nullptr;  // as last reported by the graph
    bool candidatesPending_ = false;
    bool candidatesShown_ = false;  // the page lists a search's result: library changes refresh it
    bool candidatesStale_ = false;  // the graph changed while the side bar was closed
    CFeature searchedFor_;          // the signature the page's candidates were found for
    bool modified_ = false;
    QString documentPath_;
    // The window as it was before presenting, to come back to; null while not presenting.
    struct Presentation {
        QByteArray geometry, state;  // saveGeometry(), saveState()
        Qt::WindowStates windowState;
        bool menuBar = true, statusBar = true, sideYielded = false;
        QRect normalGeometry;        // where a window neither maximised nor full screen stood
        QSize viewSize;  // the graph's size, which a document's thumbnail keeps
        GraphManager::ViewBoxes viewBoxes;  // and how its curves were sampled for it
    };
    std::optional<Presentation> presentation_;
    // After a presentation: the curves' boxes to put back once the view has its old size.
    std::optional<std::pair<QSize, GraphManager::ViewBoxes>> boxesAfterPresentation_;
    void putBackViewBoxes();
    std::unique_ptr<CKVRDoc> doc_;
    MessageHandler messageHandler_;
};
