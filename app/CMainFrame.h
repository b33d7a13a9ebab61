#pragma once
// The main window: the graph view in the middle, the entry bar for typing
// equations above it and the status bar below.
#include <QtWidgets/QMainWindow>

class CKVRView;
class QLabel;
class QLineEdit;
class QPushButton;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);

    CKVRView* view() const { return view_; }
    QLineEdit* entryEdit() const { return entryEdit_; }

    // "Enter" and Return in the entry edit: the edit keeps its text.
    void enterEquation();

private:
    void buildEntryBar();
    void buildStatusBar();

    CKVRView* view_ = nullptr;
    QLineEdit* entryEdit_ = nullptr;
    QPushButton* enterButton_ = nullptr;
    QLabel* promptPane_ = nullptr;
    QLabel* pointerPane_ = nullptr;
};
