// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Edit > Arrange...: the rule, the range and the options, with a preview of every move (old label
// -> new label) and of how many records a Write Changes will then send. Arrange hands the change
// to the document as one step of the history.

#include "files/ChannelArrange.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace ktv4 {
class CloneDocument;
}

namespace ktv4::ui {

class ArrangeDialog : public QDialog {
    Q_OBJECT
public:
    ArrangeDialog(CloneDocument &document, QWidget *parent = nullptr);

    // Opens the dialog for `selection` (the grid's selected channels), offered as the first range
    // when it holds more than one channel.
    void prepare(const QList<int> &selection);

    // The range the dialog now arranges, and what arranging it would do.
    QList<int> range() const;
    const ArrangeResult &result() const { return m_result; }
    QListWidget *preview() const { return m_moves; }
    QComboBox *ruleList() const { return m_rule; }
    QComboBox *rangeList() const { return m_range; }

    void accept() override;

signals:
    // Arranged: `moved` channels in use changed place.
    void arranged(int moved);

private:
    void update();
    QString writeSummary() const;

    CloneDocument &m_document;
    QList<int> m_selection;
    ArrangeResult m_result;
    QComboBox *m_rule;
    QComboBox *m_range;
    QCheckBox *m_pack;
    QCheckBox *m_gaps;
    QListWidget *m_moves;
    QLabel *m_summary;
    QPushButton *m_arrange;
};

} // namespace ktv4::ui
