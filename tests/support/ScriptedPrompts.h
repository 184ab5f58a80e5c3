#pragma once
// Answers the windows' questions from a script and records what was asked.

#include "ui/UserPrompts.h"

#include <QList>
#include <QQueue>

namespace ktv4::test {

class ScriptedPrompts : public ui::UserPrompts {
public:
    QList<ui::MessageSpec> messages;     // every message box shown, in order
    QQueue<QMessageBox::StandardButton> answers; // next answers; OK / the default when empty
    QQueue<QString> fileNames;           // next file dialog results; "" = cancelled
    QList<ui::FileDialogSpec> fileDialogs;

    QMessageBox::StandardButton message(QWidget *, const ui::MessageSpec &spec) override
    {
        messages << spec;
        if (!answers.isEmpty())
            return answers.dequeue();
        return spec.defaultButton != QMessageBox::NoButton ? spec.defaultButton : QMessageBox::Ok;
    }
    QString openFileName(QWidget *, const ui::FileDialogSpec &spec) override { return nextFile(spec); }
    QString saveFileName(QWidget *, const ui::FileDialogSpec &spec) override { return nextFile(spec); }

private:
    QString nextFile(const ui::FileDialogSpec &spec)
    {
        fileDialogs << spec;
        return fileNames.isEmpty() ? QString() : fileNames.dequeue();
    }
};

} // namespace ktv4::test
