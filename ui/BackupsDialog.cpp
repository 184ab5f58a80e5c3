// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BackupsDialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace ktv4::ui {

BackupsDialog::BackupsDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgBackups"));
    setWindowTitle(tr("Backups"));
    auto *layout = new QVBoxLayout(this);
    auto *folder = new QLabel(this);
    folder->setObjectName(QStringLiteral("lblFolder"));
    folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(folder);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("lstBackups"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({tr("Time"), tr("Model"), tr("Read or write"), tr("Holds")});
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(m_list, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    m_open = buttons->addButton(tr("Open"), QDialogButtonBox::AcceptRole);
    m_open->setObjectName(QStringLiteral("cmdOpen"));
    m_open->setEnabled(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *item) { m_open->setEnabled(item != nullptr); });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    layout->addWidget(buttons);
    resize(560, 360);
}

void BackupsDialog::showBackups(const BackupStore &store)
{
    findChild<QLabel *>(QStringLiteral("lblFolder"))->setText(QDir::toNativeSeparators(store.folder()));
    m_list->clear();
    for (const BackupEntry &b : store.list()) {
        // What came from the radio, or was to go to it; a backup named before that was part of the
        // name tells its channels in use.
        QString holds = BackupStore::scopeText(b.scope);
        if (holds.isEmpty()) {
            const int inUse = BackupStore::channelsInUse(b.path);
            holds = inUse < 0 ? tr("damaged") : tr("%1 channels in use").arg(inUse);
        }
        auto *item =
            new QTreeWidgetItem(m_list, {b.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), b.model,
                                         b.reason == BackupReason::Read ? tr("read") : tr("write"), holds});
        item->setData(0, Qt::UserRole, b.path);
        item->setToolTip(0, QDir::toNativeSeparators(b.path));
    }
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    m_open->setEnabled(m_list->currentItem() != nullptr);
}

QString BackupsDialog::chosenPath() const
{
    const QTreeWidgetItem *item = m_list->currentItem();
    return item ? item->data(0, Qt::UserRole).toString() : QString();
}

} // namespace ktv4::ui
