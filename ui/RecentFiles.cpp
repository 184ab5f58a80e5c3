// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/RecentFiles.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <algorithm>

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

QStringList recentFileNames(const QStringList &files)
{
    QStringList names;
    for (const QString &file : files)
        names << QFileInfo(file).fileName();
    QStringList shown = names;
    for (qsizetype i = 0; i < files.size(); ++i) {
        const auto alike = std::count_if(names.cbegin(), names.cend(), [&](const QString &name) {
            return name.compare(names[i], Qt::CaseInsensitive) == 0;
        });
        if (alike > 1)
            shown[i] =
                QStringLiteral("%1 (%2)").arg(names[i], QDir::toNativeSeparators(QFileInfo(files[i]).path()));
    }
    return shown;
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

QList<QAction *> insertRecentItems(QMenu *menu, QAction *before, const QStringList &files,
                                   const std::function<void(const QString &)> &open)
{
    QList<QAction *> items;
    menu->setToolTipsVisible(true);
    const QStringList names = recentFileNames(files);
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        QString name = names[i];
        auto *item =
            new QAction(QCoreApplication::translate("ktv4::ui::MainWindow", "&%1 %2")
                            .arg(QString::number(i + 1), name.replace(QLatin1Char('&'), QLatin1String("&&"))),
                        menu);
        item->setObjectName(QStringLiteral("mnuFileRecent_%1").arg(i));
        item->setStatusTip(QDir::toNativeSeparators(path));
        item->setToolTip(QDir::toNativeSeparators(path));
        QObject::connect(item, &QAction::triggered, item, [open, path] { open(path); });
        menu->insertAction(before, item);
        items << item;
    }
    if (!items.isEmpty())
        items << menu->insertSeparator(before);
    return items;
}

} // namespace ktv4::ui
