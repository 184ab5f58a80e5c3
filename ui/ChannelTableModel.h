#pragma once
// The memory grid's model: a view of the document's ChannelTable, 604 rows by 11 columns. It keeps
// no copy of the data; every cell is read from the table when the grid asks for it. It follows the
// document's announcements and tells the view exactly which rows changed.

#include "model/ChannelCodec.h"

#include <QAbstractTableModel>

namespace ktv4 {
class CloneDocument;
}

namespace ktv4::ui {

class ChannelTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ChannelTableModel(CloneDocument &document, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Every row is redrawn from the table (after an image was set up directly).
    void refreshAll();
    void refreshChannel(int channel);
    // Channels first..last, both included.
    void refreshChannels(int first, int last);

    // The text the grid shows for a cell: the cell's text when the channel is in use, blank when not.
    QString cellText(int channel, ChannelColumn column) const;

private:
    CloneDocument &m_document;
};

} // namespace ktv4::ui
