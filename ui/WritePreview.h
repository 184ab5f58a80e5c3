// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a write is about to change in the radio, shown before any write from the window: the
// channels added, removed and changed, the VFOs and the settings, compared with what the radio
// is known to hold; or, when nothing is known of it, a summary of what will be written. The
// user answers Write or Cancel; Cancel is the default.

#include "files/CloneDocument.h"
#include "link/WritePlan.h"

#include <QDialog>
#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace ktv4::ui {

struct WritePreview {
    QString title;        // "Write Memory"
    QString summary;      // one or two sentences: what is compared, how many records go out
    QString modelWarning; // set when the image's model or variant is not the radio's
    QStringList lines;    // the changes, or the summary of what will be written
    int records = 0;      // records the write sends
};

// The preview of `plan`, made from the document as it stands.
WritePreview writePreview(const CloneDocument &document, const WritePlan &plan);

class WritePreviewDialog : public QDialog {
    Q_OBJECT
public:
    explicit WritePreviewDialog(const WritePreview &preview, QWidget *parent = nullptr);

private:
    QLabel *m_warning;
    QLabel *m_summary;
    QPlainTextEdit *m_lines;
    QPushButton *m_write;
    QPushButton *m_cancel;
};

} // namespace ktv4::ui
