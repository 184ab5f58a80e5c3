// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Edit menu's commands that put channels in order: Arrange... and Select Duplicates, and the
// File menu's printing items, added to the window's menus.

#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace ktv4 {
class CloneDocument;
}

namespace ktv4::ui {

class ArrangeDialog;
class MemoryPanel;
class PrintCommands;
class UserPrompts;

class ArrangeCommands : public QObject {
    Q_OBJECT
public:
    ArrangeCommands(CloneDocument &document, UserPrompts &prompts, MemoryPanel &panel, QWidget *window);

    // Edit > Arrange... and Select Duplicates; the items that change the image are returned (a
    // transfer disables them).
    QList<QAction *> addEditItems(QMenu *edit);
    // File > Print..., Print Preview..., Export PDF..., after `print` (the window's Print item).
    void addFileItems(QMenu *file, QAction *print);

    ArrangeDialog *dialog() const { return m_dialog; }
    PrintCommands *printing() const { return m_print; }

public slots:
    void arrange();
    // Selects every channel whose frequency and mode repeat an earlier channel's.
    int selectDuplicates();

signals:
    void statusMessage(const QString &text);

private:
    CloneDocument &m_document;
    MemoryPanel &m_panel;
    ArrangeDialog *m_dialog;
    PrintCommands *m_print;
};

} // namespace ktv4::ui
