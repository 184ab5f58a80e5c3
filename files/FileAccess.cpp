// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/FileAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
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

// A name for the new file beside the target that nobody else uses.
QByteArray temporaryName(const QByteArray &target)
{
    return target + ".tmp" + QByteArray::number(QRandomGenerator::global()->generate(), 36);
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

    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = temporaryName(native);
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return systemFailure(QStringLiteral("cannot create a file beside"), path, errno);

    auto abandon = [&](const QString &what, int error) {
        ::close(fd);
        ::unlink(temporary.constData());
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
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        return systemFailure(QStringLiteral("cannot write"), path, error);
    }
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
    if (::rename(temporary.constData(), m_target.constData()) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        return systemFailure(QStringLiteral("cannot replace"), m_path, error);
    }
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
