#include "app/CMainFrame.h"

#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QToolBar>

#include "app/CKVRView.h"

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("mainFrame");
    setWindowTitle(tr("KVR"));
    resize(1000, 750);
    view_ = new CKVRView(this);
    view_->setObjectName("graphView");
    setCentralWidget(view_);
    buildEntryBar();
    buildStatusBar();
}

void CMainFrame::buildEntryBar()
{
    auto* bar = new QToolBar(tr("Entry Bar"), this);
    bar->setObjectName("entryBar");
    bar->setMovable(false);
    entryEdit_ = new QLineEdit(bar);
    entryEdit_->setObjectName("entryEdit");
    entryEdit_->setPlaceholderText(tr("Type an equation, for example y = x^2 - 2, and press Enter"));
    enterButton_ = new QPushButton(tr("Enter"), bar);
    enterButton_->setObjectName("enterButton");
    bar->addWidget(entryEdit_);
    bar->addWidget(enterButton_);
    addToolBar(Qt::TopToolBarArea, bar);
    connect(entryEdit_, &QLineEdit::returnPressed, this, &CMainFrame::enterEquation);
    connect(enterButton_, &QPushButton::clicked, this, &CMainFrame::enterEquation);
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
    connect(view_, &CKVRView::statusMessage, pointerPane_, &QLabel::setText);
}

void CMainFrame::enterEquation()
{
    const QString text = entryEdit_->text();
    if (text.trimmed().isEmpty()) return;
    if (!view_->enterEquation(text))
        statusBar()->showMessage(tr("The equation could not be read."), 5000);
}
