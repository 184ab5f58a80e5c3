// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The File menu's list of the clone files opened or saved last, kept in the program's settings
// store, the latest first.

#include <QList>
#include <QStringList>
#include <functional>

class QAction;
class QMenu;

class QSettings;

namespace ktv4::ui {

constexpr int kRecentFileCount = 8;

// `path` (made absolute) first, then the other names in their order without it, at most
// kRecentFileCount names.
QStringList withRecentFile(const QStringList &files, const QString &path);

// The names the File menu shows for `files`: each file's name, followed by its folder when
// another file of the list has the same name.
QStringList recentFileNames(const QStringList &files);

QStringList readRecentFiles(QSettings &store);
void writeRecentFiles(QSettings &store, const QStringList &files);

// The File menu's items for `files` ("&1 f9.TV4", the whole path as the tip), inserted before
// `before`, each handing its file to `open`, and a separator after them when there are any.
// Returns what was inserted.
QList<QAction *> insertRecentItems(QMenu *menu, QAction *before, const QStringList &files,
                                   const std::function<void(const QString &)> &open);

} // namespace ktv4::ui
