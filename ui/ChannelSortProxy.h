// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The memory grid's sorted view: sits between the channel model and the grid. A click on a
// heading sorts by that column, a second click reverses, a third brings back channel order. The
// sort is the view's alone: the image and the history are not touched, and the row labels move
// with their rows. Frequencies sort as numbers; empty channels come last either way.

#include <QSortFilterProxyModel>

class QTableView;

namespace ktv4 {
class CloneDocument;
}

namespace ktv4::ui {

class ChannelSortProxy : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit ChannelSortProxy(CloneDocument &document, QObject *parent = nullptr);

    // Shows the model through this view in `grid` and makes its headings sort on a click.
    void install(QTableView *grid);
    // What a click on the heading of `column` does: ascending, then descending, then channel order.
    void cycleSort(int column);
    bool isSorted() const { return sortColumn() >= 0; }

    // The channel a grid row shows, and the grid row of a channel.
    int channelAt(int row) const;
    int rowOf(int channel) const;

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    CloneDocument &m_document;
    QTableView *m_grid = nullptr;
};

} // namespace ktv4::ui
