// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/Backups.h"

#include "files/CloneDocument.h"
#include "model/ImageDiff.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>

namespace ktv4 {

namespace {

const QString kTimeFormat = QStringLiteral("yyyy-MM-dd_HHmmss");

const QRegularExpression &namePattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{4}-\\d{2}-\\d{2}_\\d{6})_(.+)_(read|write)(?:_(settings|memory|all|changes))?"
                       "(?:-(\\d+))?\\.TV4$"));
    return pattern;
}

constexpr const char *kScopeTokens[] = {"", "settings", "memory", "all", "changes"};

struct ParsedName {
    BackupEntry entry;
    int sequence = 1;
};

std::optional<ParsedName> parseName(const QDir &dir, const QString &name)
{
    const QRegularExpressionMatch m = namePattern().match(name);
    if (!m.hasMatch())
        return std::nullopt;
    ParsedName parsed;
    parsed.entry.path = dir.filePath(name);
    parsed.entry.time = QDateTime::fromString(m.captured(1), kTimeFormat);
    if (!parsed.entry.time.isValid())
        return std::nullopt;
    parsed.entry.model = m.captured(2);
    parsed.entry.reason = m.captured(3) == QLatin1String("read") ? BackupReason::Read : BackupReason::Write;
    for (int scope = 1; scope < int(std::size(kScopeTokens)); ++scope) {
        if (m.captured(4) == QLatin1String(kScopeTokens[scope]))
            parsed.entry.scope = BackupScope(scope);
    }
    parsed.sequence = m.captured(5).isEmpty() ? 1 : m.captured(5).toInt();
    return parsed;
}

QList<ParsedName> parsedBackups(const QString &folder)
{
    const QDir dir(folder);
    QList<ParsedName> backups;
    const QStringList names = dir.entryList({QStringLiteral("*.TV4")}, QDir::Files);
    for (const QString &name : names) {
        if (std::optional<ParsedName> parsed = parseName(dir, name))
            backups.append(*parsed);
    }
    // Newest first; within one second, the later sequence number first.
    std::sort(backups.begin(), backups.end(), [](const ParsedName &a, const ParsedName &b) {
        if (a.entry.time != b.entry.time)
            return a.entry.time > b.entry.time;
        return a.sequence > b.sequence;
    });
    return backups;
}

QByteArray cloneBytes(const RadioImage &image, int modelIndex, bool variantA, const RadioMemory *radio)
{
    QByteArray bytes = cloneFileBytes(image, modelIndex, variantA);
    if (!radio)
        return bytes;
    // Replace each known record's line (line 2 onwards, 66 bytes each) by the radio's own record.
    constexpr int kHeaderLineSize = 34;
    constexpr int kRecordLineSize = kRecordChars + 2;
    for (int i = 0; i < kRecordCount; ++i) {
        if (const std::optional<RecordBytes> held = radio->record(recordAddress(i)))
            bytes.replace(kHeaderLineSize + i * kRecordLineSize, kRecordChars, recordHex(*held));
    }
    return bytes;
}

} // namespace

int backupsKept(const QSettings &settings)
{
    bool ok = false;
    const int kept = settings.value(QStringLiteral("Settings/BackupsKept")).toInt(&ok);
    return ok ? std::max(1, kept) : kDefaultBackupsKept;
}

QString BackupStore::defaultFolder()
{
    // The desktop program's AppLocalDataLocation, whichever of the programs asks.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/ktv4clone/backups");
}

BackupStore::BackupStore(const QString &folder, int kept) : m_folder(folder), m_kept(std::max(1, kept)) {}

BackupStore BackupStore::forThisUser()
{
    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope, appTitle());
    return BackupStore(defaultFolder(), backupsKept(settings));
}

QString BackupStore::modelToken(int modelIndex)
{
    return modelIndex == ModelPN ? QStringLiteral("PN-31-32") : modelOptionCaption(modelIndex);
}

QString BackupStore::fileName(const QDateTime &when, int modelIndex, BackupReason reason, BackupScope scope,
                              int sequence)
{
    const QString token = QLatin1String(kScopeTokens[int(scope)]);
    return QStringLiteral("%1_%2_%3%4%5.TV4")
        .arg(when.toString(kTimeFormat), modelToken(modelIndex),
             reason == BackupReason::Read ? QStringLiteral("read") : QStringLiteral("write"),
             token.isEmpty() ? QString() : QLatin1Char('_') + token,
             sequence > 1 ? QStringLiteral("-%1").arg(sequence) : QString());
}

QString BackupStore::scopeText(BackupScope scope)
{
    switch (scope) {
    case BackupScope::Settings:
        return QCoreApplication::translate("ktv4::BackupStore", "settings and VFOs");
    case BackupScope::Memory:
        return QCoreApplication::translate("ktv4::BackupStore", "%1 channels").arg(kChannelCount);
    case BackupScope::All:
        return QCoreApplication::translate("ktv4::BackupStore", "all");
    case BackupScope::Changes:
        return QCoreApplication::translate("ktv4::BackupStore", "changed records");
    case BackupScope::Unknown:
        break;
    }
    return QString();
}

FileResult BackupStore::save(const QByteArray &cloneFile, int modelIndex, BackupReason reason,
                             BackupScope scope, const QDateTime &when, QString *path)
{
    if (!QDir().mkpath(m_folder))
        return {FileStatus::FileOpenError, QStringLiteral("cannot create the folder %1").arg(m_folder)};
    // Backups of one second are told apart, and ordered, by a sequence number.
    const QDateTime second = QDateTime::fromString(when.toString(kTimeFormat), kTimeFormat);
    int sequence = 1;
    for (const ParsedName &parsed : parsedBackups(m_folder)) {
        if (parsed.entry.time == second)
            sequence = std::max(sequence, parsed.sequence + 1);
    }
    const QString target = QDir(m_folder).filePath(fileName(when, modelIndex, reason, scope, sequence));
    const FileResult result = saveWholeFile(target, cloneFile);
    if (!result.ok())
        return {result.status, QStringLiteral("%1: %2").arg(target, result.detail)};
    if (path)
        *path = target;
    prune();
    return result;
}

QList<BackupEntry> BackupStore::list() const
{
    QList<BackupEntry> entries;
    for (const ParsedName &parsed : parsedBackups(m_folder))
        entries.append(parsed.entry);
    return entries;
}

int BackupStore::channelsInUse(const QString &path)
{
    const CloneLoadResult load = readCloneFile(path);
    return load.result.ok() ? ktv4::channelsInUse(load.image.channels) : -1;
}

void BackupStore::prune() const
{
    const QList<ParsedName> backups = parsedBackups(m_folder);
    for (qsizetype i = m_kept; i < backups.size(); ++i)
        QFile::remove(backups[i].entry.path);
}

QByteArray radioBackupBytes(const CloneDocument &document)
{
    const RadioMemory &radio = document.radio();
    const RadioIdentity identity =
        radio.identity().value_or(RadioIdentity{document.modelIndex(), document.cloneVariantA()});
    return cloneBytes(document.image(), identity.modelIndex, identity.variantA, &radio);
}

QByteArray documentBackupBytes(const CloneDocument &document)
{
    return cloneBytes(document.image(), document.modelIndex(), document.cloneVariantA(), nullptr);
}

} // namespace ktv4
