// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MemoryCommands.h"

#include "files/CloneDocument.h"
#include "ui/ChannelTableModel.h"
#include "ui/MemoryPanel.h"
#include "ui/UserPrompts.h"

#include <QFile>

namespace ktv4::ui {

MemoryCommands::MemoryCommands(CloneDocument &document, UserPrompts &prompts, MemoryPanel &panel,
                               QString &lastFileName, QObject *parent)
    : QObject(parent), m_document(document), m_prompts(prompts), m_panel(panel), m_lastFileName(lastFileName)
{
}

QString MemoryCommands::csvFilter()
{
    return tr("CSV Files (*.csv)") + QStringLiteral(";;") + chirpFilter() + QStringLiteral(";;") +
           tr("All Files (*)");
}

QString MemoryCommands::chirpFilter()
{
    return tr("CHIRP CSV (*.csv)");
}

bool MemoryCommands::importCsv(QWidget *parent)
{
    FileDialogRequest request;
    request.caption = tr("Import Channels");
    request.fileName = m_lastFileName;
    request.filter = csvFilter();
    QString filter = m_lastCsvFilter;
    request.selectedFilter = &filter;
    const QString path = m_prompts.openFileName(parent, request);
    if (path.isEmpty())
        return false;
    m_lastCsvFilter = filter;
    return importFile(parent, path, filter == chirpFilter());
}

bool MemoryCommands::importCsvFile(QWidget *parent, const QString &path)
{
    QFile file(path);
    const bool chirp = file.open(QIODevice::ReadOnly) &&
                       file.readLine(1024).startsWith(chirpCsvHeader().first().toUtf8() + ',');
    return importFile(parent, path, chirp);
}

bool MemoryCommands::importFile(QWidget *parent, const QString &path, bool chirp)
{
    m_lastFileName = m_lastCsvName = path;
    emit fileChosen(path);
    if (chirp)
        return importChirpCsv(parent, path);

    const CsvImportResult import = m_document.importCsv(path);
    if (!import.result.ok()) {
        m_prompts.message(parent, fileErrorMessage(import.result, path));
        return false;
    }
    // The document has announced the new table, so the grid is redrawn; the first row becomes
    // current.
    m_panel.selectChannel(0);
    emit importReported(csvImportSummary(import));
    return true;
}

bool MemoryCommands::exportCsv(QWidget *parent)
{
    FileDialogRequest request;
    request.caption = tr("Export Channels");
    // After a clone-file dialog, propose the same name as a CSV file.
    const bool afterCloneDialog = !m_lastFileName.isEmpty() && m_lastFileName != m_lastCsvName;
    request.fileName = afterCloneDialog ? nameBeside(m_lastFileName, QStringLiteral(".csv")) : m_lastFileName;
    request.filter = csvFilter();
    QString filter = m_lastCsvFilter;
    request.selectedFilter = &filter;
    request.defaultSuffix = QStringLiteral("csv");
    const QString path = withDefaultSuffix(m_prompts.saveFileName(parent, request), request.defaultSuffix);
    if (path.isEmpty())
        return false;
    m_lastFileName = m_lastCsvName = path;
    m_lastCsvFilter = filter;
    emit fileChosen(path);

    const FileResult result =
        filter == chirpFilter() ? m_document.exportChirpCsv(path) : m_document.exportCsv(path);
    if (!result.ok()) {
        m_prompts.message(parent, fileErrorMessage(result, path));
        return false;
    }
    return true;
}

bool MemoryCommands::importChirpCsv(QWidget *parent, const QString &path)
{
    const ChirpImport import = m_document.importChirpCsv(path);
    if (!import.result.ok()) {
        m_prompts.message(parent, fileErrorMessage(import.result, path));
        return false;
    }
    m_panel.selectChannel(import.changed.isEmpty() ? 0 : import.changed.first());
    // Every row that was not stored as it stood is listed with its reason.
    MessageRequest report;
    report.icon = import.report.dropped > 0 ? QMessageBox::Warning : QMessageBox::Information;
    report.title = tr("CHIRP CSV Import");
    report.text = import.report.summary();
    const QStringList notes = import.report.noteLines();
    if (!notes.isEmpty()) {
        report.text += QStringLiteral("\n\n") +
                       tr("The details list each row dropped or changed to fit the radio, with the reason.");
        report.details = notes.join(QLatin1Char('\n'));
    }
    m_prompts.message(parent, report);
    return true;
}

} // namespace ktv4::ui
