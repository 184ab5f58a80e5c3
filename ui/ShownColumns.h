// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// View > Pwr Column, Tone Column and Split Freq. Column: the grid columns hidden at start that the
// user can show, each remembered in the program settings.

#include <QList>
#include <QObject>
#include <QString>

class QAction;
class QMenu;

namespace ktv4::ui {

class ShownColumns : public QObject {
    Q_OBJECT
public:
    // `settingsStore` is the INI file the choices are kept in (empty: the per-user settings store).
    ShownColumns(const QString &settingsStore, QObject *parent);

    // Adds the checkable items to `view` and returns them.
    QList<QAction *> addViewItems(QMenu *view);
    // Checks the items as they were left; the grids follow.
    void restore();

signals:
    // The columns (ColPwr, ColTone, ColSplit) the grids are to show.
    void shownChanged(const QList<int> &columns);

private:
    void apply();
    void remember();

    QString m_settingsStore;
    QList<QAction *> m_items;
};

} // namespace ktv4::ui
