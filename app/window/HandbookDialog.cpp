// SPDX-License-Identifier: MIT
#include "app/window/HandbookDialog.h"

#include <QtCore/QFile>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QTextBrowser>
#include <QtWidgets/QVBoxLayout>

static void initHandbookResources()
{
    Q_INIT_RESOURCE(handbook);
}

HandbookDialog::HandbookDialog(QWidget* parent) : QDialog(parent), browser_(new QTextBrowser(this))
{
    setObjectName("handbook");
    setWindowTitle(tr("KVR Handbook"));
    browser_->setObjectName("handbookText");
    browser_->setAccessibleName(tr("KVR Handbook"));
    browser_->setOpenExternalLinks(true);
    browser_->setMarkdown(text());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_);
    layout->addWidget(buttons);
    resize(720, 640);
}

QString HandbookDialog::text()
{
    initHandbookResources();
    QFile file(":/docs/handbook.md");
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}
