// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The File menu's list of the clone files opened or saved last, kept in the program's settings
// store, the latest first.

#include <QStringList>

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

} // namespace ktv4::ui
