#include "ui/MemoryCommands.h"

#include "files/CloneDocument.h"
#include "ui/ChannelTableModel.h"
#include "ui/MemoryPanel.h"
#include "ui/UserPrompts.h"

namespace ktv4::ui {

MemoryCommands::MemoryCommands(CloneDocument &document, UserPrompts &prompts, MemoryPanel &panel,
                               QString &lastFileName, QObject *parent)
    : QObject(parent), m_document(document), m_prompts(prompts), m_panel(panel), m_lastFileName(lastFileName)
{
}

QString MemoryCommands::csvFilter()
{
    return tr("CSV Files (*.csv);;All Files (*)");
}

bool MemoryCommands::importCsv(QWidget *parent)
{
    FileDialogRequest request;
    request.fileName = m_lastFileName;
    request.filter = csvFilter();
    const QString path = m_prompts.openFileName(parent, request);
    if (path.isEmpty())
        return false;
    m_lastFileName = m_lastCsvName = path;
    emit fileChosen(path);

    const CsvImportResult import = m_document.importCsv(path);
    if (!import.result.ok()) {
        m_prompts.message(parent, errorMessage(messageText(import.result.status), import.result.detail));
        return false;
    }
    // The document has announced the new table, so the grid is redrawn; the first row becomes
    // current.
    m_panel.selectChannel(0);
    return true;
}

bool MemoryCommands::exportCsv(QWidget *parent)
{
    FileDialogRequest request;
    // After a clone-file dialog, propose the same name as a CSV file.
    const bool afterCloneDialog = !m_lastFileName.isEmpty() && m_lastFileName != m_lastCsvName;
    request.fileName = afterCloneDialog ? nameBeside(m_lastFileName, QStringLiteral(".csv")) : m_lastFileName;
    request.filter = csvFilter();
    const QString path = m_prompts.saveFileName(parent, request);
    if (path.isEmpty())
        return false;
    m_lastFileName = m_lastCsvName = path;
    emit fileChosen(path);

    const FileResult result = m_document.exportCsv(path);
    if (!result.ok()) {
        m_prompts.message(parent, errorMessage(messageText(result.status), result.detail));
        return false;
    }
    return true;
}

} // namespace ktv4::ui
