// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ChannelSortProxy.h"

#include "files/CloneDocument.h"
#include "model/ChannelOrder.h"

#include <QHeaderView>
#include <QTableView>

namespace ktv4::ui {

ChannelSortProxy::ChannelSortProxy(CloneDocument &document, QObject *parent)
    : QSortFilterProxyModel(parent), m_document(document)
{
    setObjectName(QStringLiteral("ChannelSortProxy"));
}

void ChannelSortProxy::install(QTableView *grid)
{
    m_grid = grid;
    grid->setModel(this);
    QHeaderView *header = grid->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(false);
    connect(header, &QHeaderView::sectionClicked, this, &ChannelSortProxy::cycleSort);
}

void ChannelSortProxy::cycleSort(int column)
{
    if (column != sortColumn())
        sort(column, Qt::AscendingOrder);
    else if (sortOrder() == Qt::AscendingOrder)
        sort(column, Qt::DescendingOrder);
    else
        sort(-1);
    if (!m_grid)
        return;
    QHeaderView *header = m_grid->horizontalHeader();
    header->setSortIndicatorShown(isSorted());
    if (isSorted())
        header->setSortIndicator(sortColumn(), sortOrder());
}

int ChannelSortProxy::channelAt(int row) const
{
    return mapToSource(index(row, 0)).row();
}

int ChannelSortProxy::rowOf(int channel) const
{
    return mapFromSource(sourceModel()->index(channel, 0)).row();
}

bool ChannelSortProxy::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    const Channel &a = m_document.image().channels[left.row()];
    const Channel &b = m_document.image().channels[right.row()];
    // Empty channels last in both directions; among themselves, and between equals, channel order
    // (the sort is stable).
    if (a.inUse != b.inUse)
        return sortOrder() == Qt::AscendingOrder ? a.inUse : b.inUse;
    if (!a.inUse)
        return false;
    return compareByColumn(a, b, ChannelColumn(left.column())) < 0;
}

} // namespace ktv4::ui
