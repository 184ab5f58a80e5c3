// The Edit menu's history items, the caption's unsaved-changes mark, the status bar's text and
// the VFO edits the dialog hands back.

#include "ui/MainWindow.h"

#include "ui/UndoHistory.h"

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
}

void MainWindow::applyVfoEdit(int vfo, const VfoRow &row)
{
    ImagePart before;
    before.vfos[vfo] = m_document.image().vfos[vfo];
    ImagePart after;
    after.vfos[vfo] = row;
    m_document.submit({tr("Modify %1").arg(vfoLabel(vfo)), before, after});
}

} // namespace ktv4::ui
