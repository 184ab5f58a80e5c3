// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the system knows about its serial ports: the devices, their stable names under
// /dev/serial/by-id, what the adapter says about itself, whether this user may open a port and
// whether another program holds it. Everything is read below a system root folder ("/" for the
// running system), so the same questions can be asked of a prepared folder.

#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <optional>

namespace ktv4 {

// Who runs the program: the user and the groups the running login session carries.
struct UserIdentity {
    uint uid = 0;
    QString name;
    QList<uint> sessionGroups; // the effective group and the supplementary groups
    static UserIdentity current();
};

// Another program that has the port: by a lock file or by an open handle.
struct PortHolder {
    qint64 pid = 0;
    QString program;  // its name as the system reports it, "chirp", "minicom"
    QString lockFile; // the lock file naming it; empty when it was found through its open files
    bool operator==(const PortHolder &) const = default;
};

struct PortFacts {
    QString device;   // "/dev/ttyUSB0"
    QString byIdPath; // "/dev/serial/by-id/usb-1a86_USB_Serial-if00-port0", or empty
    QString description;
    QString manufacturer;
    QString serialNumber;
    std::optional<quint16> vendorId;
    std::optional<quint16> productId;
    bool exists = false;
    bool mayOpen = false; // this user may open it for reading and writing
    QString owner;        // the device's owner and group, by name when known
    QString group;
    std::optional<uint> groupId;
    std::optional<PortHolder> holder;
    // For a pseudo-terminal: the program at its other end (a virtual radio), which is no rival.
    std::optional<PortHolder> farEnd;

    QString vidPid() const; // "1a86:7523", or empty when the adapter gave none
};

struct GroupEntry {
    QString name;
    uint gid = 0;
    QStringList members;
};

class SystemRoot {
public:
    // `root` is the folder that stands for "/".
    explicit SystemRoot(const QString &root = QStringLiteral("/"));

    bool isRunningSystem() const { return m_root.isEmpty(); }
    // The file below the root for an absolute path of the system.
    QString path(const QString &absolute) const;

    // Who asks. By default the running process, whose access is then asked of the system itself
    // (access control lists included); a given identity is judged by the device's mode bits.
    void setIdentity(const UserIdentity &identity);
    const UserIdentity &identity() const { return m_identity; }
    void setEnvironment(const QProcessEnvironment &environment) { m_environment = environment; }
    const QProcessEnvironment &environment() const { return m_environment; }
    // This program's own process, which never counts as another program holding a port.
    void setOwnPid(qint64 pid) { m_ownPid = pid; }

    // Every serial port: those the serial library lists on the running system, and those the
    // by-id folder names.
    QList<PortFacts> ports() const;
    // The facts of one device, listed or not (a pseudo-terminal, a path the user typed).
    PortFacts describe(const QString &device) const;

    QString byIdPathOf(const QString &device) const;
    // Another program that has the device: by a live lock file, else by an open handle. The
    // program at a pseudo-terminal's other end goes to `farEnd` instead.
    std::optional<PortHolder> holderOf(const QString &device,
                                       std::optional<PortHolder> *farEnd = nullptr) const;
    // Symbolic links followed as the system would, without leaving the root.
    QString resolved(const QString &absolute) const;

    QList<GroupEntry> groups() const;                              // /etc/group
    std::optional<uint> primaryGroupOf(const QString &user) const; // /etc/passwd
    QString programName(qint64 pid) const;                         // /proc/PID/comm
    QList<qint64> processesNamed(const QString &program) const;
    bool processExists(qint64 pid) const;
    // A regular file of at most 1 MiB; anything else (missing, a FIFO, a device, larger) reads as empty.
    QByteArray readFile(const QString &absolute) const;
    bool exists(const QString &absolute) const;
    QStringList list(const QString &absoluteDir, const QStringList &patterns = {}) const;

private:
    std::optional<PortHolder> lockHolder(const QString &device) const;
    std::optional<PortHolder> openHandleHolder(const QString &device,
                                               std::optional<PortHolder> *farEnd) const;

    QString m_root; // empty for "/"
    UserIdentity m_identity;
    bool m_identityGiven = false;
    QProcessEnvironment m_environment;
    qint64 m_ownPid = 0;
};

} // namespace ktv4
