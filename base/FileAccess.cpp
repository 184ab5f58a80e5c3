// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/FileAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace ktv4 {

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

FileResult fail(FileStatus status, const QString &detail)
{
    return {status, detail};
}

FileResult systemFailure(const QString &what, const QString &path, int error)
{
    return fail(
        FileStatus::FileOpenError,
        QStringLiteral("%1 %2: %3").arg(what, QDir::toNativeSeparators(path), qt_error_string(error)));
}

// A UTF-8 sequence at `i`: its length when valid, else 0.
qsizetype utf8SequenceAt(const QByteArray &bytes, qsizetype i)
{
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const qsizetype length = lead < 0x80                   ? 1
                             : lead >= 0xC2 && lead < 0xE0 ? 2
                             : lead >= 0xE0 && lead < 0xF0 ? 3
                             : lead >= 0xF0 && lead < 0xF5 ? 4
                                                           : 0;
    if (length == 0 || i + length > bytes.size())
        return 0;
    return QByteArrayView(bytes.constData() + i, length).isValidUtf8() ? length : 0;
}

QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a FIFO (named pipe)");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("not a regular file");
}

FileResult notRegular(const QString &path, mode_t mode)
{
    return fail(
        FileStatus::FileOpenError,
        QStringLiteral("%1 is %2, not a regular file").arg(QDir::toNativeSeparators(path), kindOf(mode)));
}

QString folderOf(const QString &path)
{
    const QString folder = QFileInfo(path).path();
    return folder.isEmpty() ? QStringLiteral(".") : folder;
}

// ---- the new file beside the target ----
//
// A save writes NAME.tmpXXXXXX beside NAME (six letters and digits), NAME cut short when the
// whole would be longer than the folder allows, and holds an exclusive lock (flock) on it from
// its creation until it has been renamed over NAME. A save that was killed leaves the file behind
// unlocked: the lock ends with its process. Before it writes, a save removes such leftovers of
// its own target: names of exactly that pattern, regular files of this user, on which it gets the
// lock at once. Taking the lock asks the kernel whether any process (of any user, or on another
// machine of a network file system) still holds the file; looking through /proc could not see
// the processes of other users, nor those of other machines. A save that created its file but
// was not yet holding the lock when another removed it sees that its name is gone and starts over.

constexpr int kRandomLength = 6;
const QByteArray kTemporaryTag = QByteArrayLiteral(".tmp");

// NAME.tmp, NAME cut so that the six characters still fit, at a UTF-8 character boundary.
QByteArray temporaryPrefix(const QByteArray &target)
{
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : target.left(std::max<qsizetype>(slash, 1));
    QByteArray name = target.mid(slash + 1);
    const long limit = ::pathconf(folder.constData(), _PC_NAME_MAX);
    const qsizetype room = (limit > 0 ? limit : 255) - kTemporaryTag.size() - kRandomLength;
    if (name.size() > room) {
        qsizetype cut = std::max<qsizetype>(room, 1);
        while (cut > 1 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
            --cut;
        name.truncate(cut);
    }
    return target.left(slash + 1) + name + kTemporaryTag;
}

bool isLeftoverName(const QByteArray &entry, const QByteArray &prefixName)
{
    if (entry.size() != prefixName.size() + kRandomLength || !entry.startsWith(prefixName))
        return false;
    return std::all_of(entry.cend() - kRandomLength, entry.cend(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    });
}

// The file at `path` is still the one `fd` has open.
bool sameInode(int fd, const QByteArray &path)
{
    struct stat byFd {
    }, byName{};
    return ::fstat(fd, &byFd) == 0 && ::stat(path.constData(), &byName) == 0 &&
           byFd.st_dev == byName.st_dev && byFd.st_ino == byName.st_ino;
}

// Removes the leftovers of killed saves to the same target that no process holds.
void removeLeftovers(const QByteArray &prefix)
{
    const qsizetype slash = prefix.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : prefix.left(std::max<qsizetype>(slash, 1));
    const QByteArray prefixName = prefix.mid(slash + 1);
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (!isLeftoverName(name, prefixName))
            continue;
        const QByteArray path = prefix.left(slash + 1) + name;
        const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 && sameInode(fd, path))
            ::unlink(path.constData());
        ::close(fd);
    }
    ::closedir(dir);
}

// Creates the new file beside the target, locked; -1 with errno set when it cannot.
int createTemporary(const QByteArray &prefix, QByteArray &temporary)
{
    static const char kAlphabet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = prefix;
        for (int i = 0; i < kRandomLength; ++i)
            temporary += kAlphabet[QRandomGenerator::global()->bounded(int(sizeof kAlphabet - 1))];
        const int fd =
            ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return -1;
        // A file system without locks still saves; its leftovers are then never taken for free.
        ::flock(fd, LOCK_EX);
        if (sameInode(fd, temporary))
            return fd;
        ::close(fd); // removed as a leftover before the lock was taken: another name
    }
    errno = EEXIST;
    return -1;
}

} // namespace

QByteArray nativePath(const QString &path)
{
    bool escaped = false;
    for (const QChar c : path)
        escaped = escaped || (c.unicode() >= kEscapeBase + 0x80 && c.unicode() <= kEscapeBase + 0xFF);
    if (!escaped)
        return QFile::encodeName(path);
    QByteArray out;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t u = path[i].unicode();
        if (u >= kEscapeBase + 0x80 && u <= kEscapeBase + 0xFF)
            out += char(u - kEscapeBase);
        else if (path[i].isHighSurrogate() && i + 1 < path.size())
            out += QStringView(path).mid(i++, 2).toUtf8();
        else
            out += QStringView(path).mid(i, 1).toUtf8();
    }
    return out;
}

QString pathFromNative(const QByteArray &bytes)
{
    if (bytes.isValidUtf8())
        return QFile::decodeName(bytes);
    QString out;
    for (qsizetype i = 0; i < bytes.size();) {
        const qsizetype length = utf8SequenceAt(bytes, i);
        if (length == 0) {
            out += QChar(char16_t(kEscapeBase + static_cast<unsigned char>(bytes[i])));
            ++i;
        } else {
            out += QString::fromUtf8(bytes.constData() + i, length);
            i += length;
        }
    }
    return out;
}

FileRead readWholeFile(const QString &path, qint64 limit, FileStatus tooLarge)
{
    FileRead read;
    const QByteArray native = nativePath(path);
    // Looked at before opening: opening a FIFO or a serial device can wait or change the device.
    struct stat st {};
    if (::stat(native.constData(), &st) != 0) {
        read.result = systemFailure(QStringLiteral("cannot open"), path, errno);
        return read;
    }
    if (!S_ISREG(st.st_mode)) {
        read.result = notRegular(path, st.st_mode);
        return read;
    }
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        read.result = systemFailure(QStringLiteral("cannot open"), path, errno);
        return read;
    }
    auto done = [&read, fd](const FileResult &result) {
        ::close(fd);
        read.result = result;
        if (!result.ok())
            read.bytes.clear();
        return read;
    };
    // Replaced by something else between the look and the open.
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return done(notRegular(path, st.st_mode));
    auto tooBig = [&](qint64 size) {
        return fail(
            tooLarge,
            QStringLiteral("the file has %1 bytes, more than the %2 it may have").arg(size).arg(limit));
    };
    if (st.st_size > limit)
        return done(tooBig(st.st_size));

    // The file may grow while it is read: one byte past the limit decides.
    read.bytes.resize(qsizetype(st.st_size) + 1);
    qsizetype filled = 0;
    for (;;) {
        if (filled == read.bytes.size()) {
            if (filled > limit)
                return done(tooBig(filled));
            read.bytes.resize(std::min<qint64>(limit + 1, qint64(filled) * 2 + 4096));
        }
        const ssize_t n = ::read(fd, read.bytes.data() + filled, size_t(read.bytes.size() - filled));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return done(systemFailure(QStringLiteral("cannot read"), path, errno));
        if (n == 0)
            break;
        filled += n;
    }
    if (filled > limit)
        return done(tooBig(filled));
    read.bytes.resize(filled);
    return done({});
}

FileResult checkOutputPath(const QString &path)
{
    if (path.isEmpty())
        return fail(FileStatus::FileOpenError, QStringLiteral("no file name"));
    const QByteArray native = nativePath(path);
    struct stat st {};
    if (::stat(native.constData(), &st) == 0) {
        if (!S_ISREG(st.st_mode))
            return notRegular(path, st.st_mode);
        if (::access(native.constData(), W_OK) != 0)
            return systemFailure(QStringLiteral("cannot write"), path, errno);
    } else if (errno != ENOENT) {
        return systemFailure(QStringLiteral("cannot write"), path, errno);
    }
    // The new content is written beside the file and renamed over it: the folder must take it.
    const QString folder = folderOf(path);
    const QByteArray nativeFolder = nativePath(folder);
    if (::stat(nativeFolder.constData(), &st) != 0)
        return systemFailure(QStringLiteral("no folder"), folder, errno);
    if (!S_ISDIR(st.st_mode))
        return fail(FileStatus::FileOpenError,
                    QStringLiteral("%1 is not a folder").arg(QDir::toNativeSeparators(folder)));
    if (::access(nativeFolder.constData(), W_OK | X_OK) != 0)
        return systemFailure(QStringLiteral("cannot write in"), folder, errno);
    return {};
}

bool sameFile(const QString &a, const QString &b)
{
    struct stat sa {
    }, sb{};
    const bool aExists = ::stat(nativePath(a).constData(), &sa) == 0;
    const bool bExists = ::stat(nativePath(b).constData(), &sb) == 0;
    if (aExists || bExists)
        return aExists && bExists && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    // Neither exists yet: the same name in the same folder.
    if (QFileInfo(a).fileName() != QFileInfo(b).fileName())
        return false;
    const bool folderA = ::stat(nativePath(folderOf(a)).constData(), &sa) == 0;
    const bool folderB = ::stat(nativePath(folderOf(b)).constData(), &sb) == 0;
    if (folderA && folderB)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    return QDir::cleanPath(QDir::current().absoluteFilePath(a)) ==
           QDir::cleanPath(QDir::current().absoluteFilePath(b));
}

PreparedSave::~PreparedSave()
{
    if (!m_temporary.isEmpty())
        ::unlink(m_temporary.constData());
    if (m_fd >= 0)
        ::close(m_fd);
}

FileResult PreparedSave::prepare(const QString &path, const QByteArray &bytes, SyncToDisk sync)
{
    // A symbolic link stays a link: the file it leads to is the one replaced.
    QString target = path;
    struct stat link {};
    if (::lstat(nativePath(path).constData(), &link) == 0 && S_ISLNK(link.st_mode)) {
        if (char *resolved = ::realpath(nativePath(path).constData(), nullptr)) {
            target = pathFromNative(resolved);
            ::free(resolved);
        }
    }
    if (const FileResult check = checkOutputPath(target); !check.ok())
        return check;

    const QByteArray native = nativePath(target);
    struct stat old {};
    const bool replacing = ::stat(native.constData(), &old) == 0;

    const QByteArray prefix = temporaryPrefix(native);
    removeLeftovers(prefix);
    QByteArray temporary;
    const int fd = createTemporary(prefix, temporary);
    if (fd < 0)
        return systemFailure(QStringLiteral("cannot create a file beside"), path, errno);

    auto abandon = [&](const QString &what, int error) {
        ::unlink(temporary.constData());
        ::close(fd);
        return systemFailure(what, path, error);
    };
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return abandon(QStringLiteral("cannot write"), n < 0 ? errno : ENOSPC);
        data += n;
        left -= n;
    }
    if ((sync ? sync(fd) : ::fdatasync(fd)) != 0)
        return abandon(QStringLiteral("cannot write to the disk"), errno);
    if (replacing)
        ::fchmod(fd, old.st_mode & 07777);
    // Kept open, and so locked, until it has taken the target's place.
    m_fd = fd;
    m_path = path;
    m_target = native;
    m_temporary = temporary;
    return {};
}

FileResult PreparedSave::commit()
{
    const QByteArray temporary = std::exchange(m_temporary, QByteArray());
    if (temporary.isEmpty())
        return fail(FileStatus::FileOpenError, QStringLiteral("nothing to save"));
    const int renamed = ::rename(temporary.constData(), m_target.constData());
    const int error = errno;
    if (renamed != 0)
        ::unlink(temporary.constData());
    // Every byte was synced before: closing cannot lose any.
    ::close(std::exchange(m_fd, -1));
    if (renamed != 0)
        return systemFailure(QStringLiteral("cannot replace"), m_path, error);
    // The new name on the disk too; a file system that cannot sync a folder still has the file.
    const int folder = ::open(nativePath(folderOf(pathFromNative(m_target))).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return {};
}

FileResult saveWholeFile(const QString &path, const QByteArray &bytes, SyncToDisk sync)
{
    PreparedSave save;
    if (const FileResult prepared = save.prepare(path, bytes, sync); !prepared.ok())
        return prepared;
    return save.commit();
}

} // namespace ktv4
