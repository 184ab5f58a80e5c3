// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/PortFacts.h"

#include "base/FileAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPortInfo>
#include <QSet>

#ifdef Q_OS_UNIX
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace ktv4 {

namespace {

// The system files read here (account lists, udev rules, /proc entries) are a few kilobytes. The
// bound keeps an endless or hostile one under the system root (a FIFO, a device, a giant file)
// from stalling the checks or filling the memory: it reads as empty, like a missing file.
constexpr qint64 kSystemFileLimit = 1024 * 1024;

// Where programs leave "LCK..ttyUSB0" while they use a port: the UUCP folders, and the
// temporary folders the serial library falls back to when those cannot be written.
const char *const kLockFolders[] = {"/var/lock",       "/run/lock", "/var/lock/lockdev", "/var/spool/locks",
                                    "/var/spool/uucp", "/tmp",      "/var/tmp"};

QString readLinkAt(const QString &file)
{
#ifdef Q_OS_UNIX
    char buffer[4096];
    const ssize_t n = ::readlink(QFile::encodeName(file).constData(), buffer, sizeof buffer);
    if (n > 0 && size_t(n) < sizeof buffer)
        return QFile::decodeName(QByteArray(buffer, n));
#else
    Q_UNUSED(file);
#endif
    return {};
}

bool isNumber(const QString &text)
{
    bool ok = false;
    text.toLongLong(&ok);
    return ok;
}

// The PID a lock file names: ten digits as text (with a newline and perhaps the program's name
// after it), or a four-byte binary number as older programs wrote it.
qint64 lockPid(const QByteArray &content)
{
    const QByteArray first = content.split('\n').value(0).trimmed();
    bool ok = false;
    const qint64 pid = first.toLongLong(&ok);
    if (ok)
        return pid;
    if (content.size() == 4) {
        qint32 binary = 0;
        memcpy(&binary, content.constData(), 4);
        return binary;
    }
    return 0;
}

// "/dev/ttyUSB0" -> "LCK..ttyUSB0", "/dev/pts/3" -> "LCK..pts_3".
QString lockFileName(const QString &device)
{
    QString name = device;
    if (name.startsWith(QLatin1String("/dev/")))
        name = name.mid(5);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return QStringLiteral("LCK..") + name;
}

} // namespace

UserIdentity UserIdentity::current()
{
    UserIdentity identity;
#ifdef Q_OS_UNIX
    identity.uid = ::getuid();
    if (const passwd *entry = ::getpwuid(identity.uid))
        identity.name = QString::fromLocal8Bit(entry->pw_name);
    identity.sessionGroups.append(::getegid());
    const int count = ::getgroups(0, nullptr);
    if (count > 0) {
        std::vector<gid_t> groups(count);
        const int got = ::getgroups(count, groups.data());
        for (int i = 0; i < got; ++i) {
            if (!identity.sessionGroups.contains(groups[i]))
                identity.sessionGroups.append(groups[i]);
        }
    }
#endif
    if (identity.name.isEmpty())
        identity.name = qEnvironmentVariable("USER");
    return identity;
}

QString PortFacts::vidPid() const
{
    if (!vendorId || !productId)
        return {};
    return QStringLiteral("%1:%2")
        .arg(*vendorId, 4, 16, QLatin1Char('0'))
        .arg(*productId, 4, 16, QLatin1Char('0'));
}

SystemRoot::SystemRoot(const QString &root)
    : m_identity(UserIdentity::current()), m_environment(QProcessEnvironment::systemEnvironment())
{
    const QString clean = QDir::cleanPath(root);
    if (clean != QLatin1String("/"))
        m_root = clean;
#ifdef Q_OS_UNIX
    m_ownPid = ::getpid();
#endif
}

QString SystemRoot::path(const QString &absolute) const
{
    return m_root + absolute;
}

void SystemRoot::setIdentity(const UserIdentity &identity)
{
    m_identity = identity;
    m_identityGiven = true;
}

QByteArray SystemRoot::readFile(const QString &absolute) const
{
    const FileRead read = readWholeFile(path(absolute), kSystemFileLimit, FileStatus::FileOpenError);
    return read.result.ok() ? read.bytes : QByteArray();
}

bool SystemRoot::exists(const QString &absolute) const
{
    return QFileInfo::exists(path(absolute));
}

QStringList SystemRoot::list(const QString &absoluteDir, const QStringList &patterns) const
{
    return QDir(path(absoluteDir))
        .entryList(patterns, QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                   QDir::Name);
}

QString SystemRoot::resolved(const QString &absolute) const
{
    QString current = QDir::cleanPath(absolute);
    for (int hop = 0; hop < 16; ++hop) {
        const QString target = readLinkAt(path(current));
        if (target.isEmpty())
            return current;
        current = QDir::cleanPath(target.startsWith(QLatin1Char('/'))
                                      ? target
                                      : QFileInfo(current).path() + QLatin1Char('/') + target);
    }
    return current;
}

QString SystemRoot::byIdPathOf(const QString &device) const
{
    const QString folder = QStringLiteral("/dev/serial/by-id");
    const QString target = resolved(device);
    for (const QString &name : list(folder)) {
        const QString link = folder + QLatin1Char('/') + name;
        if (resolved(link) == target)
            return link;
    }
    return {};
}

QList<GroupEntry> SystemRoot::groups() const
{
    QList<GroupEntry> groups;
    for (const QByteArray &line : readFile(QStringLiteral("/etc/group")).split('\n')) {
        const QList<QByteArray> fields = line.trimmed().split(':');
        if (fields.size() < 3 || fields[0].isEmpty() || fields[0].startsWith('#'))
            continue;
        bool ok = false;
        const uint gid = fields[2].toUInt(&ok);
        if (!ok)
            continue;
        GroupEntry group{QString::fromUtf8(fields[0]), gid, {}};
        if (fields.size() > 3) {
            for (const QByteArray &member : fields[3].split(',')) {
                if (!member.trimmed().isEmpty())
                    group.members.append(QString::fromUtf8(member.trimmed()));
            }
        }
        groups.append(group);
    }
    return groups;
}

std::optional<uint> SystemRoot::primaryGroupOf(const QString &user) const
{
    for (const QByteArray &line : readFile(QStringLiteral("/etc/passwd")).split('\n')) {
        const QList<QByteArray> fields = line.split(':');
        if (fields.size() > 3 && QString::fromUtf8(fields[0]) == user) {
            bool ok = false;
            const uint gid = fields[3].toUInt(&ok);
            if (ok)
                return gid;
        }
    }
    return std::nullopt;
}

QString SystemRoot::programName(qint64 pid) const
{
    return QString::fromUtf8(readFile(QStringLiteral("/proc/%1/comm").arg(pid)).trimmed());
}

bool SystemRoot::processExists(qint64 pid) const
{
    return pid > 0 && exists(QStringLiteral("/proc/%1").arg(pid));
}

QList<qint64> SystemRoot::processesNamed(const QString &program) const
{
    QList<qint64> pids;
    for (const QString &entry : list(QStringLiteral("/proc"))) {
        if (isNumber(entry) && programName(entry.toLongLong()) == program)
            pids.append(entry.toLongLong());
    }
    return pids;
}

std::optional<PortHolder> SystemRoot::lockHolder(const QString &device) const
{
    // A lock may name the device by the path the program was given or by the one it leads to.
    QSet<QString> names{lockFileName(device), lockFileName(resolved(device))};
    for (const char *folder : kLockFolders) {
        for (const QString &name : names) {
            const QString lock = QLatin1String(folder) + QLatin1Char('/') + name;
            if (!exists(lock))
                continue;
            const qint64 pid = lockPid(readFile(lock));
            // A lock whose program has ended holds nothing; the next program to open the port
            // removes it.
            if (pid != m_ownPid && processExists(pid))
                return PortHolder{pid, programName(pid), lock};
        }
    }
    return std::nullopt;
}

std::optional<PortHolder> SystemRoot::openHandleHolder(const QString &device,
                                                       std::optional<PortHolder> *farEnd) const
{
    const QString target = resolved(device);
    // A pseudo-terminal's other end is its master, a handle on /dev/ptmx whose tty-index is
    // the terminal's number.
    static const QRegularExpression pts(QStringLiteral("^/dev/pts/(\\d+)$"));
    const QRegularExpressionMatch ptsMatch = pts.match(target);
    std::optional<PortHolder> holder;
    for (const QString &entry : list(QStringLiteral("/proc"))) {
        if (!isNumber(entry) || entry.toLongLong() == m_ownPid)
            continue;
        const QString fds = QStringLiteral("/proc/%1/fd").arg(entry);
        bool holdsDevice = false;
        bool holdsOtherEnd = false;
        for (const QString &fd : list(fds)) {
            const QString link = readLinkAt(path(fds + QLatin1Char('/') + fd));
            if (link.isEmpty())
                continue;
            if (link == device || link == target) {
                holdsDevice = true;
            } else if (ptsMatch.hasMatch() &&
                       (link == QLatin1String("/dev/ptmx") || link == QLatin1String("/dev/pts/ptmx"))) {
                const QByteArray info = readFile(QStringLiteral("/proc/%1/fdinfo/%2").arg(entry, fd));
                for (const QByteArray &line : info.split('\n')) {
                    if (line.startsWith("tty-index:") &&
                        line.mid(10).trimmed() == ptsMatch.captured(1).toLatin1())
                        holdsOtherEnd = true;
                }
            }
        }
        const PortHolder found{entry.toLongLong(), programName(entry.toLongLong()), {}};
        if (holdsOtherEnd) {
            if (farEnd && !*farEnd)
                *farEnd = found;
        } else if (holdsDevice && !holder) {
            holder = found;
        }
    }
    return holder;
}

std::optional<PortHolder> SystemRoot::holderOf(const QString &device, std::optional<PortHolder> *farEnd) const
{
    std::optional<PortHolder> other;
    std::optional<PortHolder> holder = lockHolder(device);
    // The handles are looked at even with a lock found, to learn of the other end.
    std::optional<PortHolder> handle = openHandleHolder(device, &other);
    if (farEnd)
        *farEnd = other;
    if (holder && other && holder->pid == other->pid)
        holder.reset();
    return holder ? holder : handle;
}

PortFacts SystemRoot::describe(const QString &device) const
{
    PortFacts facts;
    facts.device = device;
    // Judged by the node a by-id name leads to, never by something outside the root.
    const QString node = path(resolved(device));
    facts.exists = QFileInfo::exists(node);
    if (isRunningSystem()) {
        const QString target = resolved(device);
        for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
            if (info.systemLocation() != target && info.systemLocation() != device)
                continue;
            facts.description = info.description();
            facts.manufacturer = info.manufacturer();
            facts.serialNumber = info.serialNumber();
            if (info.hasVendorIdentifier())
                facts.vendorId = info.vendorIdentifier();
            if (info.hasProductIdentifier())
                facts.productId = info.productIdentifier();
        }
    }
    if (!facts.exists)
        return facts;
    facts.byIdPath = byIdPathOf(device);

#ifdef Q_OS_UNIX
    struct stat status {};
    if (::stat(QFile::encodeName(node).constData(), &status) == 0) {
        facts.groupId = status.st_gid;
        for (const GroupEntry &group : groups()) {
            if (group.gid == status.st_gid) {
                facts.group = group.name;
                break;
            }
        }
        if (facts.group.isEmpty())
            facts.group = QString::number(status.st_gid);
        facts.owner = QString::number(status.st_uid);
        for (const QByteArray &line : readFile(QStringLiteral("/etc/passwd")).split('\n')) {
            const QList<QByteArray> fields = line.split(':');
            if (fields.size() > 2 && fields[2].toUInt() == status.st_uid && !fields[2].isEmpty()) {
                facts.owner = QString::fromUtf8(fields[0]);
                break;
            }
        }
        if (m_identityGiven) {
            const mode_t need = m_identity.uid == status.st_uid ? (S_IRUSR | S_IWUSR)
                                : m_identity.sessionGroups.contains(uint(status.st_gid))
                                    ? (S_IRGRP | S_IWGRP)
                                    : (S_IROTH | S_IWOTH);
            facts.mayOpen = m_identity.uid == 0 || (status.st_mode & need) == need;
        } else {
            facts.mayOpen = ::access(QFile::encodeName(node).constData(), R_OK | W_OK) == 0;
        }
    }
#endif
    facts.holder = holderOf(device, &facts.farEnd);
    return facts;
}

QList<PortFacts> SystemRoot::ports() const
{
    QStringList devices;
    if (isRunningSystem()) {
        for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
            devices.append(info.systemLocation());
    }
    const QString folder = QStringLiteral("/dev/serial/by-id");
    for (const QString &name : list(folder)) {
        const QString device = resolved(folder + QLatin1Char('/') + name);
        if (!devices.contains(device))
            devices.append(device);
    }
    QList<PortFacts> ports;
    for (const QString &device : devices)
        ports.append(describe(device));
    return ports;
}

} // namespace ktv4
