// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's history of changes to the image: every change the document applies becomes one
// step of a QUndoStack, which Edit > Undo and Redo walk. The stack's clean state is the
// unsaved-changes flag: undoing back to what the file holds makes the image unchanged again.

#include "files/CloneDocument.h"

#include <QObject>

class QAction;
class QUndoStack;

namespace ktv4::ui {

class UndoHistory : public QObject, public ChangeRecorder {
    Q_OBJECT
public:
    explicit UndoHistory(CloneDocument &document, QObject *parent = nullptr);
    ~UndoHistory() override;

    QUndoStack *stack() const { return m_stack; }
    // Edit > Undo and Redo: enabled while there is a step to take back or do again, and named
    // after it ("Undo Delete channel 12(&U)").
    QAction *createUndoItem(QObject *parent) const;
    QAction *createRedoItem(QObject *parent) const;

    void record(ImageChange change) override;
    void markSaved() override;
    void restart() override;

private:
    CloneDocument &m_document;
    QUndoStack *m_stack;
};

} // namespace ktv4::ui
