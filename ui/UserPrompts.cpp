// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/UserPrompts.h"

#include "ui/WritePreview.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QRegularExpression>
#include <QSpacerItem>

namespace ktv4::ui {

QString nameBeside(const QString &path, const QString &suffix)
{
    const QFileInfo file(path);
    const QString other = file.path() + QLatin1Char('/') + file.completeBaseName() + suffix;
    return other == path ? file.path() + QLatin1Char('/') : other;
}

QString withDefaultSuffix(const QString &path, const QString &suffix)
{
    const QFileInfo file(path);
    if (path.isEmpty() || suffix.isEmpty() || !file.suffix().isEmpty() || file.isDir())
        return path;
    return path.endsWith(QLatin1Char('.')) ? path + suffix : path + QLatin1Char('.') + suffix;
}

MessageRequest errorMessage(const QString &text, const QString &reason)
{
    MessageRequest request;
    request.icon = QMessageBox::Critical;
    request.title = QCoreApplication::translate("ktv4::ui::UserPrompts", "ERROR");
    request.text = text;
    request.buttons = QMessageBox::Ok;
    request.defaultButton = QMessageBox::Ok;
    request.informative = reason;
    return request;
}

MessageRequest fileErrorMessage(const FileResult &result, const QString &path)
{
    const QString name = QDir::toNativeSeparators(path);
    // Reasons from the system name the file already.
    QString reason = result.detail;
    if (!name.isEmpty() && !reason.contains(name))
        reason = reason.isEmpty() ? name : QStringLiteral("%1: %2").arg(name, reason);
    return errorMessage(messageText(result.status), reason);
}

bool UserPrompts::confirmWrite(QWidget *parent, const WritePreview &preview)
{
    WritePreviewDialog dialog(preview, parent);
    return dialog.exec() == QDialog::Accepted;
}

namespace {

// The grid's labels of the P channels ("A-P1", "B-P2") kept whole where a line wraps.
QString labelsKeptWhole(QString text)
{
    static const QRegularExpression label(QStringLiteral("\\b([AB])-(P[12])\\b"));
    return text.replace(label, QStringLiteral("\\1-\u2060\\2")); // a word joiner after the hyphen
}

} // namespace

QMessageBox::StandardButton WidgetPrompts::message(QWidget *parent, const MessageRequest &request)
{
    QMessageBox box(request.icon, request.title, labelsKeptWhole(request.text), request.buttons, parent);
    if (request.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(request.defaultButton);
    if (!request.informative.isEmpty()) {
        box.setInformativeText(labelsKeptWhole(request.informative));
        // Wide enough for a reason and a summary of records to read as sentences, not as a column.
        if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
            grid->addItem(new QSpacerItem(box.fontMetrics().averageCharWidth() * 80, 0, QSizePolicy::Minimum,
                                          QSizePolicy::Fixed),
                          grid->rowCount(), 0, 1, grid->columnCount());
    }
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
    // The dialog adds the extension itself, so its overwrite question is about the file that
    // will really be written.
    QFileDialog dialog(parent, request.caption, request.fileName, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (request.selectedFilter && !request.selectedFilter->isEmpty())
        dialog.selectNameFilter(*request.selectedFilter);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    if (request.selectedFilter)
        *request.selectedFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().value(0);
}

} // namespace ktv4::ui
