// SPDX-License-Identifier: GPL-3.0-or-later
// The Edit menu's history items and Modify, the caption's unsaved-changes mark, the status bar's
// text and the VFO edits the dialog hands back.

#include "ui/MainWindow.h"

#include "ui/MemoryPanel.h"
#include "ui/ModifyDialog.h"
#include "ui/SettingsPanel.h"
#include "ui/UndoHistory.h"

#include "model/FieldText.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenu>

namespace ktv4::ui {

void MainWindow::buildEditItems(QMenu *edit)
{
    edit->addSeparator();
    // The history's own items; nothing may change the data while a transfer reads or writes it.
    m_historyItems = new QActionGroup(this);
    m_historyItems->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    const std::pair<QAction *, const char *> historyItems[] = {
        {m_history->createUndoItem(edit), "mnuEditUndoStep"},
        {m_history->createRedoItem(edit), "mnuEditRedo"}};
    for (const auto &[item, name] : historyItems) {
        item->setObjectName(QLatin1String(name));
        edit->addAction(item);
        m_historyItems->addAction(item);
        m_actions.insert(item->objectName(), item);
    }

    // The channels of the Memory tab: cut, copy and paste with the platform's keys, and finding a
    // channel.
    edit->addSeparator();
    const struct {
        const char *name;
        QString caption;
        QKeySequence::StandardKey key;
        void (MemoryPanel::*command)();
    } items[] = {
        {"mnuEditCut", tr("Cut(&T)"), QKeySequence::Cut, &MemoryPanel::cutChannels},
        {"mnuEditCopy", tr("Copy(&C)"), QKeySequence::Copy, &MemoryPanel::copyChannels},
        {"mnuEditPaste", tr("Paste(&P)"), QKeySequence::Paste, &MemoryPanel::pasteChannels},
        {"mnuEditFind", tr("Find(&F)..."), QKeySequence::Find, &MemoryPanel::showFind},
    };
    for (const auto &item : items) {
        QAction *action = addMenuItem(edit, QLatin1String(item.name), item.caption);
        action->setShortcut(item.key);
        const auto command = item.command;
        const bool finds = item.key == QKeySequence::Find;
        connect(action, &QAction::triggered, this, [this, command, finds] {
            if (isBusy())
                return;
            // Finding brings the grid into view; the others act only where the grid is shown.
            if (finds)
                showTab(MemoryTab);
            if (shownTab() == MemoryTab)
                (m_memoryPanel->*command)();
        });
        if (!finds)
            m_busyDisabled << action;
    }
}

void MainWindow::updateUndoItems()
{
    m_historyItems->setEnabled(!isBusy());
}

void MainWindow::showCaption(const QString &caption)
{
    // Qt shows "*" in place of the mark while the window is modified, and nothing otherwise.
    setWindowTitle(caption + QStringLiteral("[*]"));
    setWindowModified(m_document.dataChanged());
}

void MainWindow::showStatus(const QString &text)
{
    m_statusText->setText(text);
    m_statusText->setToolTip(text);
}

void MainWindow::modify()
{
    if (isBusy())
        return;
    if (shownTab() == SettingsTab)
        modifyVfo(m_settingsPanel->currentVfo());
    else
        m_memoryPanel->modifyCurrentChannel();
}

void MainWindow::modifyVfo(int vfo)
{
    if (isBusy())
        return;
    if (const std::optional<Vfo> edited = m_modifyDialog->edit(m_document.image().vfos[vfo], vfo))
        applyVfoEdit(vfo, *edited);
}

void MainWindow::applyVfoEdit(int vfo, const Vfo &edited)
{
    ImagePart before;
    before.vfos[vfo] = m_document.image().vfos[vfo];
    ImagePart after;
    after.vfos[vfo] = edited;
    m_document.submit({tr("Modify %1").arg(vfoLabel(vfo)), before, after});
}

} // namespace ktv4::ui
