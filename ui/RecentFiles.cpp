// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/RecentFiles.h"

#include <QFileInfo>
#include <QSettings>

namespace ktv4::ui {

namespace {

const QString kKey = QStringLiteral("Recent/Files");

} // namespace

QStringList withRecentFile(const QStringList &files, const QString &path)
{
    const QString latest = QFileInfo(path).absoluteFilePath();
    QStringList list{latest};
    for (const QString &file : files) {
        if (list.size() == kRecentFileCount)
            break;
        if (file != latest)
            list << file;
    }
    return list;
}

QStringList readRecentFiles(QSettings &store)
{
    QStringList files = store.value(kKey).toStringList();
    files.removeAll(QString());
    return files.mid(0, kRecentFileCount);
}

void writeRecentFiles(QSettings &store, const QStringList &files)
{
    store.setValue(kKey, files);
    store.sync();
}

} // namespace ktv4::ui
