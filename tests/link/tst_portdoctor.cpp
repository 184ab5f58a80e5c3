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

struct Row {
    const char *name;
    std::vector<FakeFile> files;
    const char *device = "/dev/ttyUSB0";
    bool inGroupFile = true; // /etc/group lists the user in the device's group
    bool sessionHasGroup = true;
    int mode = 0660;
    const char *failing = ""; // the check that fails, or none
    const char *fixPart = ""; // what its fix must say
};

const Row kRows[] = {
    {"all well", {}},
    {"no device", {}, "/dev/ttyUSB7", true, true, 0660, "device", "ktv4cli ports"},
    {"not in the group",
     {},
     "/dev/ttyUSB0",
     false,
     false,
     0660,
     "group",
     "sudo usermod -aG dialout ham\nthen log out and in"},
    {"joined after logging in", {}, "/dev/ttyUSB0", true, false, 0660, "session", "Log out and in again"},
    {"group may not write", {}, "/dev/ttyUSB0", true, true, 0640, "group", "sudo chmod g+rw /dev/ttyUSB0"},
    {"lock file",
     {{"/run/lock/LCK..ttyUSB0", "      4711\n"}, {"/proc/4711/comm", "chirp\n"}},
     "/dev/ttyUSB0",
     true,
     true,
     0660,
     "holder",
     "Close chirp, or end it: kill 4711"},
    {"lock of an ended program", {{"/var/lock/LCK..ttyUSB0", "4711\n"}}},
    {"open handle",
     {{"/proc/812/comm", "minicom\n"}, {"/proc/812/fd/3", nullptr, "/dev/ttyUSB0"}},
     "/dev/ttyUSB0",
     true,
     true,
     0660,
     "holder",
     "kill 812"},
    {"by-id name held by its device name",
     {{"/dev/serial/by-id/usb-1a86_USB_Serial-if00-port0", nullptr, "../../ttyUSB0"},
      {"/proc/812/comm", "minicom\n"},
      {"/proc/812/fd/3", nullptr, "/dev/ttyUSB0"}},
     "/dev/serial/by-id/usb-1a86_USB_Serial-if00-port0",
     true,
     true,
     0660,
     "holder",
     "kill 812"},
    {"brltty claims CH340",
     {{"/usr/bin/brltty", ""},
      {"/usr/lib/udev/rules.d/85-brltty.rules", "ENV{PRODUCT}==\"1a86/7523/*\", GOTO=\"x\"\n"}},
     "/dev/ttyUSB0",
     true,
     true,
     0660,
     "brltty",
     "sudo ln -s /dev/null /etc/udev/rules.d/85-brltty.rules"},
    {"brltty rules switched off",
     {{"/usr/bin/brltty", ""},
      {"/usr/lib/udev/rules.d/85-brltty.rules", "ENV{PRODUCT}==\"1a86/7523/*\"\n"},
      {"/etc/udev/rules.d/85-brltty.rules", nullptr, "/dev/null"}}},
    {"brltty without its rules", {{"/usr/bin/brltty", ""}}},
    {"ModemManager",
     {{"/proc/655/comm", "ModemManager\n"}},
     "/dev/ttyUSB0",
     true,
     true,
     0660,
     "modemmanager",
     "sudo systemctl disable --now ModemManager"},
    {"Flatpak without devices",
     {{"/.flatpak-info",
       "[Application]\nname=org.example.Ktv4\n\n[Context]\nshared=network;\ndevices=dri;\n"}},
     "/dev/ttyUSB0",
     true,
     true,
     0660,
     "sandbox",
     "flatpak override --user --device=all org.example.Ktv4"},
    // Read as empty at once: neither waits for a writer nor reads without end.
    {"endless system files", {{"/run/lock/LCK..ttyUSB0", nullptr}, {"/proc/655/comm", nullptr, "/dev/zero"}}},
    {"Flatpak with all devices",
     {{"/.flatpak-info", "[Application]\nname=org.example.Ktv4\n[Context]\ndevices=all;\n"}}},
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

    // The names users type for a port, as devices.
    void portNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("device");
        for (const auto &[name, device] :
             {std::pair{"ttyUSB0", "/dev/ttyUSB0"}, std::pair{"ttyACM1", "/dev/ttyACM1"},
              std::pair{"/dev/ttyUSB0", "/dev/ttyUSB0"}, std::pair{"COM3", "/dev/ttyS2"},
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
