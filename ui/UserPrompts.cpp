#include "ui/UserPrompts.h"

#include "ui/WritePreview.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>

namespace ktv4::ui {

QString nameBeside(const QString &path, const QString &suffix)
{
    const QFileInfo file(path);
    const QString other = file.path() + QLatin1Char('/') + file.completeBaseName() + suffix;
    return other == path ? file.path() + QLatin1Char('/') : other;
}

MessageRequest errorMessage(const QString &text, const QString &details)
{
    MessageRequest request;
    request.icon = QMessageBox::Critical;
    request.title = QCoreApplication::translate("ktv4::ui::UserPrompts", "ERROR");
    request.text = text;
    request.buttons = QMessageBox::Ok;
    request.defaultButton = QMessageBox::Ok;
    request.details = details;
    return request;
}

bool UserPrompts::confirmWrite(QWidget *parent, const WritePreview &preview)
{
    WritePreviewDialog dialog(preview, parent);
    return dialog.exec() == QDialog::Accepted;
}

QMessageBox::StandardButton WidgetPrompts::message(QWidget *parent, const MessageRequest &request)
{
    QMessageBox box(request.icon, request.title, request.text, request.buttons, parent);
    if (request.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(request.defaultButton);
    if (!request.details.isEmpty())
        box.setDetailedText(request.details);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString WidgetPrompts::openFileName(QWidget *parent, const FileDialogRequest &request)
{
    return QFileDialog::getOpenFileName(parent, request.caption, request.fileName, request.filter,
                                        request.selectedFilter);
}

QString WidgetPrompts::saveFileName(QWidget *parent, const FileDialogRequest &request)
{
    // The overwrite question is the dialog's own; no extension is added to a typed name.
    return QFileDialog::getSaveFileName(parent, request.caption, request.fileName, request.filter,
                                        request.selectedFilter);
}

} // namespace ktv4::ui
