#include "ui/ChannelTableModel.h"

#include "files/CloneDocument.h"
#include "model/ChannelNaming.h"

namespace ktv4::ui {

ChannelTableModel::ChannelTableModel(CloneDocument &document, QObject *parent)
    : QAbstractTableModel(parent), m_document(document)
{
    // The grid follows the document's announcements: exactly the rows that changed are redrawn.
    connect(&m_document, &CloneDocument::channelsChanged, this, &ChannelTableModel::refreshChannels);
    connect(&m_document, &CloneDocument::imageReplaced, this, &ChannelTableModel::refreshAll);
}

int ChannelTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kChannelCount;
}

int ChannelTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kChannelColumns;
}

QString ChannelTableModel::cellText(int channel, ChannelColumn column) const
{
    const ChannelRow &row = m_document.image().channels[channel];
    return row.inUse ? row.cells[column].text : QString();
}

QVariant ChannelTableModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    return cellText(index.row(), static_cast<ChannelColumn>(index.column()));
}

QVariant ChannelTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < kChannelColumns ? channelColumnTitles().at(section) : QVariant();
    return section >= 0 && section < kChannelCount ? gridRowLabel(section) : QVariant();
}

Qt::ItemFlags ChannelTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    // Cells are changed through the buttons and the edit dialog, never in place.
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void ChannelTableModel::refreshAll()
{
    refreshChannels(0, kChannelCount - 1);
}

void ChannelTableModel::refreshChannel(int channel)
{
    refreshChannels(channel, channel);
}

void ChannelTableModel::refreshChannels(int first, int last)
{
    first = std::max(first, 0);
    last = std::min(last, kChannelCount - 1);
    if (first > last)
        return;
    // One signal for the whole range: the view keeps its current row and scroll position.
    emit dataChanged(index(first, 0), index(last, kChannelColumns - 1), {Qt::DisplayRole});
}

} // namespace ktv4::ui
