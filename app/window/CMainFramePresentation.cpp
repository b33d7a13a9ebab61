// SPDX-License-Identifier: MIT
// View > Presentation: the window given over to the graph for a classroom,
// and given back exactly as it was.
#include "app/window/CMainFrame.h"

#include <QtCore/QSignalBlocker>
#include <QtGui/QAction>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDockWidget>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QToolBar>

#include "app/window/CKVRView.h"

void CMainFrame::setPresenting(bool on)
{
    QAction* toggle = command("presentation");
    QAction* leave = command("leavePresentation");
    QAction* fullScreen = command("fullScreen");
    if (on == isPresenting()) {
        toggle->setChecked(on);
        return;
    }
    if (on) {
        // Everything the presentation changes, taken before it changes any of it.
        // isHidden, not isVisible: what the teacher hid, whether or not the window is shown yet.
        presentation_ = Presentation{saveGeometry(), saveState(),        windowState(),
                                     !menuBar()->isHidden(), !statusBar()->isHidden(), sideYielded_,
                                     normalGeometry(),       view_->size(),     view_->graph().viewBoxes()};
        boxesAfterPresentation_.reset();
        for (QToolBar* bar : findChildren<QToolBar*>(QString(), Qt::FindDirectChildrenOnly))
            if (bar != entryBar_) bar->hide();
        for (QDockWidget* dock : findChildren<QDockWidget*>(QString(), Qt::FindDirectChildrenOnly)) dock->hide();
        entryBar_->show();
        menuBar()->hide();
        statusBar()->hide();
        setWindowState(windowState() | Qt::WindowFullScreen);
        view_->setMagnification(kPresentationMagnification);
    } else {
        const Presentation was = std::move(*presentation_);
        presentation_.reset();
        // The teacher goes on where the presentation left off: typing, say.
        QWidget* focused = focusWidget();
        view_->setMagnification(1.0);
        setWindowState(was.windowState);
        // The bars and docks where and as they were (hiding them unchecked
        // their View commands; showing them again checks them).
        restoreState(was.state);
        menuBar()->setVisible(was.menuBar);
        statusBar()->setVisible(was.statusBar);
        sideYielded_ = was.sideYielded;
        restoreGeometry(was.geometry);
        if (!(was.windowState & (Qt::WindowMaximized | Qt::WindowFullScreen))) setGeometry(was.normalGeometry);
        // The curves sampled as they were, once the view is back at its size:
        // now, or when the window system has given the window its size again.
        boxesAfterPresentation_ = std::make_pair(was.viewSize, was.viewBoxes);
        QApplication::sendPostedEvents(this, QEvent::LayoutRequest);
        putBackViewBoxes();
        if (focused && focused->isVisible()) focused->setFocus();
    }
    toggle->setChecked(on);
    leave->setEnabled(on);
    // Full Screen shows what the window is, not what it was asked last.
    const QSignalBlocker quiet(fullScreen);
    fullScreen->setChecked(windowState().testFlag(Qt::WindowFullScreen));
}

void CMainFrame::putBackViewBoxes()
{
    if (!boxesAfterPresentation_ || view_->size() != boxesAfterPresentation_->first) return;
    GraphManager& graph = view_->graph();
    graph.setClientSize(view_->width(), view_->height());
    graph.setViewBoxes(boxesAfterPresentation_->second);
    boxesAfterPresentation_.reset();
    view_->update();
}
