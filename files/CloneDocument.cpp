#include "files/CloneDocument.h"

#include "files/FilesLog.h"

#include <QFileInfo>

namespace ktv4 {

namespace {

void logOutcome(const char *what, const QString &path, const FileResult &result)
{
    if (result.ok())
        qCDebug(lcFiles) << what << path << "done";
    else
        qCInfo(lcFiles) << what << path << "failed:" << messageText(result.status) << result.detail;
}

} // namespace

CloneDocument::CloneDocument(QObject *parent) : QObject(parent), m_image(startupImage(kStartupModelOption)) {}

QString CloneDocument::caption() const
{
    if (m_captionPath.isEmpty())
        return AppTitle();
    return AppTitle() + QStringLiteral(" - ") + QFileInfo(m_captionPath).fileName();
}

void CloneDocument::selectModel(int modelIndex)
{
    const bool changed = modelIndex != m_modelIndex;
    m_modelIndex = modelIndex;
    if (changed)
        emit modelChanged(modelIndex);
    setDataChanged(true);
}

void CloneDocument::setIdentified(int modelIndex, bool variantA)
{
    m_cloneVariantA = variantA;
    if (modelIndex != m_modelIndex) {
        m_modelIndex = modelIndex;
        emit modelChanged(modelIndex);
    }
}

void CloneDocument::setDataChanged(bool changed)
{
    if (changed == m_dataChanged)
        return;
    m_dataChanged = changed;
    emit dataChangedChanged(changed);
}

void CloneDocument::setShownFile(const QString &cloneFileName, const QString &captionPath)
{
    m_cloneFileName = cloneFileName;
    m_captionPath = captionPath;
    emit captionChanged(caption());
}

void CloneDocument::newImage()
{
    installDefaults(m_image, m_modelIndex);
    for (ChannelRow &row : m_image.channels)
        row.clear();
    emit imageReplaced();
    setShownFile(QString(), QString());
    setDataChanged(false);
}

FileResult CloneDocument::load(const QString &path)
{
    CloneLoadResult load = LoadCloneFile(path, m_image);
    logOutcome("load", path, load.result);
    if (load.header) {
        m_cloneVariantA = load.header->variantA;
        selectModel(load.header->modelIndex);
    }
    if (!load.result.ok())
        return load.result;
    m_image = std::move(load.image);
    emit imageReplaced();
    setShownFile(path, path);
    setDataChanged(false);
    return {};
}

FileResult CloneDocument::save(const QString &path)
{
    const FileResult result = WriteCloneFile(path, m_image, m_modelIndex, m_cloneVariantA);
    logOutcome("save", path, result);
    if (!result.ok())
        return result;
    setShownFile(path, path);
    setDataChanged(false);
    return result;
}

FileResult CloneDocument::exportCsv(const QString &path)
{
    const FileResult result = ktv4::exportCsv(path, m_image.channels);
    logOutcome("CSV export", path, result);
    if (!result.ok())
        return result;
    // The CSV file holds only part of the image (no settings, VFOs, power, tone or split), so
    // writing it does not make unsaved edits safe: the changed flag stays as it was.
    setShownFile(QString(), path);
    return result;
}

CsvImportResult CloneDocument::importCsv(const QString &path)
{
    const CsvImportResult import = ktv4::importCsv(path, m_image.channels);
    logOutcome("CSV import", path, import.result);
    qCDebug(lcFiles) << "CSV import" << path << "stored" << import.rowsStored << "rows";
    if (!import.result.ok()) {
        // Rows merged before the fault stay: show them, and make sure closing asks to save them.
        if (import.rowsStored > 0) {
            emit imageReplaced();
            setDataChanged(true);
        }
        return import;
    }
    emit imageReplaced();
    setShownFile(QString(), QString());
    // The merged table is saved nowhere yet: closing must ask about it.
    if (import.rowsStored > 0)
        setDataChanged(true);
    return import;
}

FileResult CloneDocument::exportChirpCsv(const QString &path)
{
    const FileResult result = ktv4::exportChirpCsv(path, m_image.channels, m_image.settings.cmbTone);
    if (result.ok())
        setShownFile(QString(), path); // as the program's own CSV export
    return result;
}

ChirpImport CloneDocument::importChirpCsv(const QString &path)
{
    ChirpImport import = ktv4::importChirpCsv(path, m_image.channels, m_image.settings.cmbTone);
    if (!import.result.ok())
        return import;
    for (const int ch : std::as_const(import.changed))
        m_image.channels[ch] = import.channels[ch];
    emit imageReplaced();
    setShownFile(QString(), QString());
    if (!import.changed.isEmpty())
        setDataChanged(true);
    return import;
}

} // namespace ktv4
