// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the program touches the user's files. Saves put the whole new content in place or leave the
// old file exactly as it was; reads take only regular files of a bounded size and never wait on a
// FIFO or a device; outputs that are not regular files are refused instead of being replaced; and
// a file name keeps its own bytes, also when they are not UTF-8.

#include "base/FileStatus.h"

#include <QByteArray>
#include <QString>

namespace ktv4 {

// File names. A name whose bytes are not UTF-8 (an old Latin-1 file, a copied disk) is held with
// each byte that does not decode as the character U+DC00 + byte, and nativePath() turns such a
// character back into its byte, so the file is opened and written under its own name.
QByteArray nativePath(const QString &path);
QString pathFromNative(const QByteArray &bytes);

// A CSV file of the radio's 604 channels is about 50 kB; this leaves room for any spreadsheet's
// additions while keeping a wrong file from filling the memory.
constexpr qint64 kCsvSizeLimit = 16 * 1024 * 1024;

struct FileRead {
    FileResult result;
    QByteArray bytes;
};

// Reads a whole regular file of at most `limit` bytes. A folder, FIFO, device or socket is refused
// at once without being opened; a larger file is refused with `tooLarge` without being read.
FileRead readWholeFile(const QString &path, qint64 limit, FileStatus tooLarge);

// Whether a save to `path` can go ahead: a regular file or a new name, in a folder that exists and
// can be written, and not read-only. Refused: folders, FIFOs, devices and sockets (a save would
// replace them), a missing folder, no permission. Checked before slow work, and by every save.
FileResult checkOutputPath(const QString &path);

// Both names lead to the same file: the same device and inode when it exists, else the same name in
// the same folder.
bool sameFile(const QString &a, const QString &b);

// The step that puts the written bytes on the disk (fdatasync); returns 0 or -1 with errno set.
// Replaceable so that tests can make it fail.
using SyncToDisk = int (*)(int fd);

// Writes `bytes` to `path` through a new file beside it, which replaces the old file only once
// every byte was written and synced. On any failure the old file stays as it was and the reason
// is the system's (for example "No space left on device"). A symbolic link is followed; the
// replaced file keeps its permissions. The new file is NAME.tmpXXXXXX, NAME shortened when the
// folder allows no name that long; leftovers of killed saves to the same file are removed first.
FileResult saveWholeFile(const QString &path, const QByteArray &bytes, SyncToDisk sync = nullptr);

// The two halves of saveWholeFile, for saves that must succeed together: prepare() writes and
// syncs the new file beside the old one, commit() puts it in place. A prepared file that is never
// committed is removed.
class PreparedSave {
public:
    PreparedSave() = default;
    ~PreparedSave();
    PreparedSave(const PreparedSave &) = delete;
    PreparedSave &operator=(const PreparedSave &) = delete;

    FileResult prepare(const QString &path, const QByteArray &bytes, SyncToDisk sync = nullptr);
    FileResult commit();

private:
    QString m_path;
    QByteArray m_target;
    QByteArray m_temporary;
    int m_fd = -1; // the new file, locked while it waits
};

} // namespace ktv4
