// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's furniture besides its menus: the toolbar of menu items, the keys that step through
// the tabs, and the date and time at the right end of the status bar.

#include <QHash>
#include <QObject>
#include <QString>
#include <functional>

class QAction;
class QLabel;
class QMainWindow;
class QStatusBar;
class QToolBar;
class QWidget;

namespace ktv4::ui {

// The toolbar: New, Open, Save and Help. The buttons are the menu's own items (found in `actions`
// by their menu names), so they run the same commands and a transfer disables both; each gets its
// icon, its short tip and its key, and is also named "tbToolBar_" + key in `actions`.
QToolBar *addMainToolBar(QMainWindow &window, QHash<QString, QAction *> &actions);

// Ctrl+Tab and Ctrl+PgDn call `step` with 1, Ctrl+Shift+Tab and Ctrl+PgUp with -1, wherever the
// focus is in the window; the two actions are named nextTab and previousTab in `actions`.
void addTabKeys(QWidget &window, const std::function<void(int)> &step, QHash<QString, QAction *> &actions);

// The date and the time, in the user's short formats, at the right end of the status bar; they
// follow the clock every second.
class StatusClock : public QObject {
    Q_OBJECT
public:
    explicit StatusClock(QStatusBar &bar);

private:
    void showNow();

    QLabel *m_date = nullptr;
    QLabel *m_time = nullptr;
};

} // namespace ktv4::ui
