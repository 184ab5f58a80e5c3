// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The memory grid's model: a view of the document's ChannelTable, 604 rows by 11 columns. It keeps
// no copy of the data; every cell is read from the table when the grid asks for it. It follows the
// document's announcements and tells the view exactly which rows changed.

#include "model/FieldText.h"

#include <QAbstractTableModel>

namespace ktv4 {
class CloneDocument;
}

namespace ktv4::ui {

class ChannelTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // True on the Frequency cell of a channel that transmits elsewhere (its split differs from its
    // frequency) while the Split Freq. column is hidden; the cell's tip then gives the split.
    static constexpr int SplitMarkRole = Qt::UserRole + 1;

    explicit ChannelTableModel(CloneDocument &document, QObject *parent = nullptr);

    // Whether the grid shows the Split Freq. column; while it does not, the Frequency cell marks
    // a channel whose split differs.
    void setSplitShown(bool shown);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Rows are dragged to move them within their bank; the drag also carries the channels as the
    // clipboard does, so a spreadsheet can take them.
    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    bool canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                         const QModelIndex &parent) const override;
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                      const QModelIndex &parent) override;

    // Every row is redrawn from the table (after an image was set up directly).
    void refreshAll();
    void refreshChannel(int channel);
    // Channels first..last, both included.
    void refreshChannels(int first, int last);

    // The text the grid shows for a field: blank for a channel not in use.
    QString cellText(int channel, ChannelColumn column) const;

signals:
    // A drop moved `count` channels to stand from `first` on.
    void channelsMoved(int first, int count);

private:
    // The dragged channels and where they go: the drop's row, or the row dropped on.
    QList<int> draggedChannels(const QMimeData *data) const;

    bool splitMarked(int channel) const;

    CloneDocument &m_document;
    bool m_splitShown = false;
};

} // namespace ktv4::ui
