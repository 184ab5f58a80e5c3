// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowChrome.h"

#include <QAction>
#include <QCoreApplication>
#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QMainWindow>
#include <QStatusBar>
#include <QStyle>
#include <QTime>
#include <QTimer>
#include <QToolBar>

namespace ktv4::ui {

namespace {

// The toolbar buttons' keys, by which a click is dispatched.
const QString kKeyNew = QStringLiteral("新規作成");
const QString kKeyOpen = QStringLiteral("開く");
const QString kKeySave = QStringLiteral("上書き保存");
const QString kKeyHelp = QStringLiteral("ﾍﾙﾌﾟ");

} // namespace

QToolBar *addMainToolBar(QMainWindow &window, QHash<QString, QAction *> &actions)
{
    QToolBar *toolBar = window.addToolBar(QStringLiteral("tbToolBar"));
    toolBar->setObjectName(QStringLiteral("tbToolBar"));
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->toggleViewAction()->setEnabled(false);
    toolBar->setIconSize(QSize(16, 16));
    const struct {
        const char *menuItem;
        QString key;
        QStyle::StandardPixmap icon;
        QString toolTip;
    } buttons[] = {
        {"mnuFileNew", kKeyNew, QStyle::SP_FileIcon,
         QCoreApplication::translate("ktv4::ui::MainWindow", "New")},
        {"mnuFileOpen", kKeyOpen, QStyle::SP_DialogOpenButton,
         QCoreApplication::translate("ktv4::ui::MainWindow", "Open")},
        {"mnuFileSave", kKeySave, QStyle::SP_DialogSaveButton,
         QCoreApplication::translate("ktv4::ui::MainWindow", "Save")},
        {nullptr, QString(), QStyle::SP_CustomBase, QString()},
        {"mnuHelpAbout", kKeyHelp, QStyle::SP_MessageBoxQuestion,
         QCoreApplication::translate("ktv4::ui::MainWindow", "Help")},
    };
    for (const auto &b : buttons) {
        if (!b.menuItem) {
            toolBar->addSeparator();
            continue;
        }
        QAction *item = actions.value(QLatin1String(b.menuItem));
        item->setIcon(window.style()->standardIcon(b.icon));
        item->setIconVisibleInMenu(false);
        item->setToolTip(b.toolTip);
        item->setData(b.key);
        toolBar->addAction(item);
        actions.insert(QStringLiteral("tbToolBar_") + b.key, item);
    }
    return toolBar;
}

void addTabKeys(QWidget &window, const std::function<void(int)> &step, QHash<QString, QAction *> &actions)
{
    const struct {
        const char *name;
        int step;
        QList<QKeySequence> keys;
    } tabKeys[] = {
        {"nextTab", 1, {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)}},
        {"previousTab",
         -1,
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageUp)}},
    };
    for (const auto &k : tabKeys) {
        auto *keys = new QAction(&window);
        keys->setObjectName(QLatin1String(k.name));
        keys->setShortcuts(k.keys);
        QObject::connect(keys, &QAction::triggered, &window, [step, by = k.step] { step(by); });
        window.addAction(keys);
        actions.insert(keys->objectName(), keys);
    }
}

StatusClock::StatusClock(QStatusBar &bar) : QObject(&bar)
{
    m_date = new QLabel(&bar);
    m_date->setObjectName(QStringLiteral("sbStatusBar_Date"));
    m_time = new QLabel(&bar);
    m_time->setObjectName(QStringLiteral("sbStatusBar_Time"));
    bar.addPermanentWidget(m_date);
    bar.addPermanentWidget(m_time);
    showNow();
    auto *tick = new QTimer(this);
    tick->setInterval(1000);
    connect(tick, &QTimer::timeout, this, &StatusClock::showNow);
    tick->start();
}

void StatusClock::showNow()
{
    const QLocale locale;
    m_date->setText(locale.toString(QDate::currentDate(), QLocale::ShortFormat));
    m_time->setText(locale.toString(QTime::currentTime(), QLocale::ShortFormat));
}

} // namespace ktv4::ui
