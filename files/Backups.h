// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Automatic backups: every image read completely from the radio and every image about to be
// written to it is kept as a clone file in the desktop program's per-user data folder, under
// "backups", named after when, which model, why and what part came from the radio or was to go
// to it: "2026-12-07_104233_KT-V4E_read_settings.TV4".
// The newest ones are kept (100 unless the program settings say otherwise); older ones go.

#include "base/FileStatus.h"

#include <QDateTime>
#include <QList>
#include <QString>

class QSettings;

namespace ktv4 {

class CloneDocument;

enum class BackupReason { Read, Write };
// The part of the image that came from the radio (a read) or was to be written to it (a write):
// the settings and both VFOs, the 604 channels, all of them, or the records Write Changes sends.
// Unknown for backups named before the part was part of the name.
enum class BackupScope { Unknown, Settings, Memory, All, Changes };

struct BackupEntry {
    QString path;
    QDateTime time;
    QString model; // "KT-V4E", as in the name
    BackupReason reason = BackupReason::Read;
    BackupScope scope = BackupScope::Unknown;
};

constexpr int kDefaultBackupsKept = 100;

// The program settings' "Settings/BackupsKept", 1 at least; the default when unset or not a number.
int backupsKept(const QSettings &settings);

class BackupStore {
public:
    // The "backups" folder in the desktop program's data folder (shared with ktv4cli).
    static QString defaultFolder();

    explicit BackupStore(const QString &folder = defaultFolder(), int kept = kDefaultBackupsKept);
    // The default folder, keeping as many as the per-user program settings say.
    static BackupStore forThisUser();
    QString folder() const { return m_folder; }

    // Writes `cloneFile` as a new backup (atomically), then removes all but the newest `kept`.
    // `path` receives the file's path on success.
    FileResult save(const QByteArray &cloneFile, int modelIndex, BackupReason reason, BackupScope scope,
                    const QDateTime &when = QDateTime::currentDateTime(), QString *path = nullptr);

    // The backups, newest first; files of other names in the folder are left out.
    QList<BackupEntry> list() const;

    // Channels in use in a backup; -1 when the file cannot be loaded.
    static int channelsInUse(const QString &path);

    // The file name for a backup; `sequence` > 1 tells apart backups of the same second.
    static QString fileName(const QDateTime &when, int modelIndex, BackupReason reason, BackupScope scope,
                            int sequence = 1);
    // What a backup holds, for lists: "settings and VFOs", "604 channels", "all", "changed
    // records"; empty when unknown.
    static QString scopeText(BackupScope scope);
    // "KT-V4J", "KT-V4T", "KT-V4E", "PN-31-32": the model as a name may carry it.
    static QString modelToken(int modelIndex);

private:
    void prune() const;

    QString m_folder;
    int m_kept;
};

// The clone file of what the radio holds: the records as the radio sent or acknowledged them,
// where known, and the document's own records elsewhere.
QByteArray radioBackupBytes(const CloneDocument &document);
// The clone file of the document's image as a write sends it.
QByteArray documentBackupBytes(const CloneDocument &document);

} // namespace ktv4
