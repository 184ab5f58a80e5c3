// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File > Print..., Print Preview... and Export PDF...: the channels in use or the selection, in
// the grid's visible columns and the view's order, as a list or as cards. The options are asked
// first; the pages come from the same renderer as `ktv4cli print`.

#include "print/ChannelPrinter.h"

#include <QDialog>
#include <QObject>

class QComboBox;
class QPagedPaintDevice;

namespace ktv4 {
class CloneDocument;
}

namespace ktv4::ui {

class MemoryPanel;
class UserPrompts;

// Layout, channels and paper of a printout.
class PrintOptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit PrintOptionsDialog(QWidget *parent = nullptr);
    // `selected` channels are offered when more than one is selected.
    void prepare(int selected, bool askPaper);
    PrintLayout layout() const;
    bool selectionOnly() const;
    QPageSize paper() const;

private:
    QComboBox *m_layout;
    QComboBox *m_channels;
    QComboBox *m_paper;
};

class PrintCommands : public QObject {
    Q_OBJECT
public:
    PrintCommands(CloneDocument &document, UserPrompts &prompts, MemoryPanel &panel, QWidget *window);

    PrintOptionsDialog *options() const { return m_options; }
    // The job the options and the grid make: channels in the view's order, its visible columns.
    PrintJob job() const;

public slots:
    void print();
    void printPreview();
    // True when a file was written.
    bool exportPdf();

signals:
    void statusMessage(const QString &text);

private:
    bool askOptions(bool askPaper);

    CloneDocument &m_document;
    UserPrompts &m_prompts;
    MemoryPanel &m_panel;
    QWidget *m_window;
    PrintOptionsDialog *m_options;
    QString m_lastPdf;
};

} // namespace ktv4::ui
