// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/CloneDocument.h"

#include "files/FilesLog.h"
#include "files/ImageFile.h"

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
    if (m_cloneFileName.isEmpty())
        return appTitle();
    return appTitle() + QStringLiteral(" - ") + QFileInfo(m_cloneFileName).fileName();
}

void CloneDocument::submit(ImageChange change)
{
    if (change.isEmpty())
        return;
    if (!m_recorder)
        applyPart(change.after);
    record(std::move(change));
}

void CloneDocument::applyPart(const ImagePart &part)
{
    ktv4::applyPart(m_image, part);
    if (!part.channels.isEmpty())
        emit channelsChanged(part.firstChannel, part.lastChannel());
    for (int v = 0; v < kVfoCount; ++v) {
        if (part.vfos[v])
            emit vfoChanged(v);
    }
    if (part.settings)
        emit settingsChanged();
    if (part.modelIndex && *part.modelIndex != m_modelIndex) {
        m_modelIndex = *part.modelIndex;
        emit modelChanged(m_modelIndex);
    }
}

void CloneDocument::record(ImageChange change)
{
    if (change.isEmpty())
        return;
    if (m_recorder)
        m_recorder->record(std::move(change));
    else if (change.origin == ImageChange::Origin::Edit)
        setDataChanged(true);
}

void CloneDocument::selectModel(int modelIndex)
{
    submit(ImageChange::model(m_modelIndex, modelIndex, tr("Model %1").arg(modelOptionCaption(modelIndex))));
}

void CloneDocument::setIdentified(int modelIndex, bool variantA)
{
    m_cloneVariantA = variantA;
    // Like a read, the model the radio names is a step of the history that leaves the data as
    // saved as it was.
    ImageChange change = ImageChange::model(m_modelIndex, modelIndex, tr("Auto Select"));
    change.origin = ImageChange::Origin::Radio;
    submit(std::move(change));
}

void CloneDocument::setDataChanged(bool changed)
{
    if (changed == m_dataChanged)
        return;
    m_dataChanged = changed;
    emit dataChangedChanged(changed);
}

void CloneDocument::setCloneFileName(const QString &cloneFileName)
{
    m_cloneFileName = cloneFileName;
    emit captionChanged(caption());
}

void CloneDocument::newImage()
{
    installDefaults(m_image, m_modelIndex);
    m_image.channels.fill(Channel{});
    emit imageReplaced();
    setCloneFileName(QString());
    if (m_recorder)
        m_recorder->restart();
    setDataChanged(false);
}

FileResult CloneDocument::load(const QString &path)
{
    CloneLoadResult load = readImageFile(path);
    logOutcome("load", path, load.result);
    // Applying a matched header of a file that then fails would make the next Save write that
    // file's model over the user's own file.
    if (!load.result.ok())
        return load.result;
    m_cloneVariantA = load.header->variantA;
    if (load.header->modelIndex != m_modelIndex) {
        m_modelIndex = load.header->modelIndex;
        emit modelChanged(m_modelIndex);
    }
    m_image = std::move(load.image);
    emit imageReplaced();
    setCloneFileName(path);
    if (m_recorder)
        m_recorder->restart();
    setDataChanged(false);
    return {};
}

FileResult CloneDocument::save(const QString &path)
{
    const FileResult result = writeImageFile(path, m_image, m_modelIndex, m_cloneVariantA);
    logOutcome("save", path, result);
    if (!result.ok())
        return result;
    setCloneFileName(path);
    if (m_recorder)
        m_recorder->markSaved();
    setDataChanged(false);
    return result;
}

FileResult CloneDocument::exportCsv(const QString &path)
{
    const FileResult result = ktv4::exportCsv(path, m_image.channels);
    logOutcome("CSV export", path, result);
    // The CSV file holds only part of the image (no settings, VFOs, power, tone or split): the
    // clone file stays the one Save writes, and unsaved edits stay unsaved.
    return result;
}

CsvImportResult CloneDocument::importCsv(const QString &path)
{
    // Merged into a copy, then applied as one change: rows merged before a fault stay, and
    // closing asks to save them.
    RadioImage merged = m_image;
    const CsvImportResult import = ktv4::importCsv(path, merged.channels);
    logOutcome("CSV import", path, import.result);
    qCDebug(lcFiles) << "CSV import" << path << "stored" << import.rowsStored << "rows";
    submit(ImageChange::between(m_image, merged, tr("Import %1").arg(QFileInfo(path).fileName())));
    // The channels were merged into the open image: the clone file stays the one Save writes.
    return import;
}

FileResult CloneDocument::exportChirpCsv(const QString &path)
{
    const FileResult result = ktv4::exportChirpCsv(path, m_image.channels, m_image.settings.values.cmbTone);
    logOutcome("CHIRP CSV export", path, result);
    return result; // as the program's own CSV export: the clone file stays open
}

ChirpImport CloneDocument::importChirpCsv(const QString &path)
{
    ChirpImport import = ktv4::importChirpCsv(path, m_image.channels, m_image.settings.values.cmbTone);
    logOutcome("CHIRP CSV import", path, import.result);
    qCDebug(lcFiles) << "CHIRP CSV import" << path << import.report.summary();
    if (!import.result.ok())
        return import;
    RadioImage merged = m_image;
    for (const int ch : std::as_const(import.changed))
        merged.channels[ch] = import.channels[ch];
    submit(ImageChange::between(m_image, merged, tr("Import %1").arg(QFileInfo(path).fileName())));
    return import; // as the program's own CSV import: the clone file stays open
}

bool CloneDocument::importSchedule(const SchedulePlan &plan, const QString &schedulePath)
{
    RadioImage merged = m_image;
    if (!applySchedulePlan(plan, merged.channels))
        return false;
    qCDebug(lcFiles) << "schedule import" << schedulePath << "made" << plan.channelsMade() << "channels";
    submit(ImageChange::between(m_image, merged, tr("Import %1").arg(QFileInfo(schedulePath).fileName())));
    return true;
}

} // namespace ktv4
