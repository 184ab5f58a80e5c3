// SPDX-License-Identifier: GPL-3.0-or-later
// The serial port checklist against a prepared system folder: one row for each way a port fails,
// each with the fix the user is given, and rows showing what must not count as a failure.

#include "link/CloneTransfer.h"
#include "link/PortDoctor.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

using namespace ktv4;

namespace {

constexpr uint kUid = 4242;

struct FakeFile {
    const char *path;
    const char *content; // nullptr: a symbolic link to `link`, or a FIFO without one
    const char *link = nullptr;
};

// A system with one way for the port to fail (the check `failing`, whose fix says `fixPart`), or
// none. The device belongs to the user's group unless the flags say otherwise.
struct Row {
    const char *name;
    const char *failing = ""; // the check that fails, or none
    const char *fixPart = ""; // what its fix must say
    const char *device = "/dev/ttyUSB0";
    bool inGroupFile = true; // /etc/group lists the user in the device's group
    bool sessionHasGroup = true;
    int mode = 0660;
    std::vector<FakeFile> files = {};
};

constexpr const char *kUsb = "/dev/ttyUSB0";
constexpr const char *kById = "/dev/serial/by-id/usb-1a86_USB_Serial-if00-port0";
using Files = std::vector<FakeFile>;
const FakeFile kMinicom = {"/proc/812/comm", "minicom\n"};
const FakeFile kMinicomPort = {"/proc/812/fd/3", nullptr, kUsb};
const FakeFile kBrltty = {"/usr/bin/brltty", ""};
const FakeFile kBrlttyRules = {"/usr/lib/udev/rules.d/85-brltty.rules", "ENV{PRODUCT}==\"1a86/7523/*\"\n"};
const Files kChirpLock = {{"/run/lock/LCK..ttyUSB0", "      4711\n"}, {"/proc/4711/comm", "chirp\n"}};
const Files kHeldById = {{kById, nullptr, "../../ttyUSB0"}, kMinicom, kMinicomPort};
const Files kBrlttyOff = {kBrltty, kBrlttyRules, {"/etc/udev/rules.d/85-brltty.rules", nullptr, "/dev/null"}};
const Files kFlatpakDri = {
    {"/.flatpak-info", "[Application]\nname=org.example.Ktv4\n\n[Context]\nshared=network;\ndevices=dri;\n"}};
const Files kFlatpakAll = {
    {"/.flatpak-info", "[Application]\nname=org.example.Ktv4\n[Context]\ndevices=all;\n"}};
const Files kEndless = {{"/run/lock/LCK..ttyUSB0", nullptr}, {"/proc/655/comm", nullptr, "/dev/zero"}};
const Files kMm = {{"/proc/655/comm", "ModemManager\n"}};
constexpr const char *kBrlttyFix = "sudo ln -s /dev/null /etc/udev/rules.d/85-brltty.rules";
constexpr const char *kFlatpakFix = "flatpak override --user --device=all org.example.Ktv4";

const Row kRows[] = {
    {"all well"},
    {"no device", "device", "ktv4cli ports", "/dev/ttyUSB7"},
    {"not in the group", "group", "sudo usermod -aG dialout ham\nthen log out and in", kUsb, false, false},
    {"joined after logging in", "session", "Log out and in again", kUsb, true, false},
    {"group may not write", "group", "sudo chmod g+rw /dev/ttyUSB0", kUsb, true, true, 0640},
    {"lock file", "holder", "Close chirp, or end it: kill 4711", kUsb, true, true, 0660, kChirpLock},
    {"lock of an ended program", "", "", kUsb, true, true, 0660, {{"/var/lock/LCK..ttyUSB0", "4711\n"}}},
    {"open handle", "holder", "kill 812", kUsb, true, true, 0660, {kMinicom, kMinicomPort}},
    {"by-id name held by its device name", "holder", "kill 812", kById, true, true, 0660, kHeldById},
    {"brltty claims CH340", "brltty", kBrlttyFix, kUsb, true, true, 0660, {kBrltty, kBrlttyRules}},
    {"brltty rules switched off", "", "", kUsb, true, true, 0660, kBrlttyOff},
    {"brltty without its rules", "", "", kUsb, true, true, 0660, {kBrltty}},
    {"ModemManager", "modemmanager", "sudo systemctl disable --now ModemManager", kUsb, true, true, 0660,
     kMm},
    {"Flatpak without devices", "sandbox", kFlatpakFix, kUsb, true, true, 0660, kFlatpakDri},
    // Read as empty at once: neither waits for a writer nor reads without end.
    {"endless system files", "", "", kUsb, true, true, 0660, kEndless},
    {"Flatpak with all devices", "", "", kUsb, true, true, 0660, kFlatpakAll},
};

void put(const QString &root, const FakeFile &file)
{
    const QString path = root + QLatin1String(file.path);
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    if (!file.content && !file.link) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        return;
    }
    if (!file.content) {
        QVERIFY(QFile::link(QLatin1String(file.link), path));
        return;
    }
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(file.content);
}

} // namespace

class TestPortDoctor : public QObject {
    Q_OBJECT
private slots:
    void checks_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(kRows)); ++i)
            QTest::addRow("%s", kRows[i].name) << i;
    }

    void checks()
    {
        QFETCH(int, row);
        const Row &r = kRows[row];
        QTemporaryDir dir;
        const QString root = dir.path();
        // The device belongs to this test's group, which the fake system calls "dialout".
        const uint gid = ::getegid();
        const QByteArray members = r.inGroupFile ? "pat,ham" : "pat";
        put(root, {"/etc/group",
                   QByteArray("dialout:x:" + QByteArray::number(gid) + ":" + members + "\nham:x:4242:\n")
                       .constData()});
        put(root, {"/etc/passwd", "root:x:0:0::/root:/bin/sh\nham:x:4242:4242::/home/ham:/bin/bash\n"});
        put(root, {"/dev/ttyUSB0", ""});
        QVERIFY(
            QFile::setPermissions(root + "/dev/ttyUSB0",
                                  QFileDevice::Permissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) |
                                      QFileDevice::ReadGroup |
                                      (r.mode & 020 ? QFileDevice::WriteGroup : QFileDevice::Permissions())));
        put(root, {"/proc/1/comm", "systemd\n"});
        for (const FakeFile &file : r.files)
            put(root, file);

        SystemRoot system(root);
        UserIdentity ham{kUid, QStringLiteral("ham"), {kUid}};
        if (r.sessionHasGroup)
            ham.sessionGroups.append(gid);
        system.setIdentity(ham);
        system.setEnvironment(QProcessEnvironment());
        const DoctorReport report = examineSystem(system, QLatin1String(r.device));

        QStringList failing;
        for (const DoctorCheck &check : report.checks) {
            if (check.status == CheckStatus::Failed)
                failing.append(check.id);
        }
        QCOMPARE(failing, r.failing[0] ? QStringList{QLatin1String(r.failing)} : QStringList());
        QCOMPARE(report.passed(), !r.failing[0]);
        if (r.failing[0])
            QVERIFY2(report.check(QLatin1String(r.failing))->fix.contains(QLatin1String(r.fixPart)),
                     qPrintable(report.check(QLatin1String(r.failing))->fix));
        // The text the user reads carries every fix.
        for (const DoctorCheck &check : report.checks)
            QVERIFY(reportText(report).contains(check.fix.section(QLatin1Char('\n'), 0, 0)));
    }

    // Every port the by-id folder names is listed once under its device, with that stable name.
    void portsFromByIdNames()
    {
        QTemporaryDir dir;
        for (const FakeFile &file : {FakeFile{"/dev/ttyUSB0", ""}, FakeFile{"/dev/ttyACM0", ""},
                                     FakeFile{"/dev/serial/by-id/usb-A-if00", nullptr, "../../ttyUSB0"},
                                     FakeFile{"/dev/serial/by-id/usb-B-if00", nullptr, "../../ttyACM0"}})
            put(dir.path(), file);
        SystemRoot system(dir.path());
        QStringList listed;
        for (const PortFacts &port : system.ports())
            listed.append(port.device + QLatin1Char('=') + port.byIdPath);
        QCOMPARE(listed, (QStringList{"/dev/ttyUSB0=/dev/serial/by-id/usb-A-if00",
                                      "/dev/ttyACM0=/dev/serial/by-id/usb-B-if00"}));
    }

    // The names users type for a port, as devices. COM0 is no COM port: the name is used as it is,
    // as a path is.
    void portNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("device");
        for (const auto &[name, device] :
             {std::pair{"ttyUSB0", "/dev/ttyUSB0"}, std::pair{"ttyACM1", "/dev/ttyACM1"},
              std::pair{"/dev/ttyUSB0", "/dev/ttyUSB0"}, std::pair{"COM3", "/dev/ttyS2"},
              std::pair{"com14", "/dev/ttyS13"}, std::pair{"COM0", "COM0"},
              std::pair{"radio.pty", "radio.pty"}})
            QTest::addRow("%s", name) << QString(name) << QString(device);
    }

    void portNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, device);
#ifdef Q_OS_LINUX
        QCOMPARE(platformPortName(name), device);
#else
        QSKIP("device names of this platform");
#endif
    }
};

QTEST_GUILESS_MAIN(TestPortDoctor)
#include "tst_portdoctor.moc"
