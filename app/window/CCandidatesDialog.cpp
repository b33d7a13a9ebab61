// SPDX-License-Identifier: MIT
#include "app/window/CCandidatesDialog.h"

#include <QtCore/QFile>
#include <QtGui/QPainter>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QVBoxLayout>

CCandidatesDialog::CCandidatesDialog(QWidget* parent) : QWidget(parent), list_(new QListWidget(this))
{
    setObjectName("candidatesPage");
    list_->setObjectName("candidatesList");
    list_->setAccessibleName(tr("Candidates"));
    list_->setAccessibleDescription(tr("The five lessons of the library closest to the graph; Return opens one."));
    list_->setViewMode(QListView::IconMode);
    list_->setIconSize(QSize(kIconSide, kIconSide));
    // One column, read from the top: the closest first.
    list_->setFlow(QListView::TopToBottom);
    list_->setWrapping(false);
    list_->setMovement(QListView::Static);
    list_->setResizeMode(QListView::Adjust);
    list_->setWordWrap(true);
    list_->setSpacing(4);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);
    // A double click, or Return on the current item.
    connect(list_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { emit candidateActivated(list_->row(item)); });
}

QString CCandidatesDialog::itemText(int index, const Candidate& candidate)
{
    // The name as the folder holds it, decoded as the file system's names are.
    const QByteArray name = QFile::decodeName(QByteArray::fromStdString(candidate.name)).toUtf8();
    return QString::asprintf("[%d] %s [score: %f]", index + 1, name.constData(), candidate.score);
}

QPixmap CCandidatesDialog::iconPicture(const QImage& thumbnail)
{
    QPixmap icon(kIconSide, kIconSide);
    icon.fill(Qt::transparent);
    if (thumbnail.isNull()) return icon;
    const QImage scaled = thumbnail.scaled(kIconSide, kIconSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&icon);
    painter.drawImage((kIconSide - scaled.width()) / 2, (kIconSide - scaled.height()) / 2, scaled);
    return icon;
}

void CCandidatesDialog::refresh(const std::vector<Candidate>& candidates)
{
    list_->clear();
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        auto* item = new QListWidgetItem(QIcon(iconPicture(candidates[i].thumbnail)), itemText(int(i), candidates[i]));
        item->setToolTip(item->text());
        list_->addItem(item);
    }
}
