// SPDX-License-Identifier: MIT
// The library side of the window: the tick that keeps the library up to
// date, the candidate search and the Candidates page, the Configuration dialog.
#include "app/window/CMainFrame.h"

#include <QtCore/QFile>
#include <QtWidgets/QDockWidget>
#include <QtWidgets/QProgressBar>

#include "app/window/CCandidatesDialog.h"
#include "app/window/CConfigurationDialog.h"
#include "app/window/CKVRView.h"
#include "app/window/LibraryScanner.h"
#include "app/LibrarySettings.h"

// The tick brings the library up to date (a quiet folder costs nothing: an
// inotify watch says whether anything changed, with a full listing every 40
// ticks besides, and at every tick for a folder on a network or user-space
// file system, which sends no events; the listing and the reading of new and
// changed files run on a worker thread), then runs the search a moved or
// reshaped curve asked for.
void CMainFrame::timerTick()
{
    scanner_->loadLibrary(LibraryFolder());
    if (candidatesPending_ && !scanner_->scanning()) updateCandidates();
}

void CMainFrame::requestCandidates()
{
    emit candidatesRequested();
    if (scanner_->scanning()) candidatesPending_ = true;
    else updateCandidates();
}

// The search feeds the side bar; with the side bar closed it would be work
// nobody sees, so it waits until the side bar opens.
void CMainFrame::searchAfterEdit()
{
    if (sideDock_->isVisible()) requestCandidates();
    else candidatesStale_ = true;
}

void CMainFrame::updateCandidates()
{
    CFeature graph;
    view_->graph().computeFeature(graph);
    scanner_->updateCandidates(graph);
    searchedFor_ = graph;
    candidatesPage_->refresh(scanner_->library().candidates());
    candidatesPending_ = false;
    candidatesStale_ = false;
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
