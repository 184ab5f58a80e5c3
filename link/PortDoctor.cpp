// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/PortDoctor.h"

#include "link/CloneTransfer.h"
#include "link/SerialTransport.h"
#include "model/RadioImage.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace ktv4 {

namespace {

// USB-serial chips that brltty's rules take for braille displays.
struct Adapter {
    const char *vidPid;
    const char *chip;
};
const Adapter kClaimedAdapters[] = {
    {"1a86:7523", "CH340"},  {"1a86:55d4", "CH9102"}, {"0403:6001", "FT232"},
    {"10c4:ea60", "CP210x"}, {"067b:2303", "PL2303"},
};

// udev reads a rules file from the first of these folders that has one of its name; an empty
// file or a link to /dev/null there switches the name off.
const char *const kRulesFolders[] = {"/etc/udev/rules.d", "/run/udev/rules.d", "/usr/lib/udev/rules.d",
                                     "/lib/udev/rules.d"};
const char *const kBrlttyPrograms[] = {"/usr/bin/brltty", "/bin/brltty", "/usr/sbin/brltty", "/sbin/brltty"};

DoctorCheck passed(const QString &id, const QString &title, const QString &finding)
{
    return {id, CheckStatus::Passed, title, finding, {}};
}

DoctorCheck failed(const QString &id, const QString &title, const QString &finding, const QString &fix)
{
    return {id, CheckStatus::Failed, title, finding, fix};
}

DoctorCheck skipped(const QString &id, const QString &title, const QString &finding)
{
    return {id, CheckStatus::Skipped, title, finding, {}};
}

bool claims(const QString &rules, const QString &vidPid)
{
    const QString vid = vidPid.left(4);
    const QString pid = vidPid.mid(5);
    // ENV{PRODUCT}=="1a86/7523/*", or ATTRS{idVendor}=="1a86", ATTRS{idProduct}=="7523".
    const QRegularExpression product(vid + QStringLiteral("[/:]0*") + pid,
                                     QRegularExpression::CaseInsensitiveOption);
    const QRegularExpression attributes(
        QStringLiteral("idVendor\\}==\"%1\".*idProduct\\}==\"%2\"").arg(vid, pid),
        QRegularExpression::CaseInsensitiveOption);
    return product.match(rules).hasMatch() || attributes.match(rules).hasMatch();
}

// The brltty rules files in force and the adapters they claim.
struct BrlttyRules {
    QStringList files;
    QStringList adapters; // "CH340 (1a86:7523)"
    QStringList vidPids;
};

BrlttyRules brlttyRules(const SystemRoot &system)
{
    BrlttyRules found;
    QStringList seen;
    for (const char *folder : kRulesFolders) {
        for (const QString &name : system.list(QLatin1String(folder), {QStringLiteral("*brltty*.rules")})) {
            if (seen.contains(name))
                continue;
            seen.append(name);
            const QString file = QLatin1String(folder) + QLatin1Char('/') + name;
            if (system.resolved(file) == QLatin1String("/dev/null"))
                continue;
            const QString rules = QString::fromUtf8(system.readFile(file));
            bool any = false;
            for (const Adapter &adapter : kClaimedAdapters) {
                const QString vidPid = QLatin1String(adapter.vidPid);
                if (!claims(rules, vidPid))
                    continue;
                any = true;
                if (!found.vidPids.contains(vidPid)) {
                    found.vidPids.append(vidPid);
                    found.adapters.append(QStringLiteral("%1 (%2)").arg(QLatin1String(adapter.chip), vidPid));
                }
            }
            if (any)
                found.files.append(file);
        }
    }
    return found;
}

bool userInGroup(const SystemRoot &system, const QString &user, const GroupEntry &group)
{
    return group.members.contains(user) || system.primaryGroupOf(user) == group.gid;
}

QString shellQuoted(const QString &word)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./:@%+=-]+$"));
    if (plain.match(word).hasMatch())
        return word;
    QString quoted = word;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

void addAccessChecks(const SystemRoot &system, const PortFacts &port, QList<DoctorCheck> &checks)
{
    const QString user = system.identity().name;
    const QString groupTitle = QStringLiteral("You may open %1").arg(port.device);
    const QString sessionTitle = QStringLiteral("This login session has the port's group");
    if (port.mayOpen) {
        checks.append(passed(QStringLiteral("group"), groupTitle,
                             QStringLiteral("%1 belongs to %2, group %3; you may read and write it.")
                                 .arg(port.device, port.owner, port.group)));
        return;
    }
    std::optional<GroupEntry> group;
    for (const GroupEntry &entry : system.groups()) {
        if (port.groupId && entry.gid == *port.groupId)
            group = entry;
    }
    if (!group || !userInGroup(system, user, *group)) {
        checks.append(
            failed(QStringLiteral("group"), groupTitle,
                   QStringLiteral("%1 belongs to group \"%2\", and user \"%3\" is not in it.")
                       .arg(port.device, port.group, user),
                   QStringLiteral("sudo usermod -aG %1 %2\nthen log out and in again (or restart the "
                                  "computer): a running session keeps the groups it started with.")
                       .arg(shellQuoted(port.group), shellQuoted(user))));
        checks.append(skipped(QStringLiteral("session"), sessionTitle,
                              QStringLiteral("Follows once you are in group \"%1\".").arg(port.group)));
        return;
    }
    if (!system.identity().sessionGroups.contains(group->gid)) {
        checks.append(passed(QStringLiteral("group"), groupTitle,
                             QStringLiteral("User \"%1\" is in group \"%2\", which owns %3.")
                                 .arg(user, group->name, port.device)));
        checks.append(
            failed(QStringLiteral("session"), sessionTitle,
                   QStringLiteral("You joined group \"%1\" after this session began; the "
                                  "programs you run do not have it yet.")
                       .arg(group->name),
                   QStringLiteral("Log out and in again (or restart the computer).\nIn one terminal "
                                  "only: newgrp %1")
                       .arg(shellQuoted(group->name))));
        return;
    }
    // In the group, and the session has it, but the device's mode keeps the group out.
    checks.append(
        failed(QStringLiteral("group"), groupTitle,
               QStringLiteral("Your session has group \"%1\", but %2 does not let that group read "
                              "and write it.")
                   .arg(group->name, port.device),
               QStringLiteral("sudo chmod g+rw %1\n(until the cable is plugged in again; for good, a "
                              "udev rule: SUBSYSTEM==\"tty\", MODE=\"0660\", GROUP=\"%2\")")
                   .arg(shellQuoted(port.device), group->name)));
    checks.append(passed(QStringLiteral("session"), sessionTitle,
                         QStringLiteral("This session has group \"%1\".").arg(group->name)));
}

void addDeviceChecks(const SystemRoot &system, const PortFacts &port, QList<DoctorCheck> &checks)
{
    const QString existsTitle = QStringLiteral("%1 exists").arg(port.device);
    if (!port.exists) {
        checks.append(
            failed(QStringLiteral("device"), existsTitle, QStringLiteral("There is no such device."),
                   QStringLiteral("Plug the cable in, then choose the port it gets: \"ktv4cli ports\" "
                                  "lists them (a USB cable is /dev/ttyUSB0 or /dev/ttyACM0, or a name "
                                  "under /dev/serial/by-id).")));
        return;
    }
    QString found = QStringLiteral("Found");
    if (!port.byIdPath.isEmpty())
        found += QStringLiteral(", also known as %1").arg(port.byIdPath);
    if (!port.description.isEmpty())
        found += QStringLiteral(" (%1)").arg(port.description);
    checks.append(passed(QStringLiteral("device"), existsTitle, found + QLatin1Char('.')));
    addAccessChecks(system, port, checks);

    const QString holderTitle = QStringLiteral("No other program holds %1").arg(port.device);
    if (port.holder) {
        const PortHolder &holder = *port.holder;
        const QString name = holder.program.isEmpty() ? QStringLiteral("a program") : holder.program;
        QString finding = QStringLiteral("In use by %1 (PID %2)").arg(name).arg(holder.pid);
        if (!holder.lockFile.isEmpty())
            finding += QStringLiteral(", which left the lock file %1").arg(holder.lockFile);
        checks.append(failed(QStringLiteral("holder"), holderTitle, finding + QLatin1Char('.'),
                             QStringLiteral("Close %1, or end it: kill %2").arg(name).arg(holder.pid)));
    } else {
        QString finding = QStringLiteral("No lock file, no open handle.");
        if (port.farEnd)
            finding += QStringLiteral(" %1 (PID %2) is at the other end of this pseudo-terminal.")
                           .arg(port.farEnd->program)
                           .arg(port.farEnd->pid);
        checks.append(passed(QStringLiteral("holder"), holderTitle, finding));
    }
}

DoctorCheck brlttyCheck(const SystemRoot &system, const QList<PortFacts> &ports)
{
    const QString title = QStringLiteral("brltty leaves USB-serial adapters alone");
    bool installed = false;
    for (const char *program : kBrlttyPrograms)
        installed = installed || system.exists(QLatin1String(program));
    if (!installed)
        return passed(QStringLiteral("brltty"), title, QStringLiteral("brltty is not installed."));
    const BrlttyRules rules = brlttyRules(system);
    if (rules.files.isEmpty())
        return passed(QStringLiteral("brltty"), title,
                      QStringLiteral("brltty is installed; no rules of it claim a USB-serial adapter."));
    // The port's own adapter, when it says which it is, settles whether the rules matter here.
    bool concerned = ports.isEmpty();
    for (const PortFacts &port : ports)
        concerned = concerned || port.vidPid().isEmpty() || rules.vidPids.contains(port.vidPid());
    const QString finding =
        QStringLiteral("brltty is installed, and %1 claims %2 for braille displays: the "
                       "adapter's port vanishes moments after it is plugged in.")
            .arg(rules.files.join(QStringLiteral(", ")), rules.adapters.join(QStringLiteral(", ")));
    if (!concerned)
        return passed(QStringLiteral("brltty"), title,
                      finding + QStringLiteral(" Your adapter is not among them."));
    QStringList masks;
    for (const QString &file : rules.files)
        masks.append(QStringLiteral("sudo ln -s /dev/null /etc/udev/rules.d/%1")
                         .arg(file.section(QLatin1Char('/'), -1)));
    return failed(
        QStringLiteral("brltty"), title, finding,
        QStringLiteral("Without a braille display: sudo apt remove brltty\nWith one, switch its rules "
                       "off instead:\n%1\nsudo udevadm control --reload-rules\nThen plug the cable in "
                       "again.")
            .arg(masks.join(QLatin1Char('\n'))));
}

DoctorCheck modemManagerCheck(const SystemRoot &system)
{
    const QString title = QStringLiteral("ModemManager is not running");
    const QList<qint64> pids = system.processesNamed(QStringLiteral("ModemManager"));
    if (pids.isEmpty())
        return passed(QStringLiteral("modemmanager"), title, QStringLiteral("It is not running."));
    return failed(
        QStringLiteral("modemmanager"), title,
        QStringLiteral("ModemManager (PID %1) is running: it sends modem commands to every new serial "
                       "port and may hold the port while the radio needs it.")
            .arg(pids.first()),
        QStringLiteral("sudo systemctl disable --now ModemManager\n(if a modem needs it, have it skip "
                       "the cable with a udev rule: ENV{ID_MM_DEVICE_IGNORE}=\"1\")"));
}

// The "key=value" of a section of an ini-style file.
QString iniValue(const QByteArray &content, const QString &section, const QString &key)
{
    QString current;
    for (const QByteArray &raw : content.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']')))
            current = line.mid(1, line.size() - 2);
        else if (current == section && line.section(QLatin1Char('='), 0, 0).trimmed() == key)
            return line.section(QLatin1Char('='), 1).trimmed();
    }
    return {};
}

DoctorCheck sandboxCheck(const SystemRoot &system, const QString &device, const PortFacts *port)
{
    const QString title = QStringLiteral("No sandbox keeps the program from the port");
    if (system.exists(QStringLiteral("/.flatpak-info"))) {
        const QByteArray info = system.readFile(QStringLiteral("/.flatpak-info"));
        const QString app = iniValue(info, QStringLiteral("Application"), QStringLiteral("name"));
        const QStringList devices = iniValue(info, QStringLiteral("Context"), QStringLiteral("devices"))
                                        .split(QLatin1Char(';'), Qt::SkipEmptyParts);
        if (devices.contains(QLatin1String("all")))
            return passed(QStringLiteral("sandbox"), title,
                          QStringLiteral("Runs as Flatpak %1, with access to all devices.").arg(app));
        return failed(QStringLiteral("sandbox"), title,
                      QStringLiteral("Runs as Flatpak %1, which may not use serial devices.").arg(app),
                      QStringLiteral("flatpak override --user --device=all %1\nthen start the program again.")
                          .arg(app.isEmpty() ? QStringLiteral("APP-ID") : app));
    }
    const QString snap = system.environment().value(QStringLiteral("SNAP_NAME"));
    if (snap.isEmpty() && !system.environment().contains(QStringLiteral("SNAP")))
        return passed(QStringLiteral("sandbox"), title, QStringLiteral("Not in a Flatpak or snap sandbox."));
    const QString name = snap.isEmpty() ? QStringLiteral("SNAP-NAME") : snap;
    const QString fix =
        QStringLiteral("sudo snap connect %1:raw-usb\nsudo snap connect %1:serial-port").arg(name);
    if (device.isEmpty() || !port || !port->exists || !port->mayOpen)
        return skipped(
            QStringLiteral("sandbox"), title,
            QStringLiteral("Runs as snap %1; name a port to try it. If the port cannot be opened: %2")
                .arg(name, fix.section(QLatin1Char('\n'), 0, 0)));
#ifdef Q_OS_UNIX
    // The sandbox refuses what the device's own permissions allow.
    const int fd = ::open(QFile::encodeName(system.path(system.resolved(device))).constData(),
                          O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    const int error = errno;
    if (fd >= 0)
        ::close(fd);
    if (fd < 0 && (error == EACCES || error == EPERM))
        return failed(QStringLiteral("sandbox"), title,
                      QStringLiteral("Runs as snap %1, which may not open %2.").arg(name, device), fix);
#endif
    return passed(QStringLiteral("sandbox"), title,
                  QStringLiteral("Runs as snap %1 and may open %2.").arg(name, device));
}

} // namespace

bool DoctorReport::passed() const
{
    return std::none_of(checks.begin(), checks.end(),
                        [](const DoctorCheck &c) { return c.status == CheckStatus::Failed; });
}

const DoctorCheck *DoctorReport::check(const QString &id) const
{
    for (const DoctorCheck &c : checks) {
        if (c.id == id)
            return &c;
    }
    return nullptr;
}

DoctorReport examineSystem(const SystemRoot &system, const QString &device)
{
    DoctorReport report;
    report.device = device;
    QList<PortFacts> ports;
    if (!device.isEmpty()) {
        ports.append(system.describe(device));
    } else {
        ports = system.ports();
        if (ports.isEmpty())
            report.checks.append(
                failed(QStringLiteral("device"), QStringLiteral("A serial port is present"),
                       QStringLiteral("The system lists no serial port."),
                       QStringLiteral("Plug the cable in. If it is in: \"sudo dmesg | tail\" tells "
                                      "what became of it (see the brltty item below).")));
    }
    for (const PortFacts &port : ports)
        addDeviceChecks(system, port, report.checks);
    report.checks.append(brlttyCheck(system, ports));
    report.checks.append(modemManagerCheck(system));
    report.checks.append(sandboxCheck(system, device, ports.isEmpty() ? nullptr : &ports.first()));
    return report;
}

QString reportText(const DoctorReport &report)
{
    QString text;
    QTextStream out(&text);
    out << "Serial port check"
        << (report.device.isEmpty() ? QStringLiteral(" (every port found)")
                                    : QStringLiteral(" of ") + report.device)
        << "\n\n";
    for (const DoctorCheck &check : report.checks) {
        const char *mark = check.status == CheckStatus::Passed   ? "[ ok ]"
                           : check.status == CheckStatus::Failed ? "[FAIL]"
                                                                 : "[ -- ]";
        out << mark << ' ' << check.title << "\n";
        if (!check.finding.isEmpty())
            out << "       " << check.finding << "\n";
        const QStringList fix = check.fix.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (qsizetype i = 0; i < fix.size(); ++i)
            out << (i == 0 ? "       Fix: " : "            ") << fix[i] << "\n";
    }
    const qsizetype failures =
        std::count_if(report.checks.begin(), report.checks.end(),
                      [](const DoctorCheck &c) { return c.status == CheckStatus::Failed; });
    out << "\n"
        << (failures == 0
                ? QStringLiteral("Every check passed.")
                : QCoreApplication::translate("ktv4", "%n check(s) failed.", nullptr, int(failures)))
        << "\n";
    return text;
}

PortDoctor::PortDoctor(const SystemRoot &system, QObject *parent) : QObject(parent), m_system(system) {}

PortDoctor::~PortDoctor() = default;

void PortDoctor::start(const QString &portName)
{
    if (m_transfer && m_transfer->isBusy())
        return;
    const QString device = portName.isEmpty() ? QString() : platformPortName(portName);
    m_report = examineSystem(m_system, device);
    const QString title = QStringLiteral("The radio answers identify at 9600 bit/s");
    if (device.isEmpty()) {
        m_report.checks.append(
            skipped(QStringLiteral("identify"), title, QStringLiteral("Name a port to ask the radio.")));
        QMetaObject::invokeMethod(
            this, [this] { emit finished(m_report); }, Qt::QueuedConnection);
        return;
    }
    const bool blocked =
        std::any_of(m_report.checks.begin(), m_report.checks.end(), [](const DoctorCheck &c) {
            return c.status == CheckStatus::Failed &&
                   (c.id == QLatin1String("device") || c.id == QLatin1String("group") ||
                    c.id == QLatin1String("session") || c.id == QLatin1String("holder"));
        });
    if (blocked) {
        m_report.checks.append(
            skipped(QStringLiteral("identify"), title,
                    QStringLiteral("Not asked: the port cannot be opened yet (see above).")));
        QMetaObject::invokeMethod(
            this, [this] { emit finished(m_report); }, Qt::QueuedConnection);
        return;
    }
    m_transfer = std::make_unique<CloneTransfer>(std::make_unique<SerialTransport>(), kRadioTimings);
    m_transfer->setPortName(device);
    connect(m_transfer.get(), &CloneTransfer::finished, this,
            [this, title, device](const TransferResult &result) {
                if (result.outcome == TransferOutcome::Completed && result.radio.identity) {
                    const RadioIdentity &identity = *result.radio.identity;
                    m_report.checks.append(
                        passed(QStringLiteral("identify"), title,
                               QStringLiteral("It is a %1%2.")
                                   .arg(modelOptionCaption(identity.modelIndex),
                                        identity.variantA ? QStringLiteral(" (variant A)") : QString())));
                } else {
                    QString finding = outcomeText(result.outcome);
                    if (!result.detail.isEmpty())
                        finding += QStringLiteral(": ") + result.detail;
                    m_report.checks.append(failed(
                        QStringLiteral("identify"), title, finding + QLatin1Char('.'),
                        QStringLiteral(
                            "Switch the radio on in clone mode, check the cable at both ends, and make sure "
                            "%1 is the cable's port (\"ktv4cli ports\" lists the ports with their adapters).")
                            .arg(device)));
                }
                // The port is let go before anyone hears the result, so the next program can open it.
                m_transfer->closePort();
                emit finished(m_report);
            });
    m_transfer->start(Operation::Identify);
}

} // namespace ktv4
