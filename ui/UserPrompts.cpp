#include "ui/UserPrompts.h"

#include <QFileDialog>

namespace ktv4::ui {

MessageSpec errorMessage(const QString &text, const QString &details)
{
    MessageSpec spec;
    spec.icon = QMessageBox::Critical;
    spec.title = QStringLiteral("ERROR");
    spec.text = text;
    spec.buttons = QMessageBox::Ok;
    spec.defaultButton = QMessageBox::Ok;
    spec.details = details;
    return spec;
}

QMessageBox::StandardButton WidgetPrompts::message(QWidget *parent, const MessageSpec &spec)
{
    QMessageBox box(spec.icon, spec.title, spec.text, spec.buttons, parent);
    if (spec.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(spec.defaultButton);
    if (!spec.details.isEmpty())
        box.setDetailedText(spec.details);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString WidgetPrompts::openFileName(QWidget *parent, const FileDialogSpec &spec)
{
    return QFileDialog::getOpenFileName(parent, spec.caption, spec.fileName, spec.filter);
}

QString WidgetPrompts::saveFileName(QWidget *parent, const FileDialogSpec &spec)
{
    // The overwrite question is the dialog's own; no extension is added to a typed name.
    return QFileDialog::getSaveFileName(parent, spec.caption, spec.fileName, spec.filter);
}

} // namespace ktv4::ui
