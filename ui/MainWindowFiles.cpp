// The File menu: New, Open, Save, Save As, Import, Export and the shared save question.

#include "ui/MainWindow.h"

#include "ui/MemoryCommands.h"
#include "ui/UserPrompts.h"

namespace ktv4::ui {

namespace {

QString cloneFilter()
{
    return MainWindow::tr("Orvane KT-V4 Clone Files (*.TV4);;All Files (*)");
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
    const QString chosen =
        save ? m_prompts.saveFileName(this, request) : m_prompts.openFileName(this, request);
    if (!chosen.isEmpty()) {
        m_lastFileName = chosen;
        m_lastNameIsCsv = false;
    }
    return chosen;
}

void MainWindow::showFileError(const FileResult &result)
{
    m_prompts.message(this, errorMessage(messageText(result.status), result.detail));
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

bool MainWindow::loadCloneFile(const QString &path)
{
    const FileResult result = m_document.load(path);
    if (!result.ok())
        showFileError(result);
    return result.ok();
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
    if (!result.ok())
        showFileError(result);
    return result.ok();
}

void MainWindow::fileImport()
{
    if (!m_busy)
        m_memoryCommands->importCsv(this);
}

void MainWindow::fileExport()
{
    if (!m_busy)
        m_memoryCommands->exportCsv(this);
}

} // namespace ktv4::ui
