// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/VfoTableModel.h"

#include "files/CloneDocument.h"
#include "model/FieldText.h"

namespace ktv4::ui {

VfoTableModel::VfoTableModel(CloneDocument &document, QObject *parent)
    : QAbstractTableModel(parent), m_document(document)
{
    static_assert(ColumnCount == kVfoColumns);
    connect(&m_document, &CloneDocument::vfoChanged, this, &VfoTableModel::refreshVfo);
    connect(&m_document, &CloneDocument::imageReplaced, this, &VfoTableModel::refreshAll);
}

int VfoTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kVfoCount;
}

int VfoTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant VfoTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    return vfoFieldText(m_document.image().vfos[index.row()], ChannelColumn(index.column()));
}

QVariant VfoTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section >= 0 && section < kVfoCount ? vfoLabel(section) : QVariant();
    return section >= 0 && section < ColumnCount ? channelColumnTitles().at(section) : QVariant();
}

void VfoTableModel::refreshAll()
{
    emit dataChanged(index(0, 0), index(kVfoCount - 1, ColumnCount - 1), {Qt::DisplayRole});
}

void VfoTableModel::refreshVfo(int vfo)
{
    if (vfo >= 0 && vfo < kVfoCount)
        emit dataChanged(index(vfo, 0), index(vfo, ColumnCount - 1), {Qt::DisplayRole});
}

} // namespace ktv4::ui
