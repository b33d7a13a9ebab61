// SPDX-License-Identifier: MIT
#pragma once
// Options > Configuration: the library folder and the display precision.
// OK checks the precision, makes it the display precision at once and stores
// both settings; Cancel changes nothing.
#include <functional>

#include <QtWidgets/QDialog>

class QLineEdit;
class QPushButton;

class CConfigurationDialog : public QDialog {
    Q_OBJECT
public:
    // The folder chooser "..." opens: takes the initial folder ("" for none),
    // gives the chosen one, or "" when the user cancels.
    using FolderChooser = std::function<QString(QWidget* parent, const QString& initial)>;

    explicit CConfigurationDialog(QWidget* parent = nullptr);

    // Shows the stored library folder (the sample library when none is
    // stored) and the current display precision.
    void load();

    QLineEdit* pathEdit() const { return pathEdit_; }
    QLineEdit* precisionEdit() const { return precisionEdit_; }
    QPushButton* browseButton() const { return browseButton_; }
    void setFolderChooser(FolderChooser chooser) { chooser_ = std::move(chooser); }

    // The standard chooser: QFileDialog::getExistingDirectory titled "Current Selection".
    static QString chooseFolder(QWidget* parent, const QString& initial);

    void accept() override;

private:
    void browse();

    QLineEdit* pathEdit_;
    QLineEdit* precisionEdit_;
    QPushButton* browseButton_;
    FolderChooser chooser_ = &CConfigurationDialog::chooseFolder;
};
