// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ShownColumns.h"

#include "model/FieldText.h"

#include "files/PortSetting.h"

#include <QAction>
#include <QMenu>
#include <QSettings>

namespace ktv4::ui {

namespace {

// The columns hidden at start that the View menu can show, with their settings keys.
struct ShownColumn {
    int column;
    const char *name;
    const char *key;
};
constexpr ShownColumn kShownColumns[] = {
    {ColPwr, "mnuViewPwr", "View/PwrColumn"},
    {ColTone, "mnuViewTone", "View/ToneColumn"},
    {ColSplit, "mnuViewSplit", "View/SplitColumn"},
};

} // namespace

ShownColumns::ShownColumns(const QString &settingsStore, QObject *parent)
    : QObject(parent), m_settingsStore(settingsStore)
{
}

QList<QAction *> ShownColumns::addViewItems(QMenu *view)
{
    const QString columnCaptions[] = {tr("Pwr Column(&P)"), tr("Tone Column(&O)"),
                                      tr("Split Freq. Column(&L)")};
    for (const ShownColumn &c : kShownColumns) {
        QAction *item = view->addAction(columnCaptions[m_items.size()]);
        item->setObjectName(QLatin1String(c.name));
        item->setCheckable(true);
        connect(item, &QAction::toggled, this, &ShownColumns::apply);
        connect(item, &QAction::triggered, this, &ShownColumns::remember);
        m_items << item;
    }
    return m_items;
}

void ShownColumns::restore()
{
    const std::unique_ptr<QSettings> store = openSettingsStore(m_settingsStore);
    for (int i = 0; i < m_items.size(); ++i)
        m_items[i]->setChecked(store->value(QLatin1String(kShownColumns[i].key), false).toBool());
}

void ShownColumns::apply()
{
    QList<int> shown;
    for (int i = 0; i < m_items.size(); ++i) {
        if (m_items[i]->isChecked())
            shown << kShownColumns[i].column;
    }
    emit shownChanged(shown);
}

void ShownColumns::remember()
{
    const std::unique_ptr<QSettings> store = openSettingsStore(m_settingsStore);
    for (int i = 0; i < m_items.size(); ++i)
        store->setValue(QLatin1String(kShownColumns[i].key), m_items[i]->isChecked());
}

} // namespace ktv4::ui
