// SPDX-License-Identifier: MIT
#include "app/window/CConfigurationDialog.h"

#include <QtCore/QRegularExpression>
#include <QtGui/QRegularExpressionValidator>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>

#include "app/LibrarySettings.h"
#include "app/PrecisionGuard.h"
#include "mathex/SmartNumber.h"

CConfigurationDialog::CConfigurationDialog(QWidget* parent)
    : QDialog(parent), pathEdit_(new QLineEdit(this)), precisionEdit_(new QLineEdit(this)),
      browseButton_(new QPushButton(tr("..."), this))
{
    setObjectName("configurationDialog");
    setWindowTitle(tr("Configuration"));
    pathEdit_->setObjectName("libraryPathEdit");
    pathEdit_->setMinimumWidth(320);
    precisionEdit_->setObjectName("precisionEdit");
    precisionEdit_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    browseButton_->setObjectName("browseButton");
    browseButton_->setAutoDefault(false);
    connect(browseButton_, &QPushButton::clicked, this, &CConfigurationDialog::browse);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName("buttons");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    auto* pathLabel = new QLabel(tr("Default Library Path"), this);
    pathLabel->setBuddy(pathEdit_);
    layout->addWidget(pathLabel, 0, 0);
    layout->addWidget(pathEdit_, 0, 1);
    layout->addWidget(browseButton_, 0, 2);
    auto* precisionLabel = new QLabel(tr("Display Precision of Equation"), this);
    precisionLabel->setBuddy(precisionEdit_);
    layout->addWidget(precisionLabel, 1, 0);
    layout->addWidget(precisionEdit_, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 3);
    load();
}

void CConfigurationDialog::load()
{
    pathEdit_->setText(LibraryFolder());
    precisionEdit_->setText(QString::number(MathEx::DisplayPrecision()));
}

QString CConfigurationDialog::chooseFolder(QWidget* parent, const QString& initial)
{
    return QFileDialog::getExistingDirectory(parent, tr("Current Selection"), initial);
}

void CConfigurationDialog::browse()
{
    const QString chosen = chooser_(this, pathEdit_->text());
    if (!chosen.isEmpty()) pathEdit_->setText(chosen);
}

void CConfigurationDialog::accept()
{
    const std::optional<int> precision = ParseDecimals(precisionEdit_->text().toStdString());
    if (!precision) {
        QMessageBox::warning(this, tr("KVR"), tr("Please enter an integer."));
        precisionEdit_->setFocus();
        return;
    }
    MathEx::SetDisplayPrecision(*precision);
    // The sample library stays "no folder chosen", so it follows KVR when it moves.
    const QString folder = pathEdit_->text();
    StoreConfiguration(folder == SampleLibraryFolder() ? QString() : folder, *precision);
    QDialog::accept();
}
