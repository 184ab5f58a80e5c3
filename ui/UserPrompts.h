// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The seam through which windows ask the user something: message boxes and file dialogs.
// The program uses WidgetPrompts; tests plug in scripted answers and read what was asked.

#include "base/FileStatus.h"

#include <QMessageBox>
#include <QString>

class QWidget;

namespace ktv4::ui {

struct MessageRequest {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    // The reason, right under the text: the file and what is wrong with it, the port and what
    // failed, what a write left in the radio.
    QString informative;
    QString details; // optional "Show Details..." text, for long lists (the rows an import dropped)
};

// "ERROR", critical icon, OK: the program's error box, with the reason under its text.
MessageRequest errorMessage(const QString &text, const QString &reason = QString());

// The error box for a file that could not be opened, read or written: the reason names the file.
MessageRequest fileErrorMessage(const FileResult &result, const QString &path);

// Save or Cancel before a save rewrites a memory file that holds comments of the user's own.
MessageRequest dropCommentsQuestion(const QString &path);

struct FileDialogRequest {
    QString caption;
    QString fileName; // starts with the previously chosen name
    QString filter;   // Qt form: "Orvane KT-V4 Clone Files (*.TV4);;All Files (*)"
    // When set: in, the filter the dialog starts with; out, the one the user left it on.
    QString *selectedFilter = nullptr;
    QString defaultSuffix; // save dialogs: added to a chosen name without an extension ("TV4", "csv")
};

// `path` with "." + `suffix` added when its file name has no extension of its own (a folder is
// left as it is: writing to it fails with the usual message).
QString withDefaultSuffix(const QString &path, const QString &suffix);

// The name a save dialog proposes for a file of another kind beside `path`: the same name with
// `suffix` (".TV4", ".csv"), or only the folder when that would be `path` itself. A hasty Enter
// must never offer to overwrite a file of the other kind.
QString nameBeside(const QString &path, const QString &suffix);

struct WritePreview;

class UserPrompts {
public:
    virtual ~UserPrompts() = default;
    // The preview before a write: true to write. Shows the preview dialog; Cancel is its default.
    virtual bool confirmWrite(QWidget *parent, const WritePreview &preview);
    virtual QMessageBox::StandardButton message(QWidget *parent, const MessageRequest &request) = 0;
    // Empty when cancelled.
    virtual QString openFileName(QWidget *parent, const FileDialogRequest &request) = 0;
    virtual QString saveFileName(QWidget *parent, const FileDialogRequest &request) = 0;
};

// Real QMessageBox and QFileDialog.
class WidgetPrompts : public UserPrompts {
public:
    QMessageBox::StandardButton message(QWidget *parent, const MessageRequest &request) override;
    QString openFileName(QWidget *parent, const FileDialogRequest &request) override;
    QString saveFileName(QWidget *parent, const FileDialogRequest &request) override;
};

} // namespace ktv4::ui
