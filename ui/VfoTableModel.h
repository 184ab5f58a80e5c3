// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The VFO grid's model: a view of the document's VfoTable. Grid column 0 is the row label
// ("VFO A", "VFO B"); model column c shows field c.

#include <QAbstractTableModel>

namespace ktv4 {
class CloneDocument;
}

namespace ktv4::ui {

class VfoTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The model's columns, named after the VFO's fields (the channel columns Frequency .. NB).
    enum Column : int { Frequency = 0, Mode, Gain, Agc, Pwr, Filter, Tone, Nb, ColumnCount };

    explicit VfoTableModel(CloneDocument &document, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

public slots:
    void refreshAll();        // both rows redrawn from the VFO table
    void refreshVfo(int vfo); // one row, after a read or an edit

private:
    CloneDocument &m_document;
};

} // namespace ktv4::ui
