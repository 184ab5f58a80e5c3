// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Answers the windows' questions from a script and records what was asked.

#include "ui/UserPrompts.h"
#include "ui/WritePreview.h"

#include <QList>
#include <QQueue>

namespace ktv4::test {

class ScriptedPrompts : public ui::UserPrompts {
public:
    QList<ui::MessageRequest> messages;          // every message box shown, in order
    QQueue<QMessageBox::StandardButton> answers; // next answers; OK / the default when empty
    QQueue<QString> fileNames;                   // next file dialog results; "" = cancelled
    QList<ui::FileDialogRequest> fileDialogs;
    QQueue<QString> selectedFilters; // the filter each next file dialog is left on; kept when empty

    // The preview before each write, and the next answers to it (Write when none is queued).
    QList<ui::WritePreview> writePreviews;
    QQueue<bool> writeAnswers;

    bool confirmWrite(QWidget *, const ui::WritePreview &preview) override
    {
        writePreviews << preview;
        return writeAnswers.isEmpty() || writeAnswers.dequeue();
    }

    QMessageBox::StandardButton message(QWidget *, const ui::MessageRequest &request) override
    {
        messages << request;
        if (!answers.isEmpty())
            return answers.dequeue();
        return request.defaultButton != QMessageBox::NoButton ? request.defaultButton : QMessageBox::Ok;
    }
    QString openFileName(QWidget *, const ui::FileDialogRequest &request) override
    {
        return nextFile(request);
    }
    QString saveFileName(QWidget *, const ui::FileDialogRequest &request) override
    {
        return nextFile(request);
    }

private:
    QString nextFile(const ui::FileDialogRequest &request)
    {
        fileDialogs << request;
        if (request.selectedFilter && !selectedFilters.isEmpty())
            *request.selectedFilter = selectedFilters.dequeue();
        return fileNames.isEmpty() ? QString() : fileNames.dequeue();
    }
};

} // namespace ktv4::test
