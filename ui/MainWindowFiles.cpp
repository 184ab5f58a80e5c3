// SPDX-License-Identifier: GPL-3.0-or-later
// The File menu: New, Open, Save, Save As, Import, Export, the recent files, the shared save
// question, and files dropped on the window.

#include "ui/MainWindow.h"

#include "ui/MemoryCommands.h"
#include "ui/RecentFiles.h"
#include "ui/UserPrompts.h"

#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QTimer>

namespace ktv4::ui {

namespace {

QString cloneFilter()
{
    return MainWindow::tr("Orvane KT-V4 Clone Files (*.TV4);;All Files (*)");
}

const QString kCloneSuffix = QStringLiteral("TV4");

// The one local ".TV4" or ".csv" file a drag carries, or empty.
QString droppedFile(const QMimeData *data)
{
    if (!data || data->urls().size() != 1 || !data->urls().first().isLocalFile())
        return {};
    const QString path = data->urls().first().toLocalFile();
    const QString suffix = QFileInfo(path).suffix();
    const bool known = suffix.compare(kCloneSuffix, Qt::CaseInsensitive) == 0 ||
                       suffix.compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0;
    return known ? path : QString();
}

} // namespace

bool MainWindow::askSaveChanges()
{
    if (!m_document.dataChanged())
        return true;
    MessageRequest question;
    question.icon = QMessageBox::Information;
    question.title = tr("Save Changes");
    question.text = tr("Save changes to settings?");
    question.buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    question.defaultButton = QMessageBox::Yes;
    switch (m_prompts.message(this, question)) {
    case QMessageBox::Yes:
        // Changes the user wanted kept but that were not saved (the file could not be written, or
        // its dialog was cancelled) are not thrown away: the command stops as on Cancel.
        return fileSave();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

QString MainWindow::chooseFile(bool save, const QString &filter)
{
    FileDialogRequest request;
    request.fileName =
        save && m_lastNameIsCsv ? nameBeside(m_lastFileName, QStringLiteral(".TV4")) : m_lastFileName;
    request.filter = filter;
    request.defaultSuffix = save ? kCloneSuffix : QString();
    const QString chosen = save ? withDefaultSuffix(m_prompts.saveFileName(this, request), kCloneSuffix)
                                : m_prompts.openFileName(this, request);
    if (!chosen.isEmpty()) {
        m_lastFileName = chosen;
        m_lastNameIsCsv = false;
    }
    return chosen;
}

void MainWindow::showFileError(const FileResult &result, const QString &path)
{
    m_prompts.message(this, fileErrorMessage(result, path));
}

void MainWindow::fileNew()
{
    if (m_busy || !askSaveChanges())
        return;
    m_document.newImage();
}

void MainWindow::fileOpen()
{
    if (m_busy || !askSaveChanges())
        return;
    const QString path = chooseFile(false, cloneFilter());
    if (!path.isEmpty())
        loadCloneFile(path);
}

void MainWindow::openCloneFile(const QString &path)
{
    if (m_busy || !askSaveChanges())
        return;
    m_lastFileName = path;
    m_lastNameIsCsv = false;
    loadCloneFile(path);
}

bool MainWindow::loadCloneFile(const QString &path)
{
    const FileResult result = m_document.load(path);
    if (!result.ok()) {
        showFileError(result, path);
        // A recent file that is gone leaves the list; one that could not be read stays.
        if (!QFileInfo::exists(path) && m_recentFiles.contains(QFileInfo(path).absoluteFilePath())) {
            m_recentFiles.removeAll(QFileInfo(path).absoluteFilePath());
            writeRecentFiles(*openSettingsStore(), m_recentFiles);
            showRecentFiles();
        }
        return false;
    }
    rememberRecentFile(path);
    return true;
}

void MainWindow::rememberRecentFile(const QString &path)
{
    m_recentFiles = withRecentFile(m_recentFiles, path);
    writeRecentFiles(*openSettingsStore(), m_recentFiles);
    showRecentFiles();
}

void MainWindow::showRecentFiles()
{
    for (QAction *item : std::as_const(m_recentItems)) {
        m_busyDisabled.removeOne(item);
        m_actions.remove(item->objectName());
    }
    qDeleteAll(m_recentItems);
    m_recentItems.clear();
    QAction *exit = m_actions.value(QStringLiteral("mnuFileExit"));
    m_fileMenu->setToolTipsVisible(true);
    const QStringList names = recentFileNames(m_recentFiles);
    for (int i = 0; i < m_recentFiles.size(); ++i) {
        const QString path = m_recentFiles[i];
        QString name = names[i];
        auto *item = new QAction(
            tr("&%1 %2").arg(QString::number(i + 1), name.replace(QLatin1Char('&'), QLatin1String("&&"))),
            m_fileMenu);
        item->setObjectName(QStringLiteral("mnuFileRecent_%1").arg(i));
        item->setStatusTip(QDir::toNativeSeparators(path));
        item->setToolTip(QDir::toNativeSeparators(path));
        item->setEnabled(!m_busy);
        // Each is opened as File > Open opens a file.
        connect(item, &QAction::triggered, this, [this, path] { openCloneFile(path); });
        m_fileMenu->insertAction(exit, item);
        m_actions.insert(item->objectName(), item);
        m_busyDisabled << item;
        m_recentItems << item;
    }
    if (!m_recentItems.isEmpty())
        m_recentItems << m_fileMenu->insertSeparator(exit);
}

bool MainWindow::fileSave()
{
    if (m_busy)
        return false;
    QString path = m_document.cloneFileName();
    if (path.isEmpty())
        path = chooseFile(true, cloneFilter());
    return saveCloneFile(path);
}

bool MainWindow::fileSaveAs()
{
    if (m_busy)
        return false;
    return saveCloneFile(chooseFile(true, cloneFilter()));
}

bool MainWindow::saveCloneFile(const QString &path)
{
    if (path.isEmpty()) // the dialog was cancelled
        return false;
    const FileResult result = m_document.save(path);
    if (!result.ok()) {
        showFileError(result, path);
        return false;
    }
    rememberRecentFile(path);
    return true;
}

void MainWindow::fileImport()
{
    if (!m_busy)
        m_memoryCommands->importCsv(this);
}

void MainWindow::importCsvFile(const QString &path)
{
    if (!m_busy)
        m_memoryCommands->importCsvFile(this, path);
}

void MainWindow::fileExport()
{
    if (!m_busy)
        m_memoryCommands->exportCsv(this);
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!m_busy && !droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QString path = droppedFile(event->mimeData());
    if (m_busy || path.isEmpty())
        return;
    event->acceptProposedAction();
    // The questions come after the drop has ended, so the program the file came from is not
    // held while they are open.
    const bool csv = QFileInfo(path).suffix().compare(kCloneSuffix, Qt::CaseInsensitive) != 0;
    QTimer::singleShot(0, this, [this, path, csv] { csv ? importCsvFile(path) : openCloneFile(path); });
}

} // namespace ktv4::ui
