// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ChannelTableModel.h"

#include "files/ChannelClipboard.h"
#include "files/ChannelEdits.h"
#include "files/CloneDocument.h"
#include "model/ChannelNaming.h"

#include <QDataStream>
#include <QIODevice>
#include <QMimeData>

namespace {

// The dragged rows' channel numbers, for a move inside the grid.
constexpr char kRowsMimeType[] = "application/x-ktv4clone-rows";

} // namespace

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
    return channelFieldText(m_document.image().channels[channel], column);
}

bool ChannelTableModel::splitMarked(int channel) const
{
    const Channel &c = m_document.image().channels[channel];
    return !m_splitShown && c.inUse && c.split != c.frequency;
}

void ChannelTableModel::setSplitShown(bool shown)
{
    if (shown == m_splitShown)
        return;
    m_splitShown = shown;
    emit dataChanged(index(0, ColFrequency), index(kChannelCount - 1, ColFrequency),
                     {SplitMarkRole, Qt::ToolTipRole});
}

QVariant ChannelTableModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    if (role == Qt::DisplayRole)
        return cellText(index.row(), static_cast<ChannelColumn>(index.column()));
    if (index.column() != ColFrequency || (role != SplitMarkRole && role != Qt::ToolTipRole))
        return {};
    const bool marked = splitMarked(index.row());
    if (role == SplitMarkRole)
        return marked;
    if (!marked)
        return {};
    return tr("Transmits on %1 (Split Freq.)")
        .arg(frequencyText(m_document.image().channels[index.row()].split));
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
    // Rows can be dropped between other rows, and on them.
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    // Cells are changed through the buttons and the edit dialog, never in place.
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren | Qt::ItemIsDragEnabled |
           Qt::ItemIsDropEnabled;
}

Qt::DropActions ChannelTableModel::supportedDragActions() const
{
    return Qt::MoveAction | Qt::CopyAction;
}

Qt::DropActions ChannelTableModel::supportedDropActions() const
{
    return Qt::MoveAction;
}

QStringList ChannelTableModel::mimeTypes() const
{
    return {QLatin1String(kRowsMimeType)};
}

QMimeData *ChannelTableModel::mimeData(const QModelIndexList &indexes) const
{
    QList<int> channels;
    for (const QModelIndex &index : indexes)
        channels << index.row();
    channels = normalizedChannels(channels);
    QMimeData *data = channelsMimeData(m_document.image().channels, channels);
    QByteArray rows;
    QDataStream out(&rows, QIODevice::WriteOnly);
    out << channels;
    data->setData(QLatin1String(kRowsMimeType), rows);
    return data;
}

QList<int> ChannelTableModel::draggedChannels(const QMimeData *data) const
{
    if (!data || !data->hasFormat(QLatin1String(kRowsMimeType)))
        return {};
    QList<int> channels;
    QDataStream in(data->data(QLatin1String(kRowsMimeType)));
    in >> channels;
    return normalizedChannels(channels);
}

namespace {

int dropPlace(int row, const QModelIndex &parent)
{
    return row >= 0 ? row : parent.isValid() ? parent.row() : -1;
}

} // namespace

bool ChannelTableModel::canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int,
                                        const QModelIndex &parent) const
{
    const QList<int> channels = draggedChannels(data);
    const int before = dropPlace(row, parent);
    if (action != Qt::MoveAction || channels.isEmpty() || before < 0)
        return false;
    // Within the dragged rows' bank only: the place may be right after its last channel.
    const ChannelRange bank = bankOf(channels.first());
    return bankOf(channels.last()).first == bank.first && before >= bank.first && before <= bank.last + 1;
}

bool ChannelTableModel::dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                                     const QModelIndex &parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    const QList<int> channels = draggedChannels(data);
    const int before = dropPlace(row, parent);
    const QString text = channels.size() == 1 ? tr("Move channel %1").arg(csvChannelField(channels.first()))
                                              : tr("Move %1 channels").arg(channels.size());
    m_document.submit(moveChannels(m_document.image(), channels, before, text));
    emit channelsMoved(movedTo(channels, before), int(channels.size()));
    return true;
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
    emit dataChanged(index(first, 0), index(last, kChannelColumns - 1),
                     {Qt::DisplayRole, SplitMarkRole, Qt::ToolTipRole});
}

} // namespace ktv4::ui
