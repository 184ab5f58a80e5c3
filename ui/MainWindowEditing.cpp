// SPDX-License-Identifier: GPL-3.0-or-later
// The Edit menu's history items, the caption's unsaved-changes mark, the status bar's text and
// the VFO edits the dialog hands back.

#include "ui/MainWindow.h"

#include "ui/MemoryPanel.h"
#include "ui/UndoHistory.h"

#include "model/FieldText.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QUndoStack>

namespace ktv4::ui {

void MainWindow::buildEditItems(QMenu *edit)
{
    edit->addSeparator();
    QAction *undo = addMenuItem(edit, QStringLiteral("mnuEditUndoStep"), tr("Undo(&U)"));
    undo->setShortcut(QKeySequence::Undo);
    QAction *redo = addMenuItem(edit, QStringLiteral("mnuEditRedo"), tr("Redo(&R)"));
    redo->setShortcut(QKeySequence::Redo);
    QUndoStack *stack = m_history->stack();
    connect(undo, &QAction::triggered, stack, &QUndoStack::undo);
    connect(redo, &QAction::triggered, stack, &QUndoStack::redo);
    for (auto changed : {&QUndoStack::canUndoChanged, &QUndoStack::canRedoChanged})
        connect(stack, changed, this, &MainWindow::updateUndoItems);
    for (auto changed : {&QUndoStack::undoTextChanged, &QUndoStack::redoTextChanged})
        connect(stack, changed, this, &MainWindow::updateUndoItems);
    updateUndoItems();

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
            if (m_busy)
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
    // The items name the step they take back or do again: "Undo Delete channel 12". Nothing may
    // change the data while a transfer reads or writes it.
    const QUndoStack *stack = m_history->stack();
    QAction *undo = action(QStringLiteral("mnuEditUndoStep"));
    QAction *redo = action(QStringLiteral("mnuEditRedo"));
    undo->setEnabled(!m_busy && stack->canUndo());
    redo->setEnabled(!m_busy && stack->canRedo());
    undo->setText(stack->canUndo() ? tr("Undo %1(&U)").arg(stack->undoText()) : tr("Undo(&U)"));
    redo->setText(stack->canRedo() ? tr("Redo %1(&R)").arg(stack->redoText()) : tr("Redo(&R)"));
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

void MainWindow::applyVfoEdit(int vfo, const Vfo &edited)
{
    ImagePart before;
    before.vfos[vfo] = m_document.image().vfos[vfo];
    ImagePart after;
    after.vfos[vfo] = edited;
    m_document.submit({tr("Modify %1").arg(vfoLabel(vfo)), before, after});
}

} // namespace ktv4::ui
