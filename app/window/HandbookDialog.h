// SPDX-License-Identifier: MIT
#pragma once
// Help > KVR Handbook: the short handbook that ships inside the program
// (docs/handbook.md, the same text as in the repository), shown as rich
// text. Not modal: it can stay open beside the graph.
#include <QtWidgets/QDialog>

class QTextBrowser;

class HandbookDialog : public QDialog {
    Q_OBJECT
public:
    explicit HandbookDialog(QWidget* parent = nullptr);

    QTextBrowser* browser() const { return browser_; }
    // The handbook's Markdown text ("" when the resource is missing).
    static QString text();

private:
    QTextBrowser* browser_;
};
