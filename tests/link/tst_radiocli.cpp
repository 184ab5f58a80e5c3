// SPDX-License-Identifier: GPL-3.0-or-later
// ktv4cli's radio commands as scripts run them: two processes, ktv4sim and ktv4cli, on a real
// pseudo-terminal. How each way of failing ends is covered by tst_clonetransfer; here one failure
// of each message shows that it reaches the user and leaves no output file. Then the ports and
// the programs holding them, and a read stopped by a signal.

#include "support/ProcessRunner.h"
#include "support/SimProcess.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>

using namespace ktv4::test;

namespace {

QJsonObject onlyPort(const Run &run)
{
    const QJsonArray ports = QJsonDocument::fromJson(run.out.toUtf8()).array();
    return ports.size() == 1 ? ports.first().toObject() : QJsonObject();
}

} // namespace

class TestRadioCli : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QCOMPARE(cli({"new", "-o", path("new.TV4")}).exitCode, 0);
    }

    void identify()
    {
        // Model J is model option 0, the first of the list.
        SimProcess sim({"--model-code", "33", "--variant-code", "AA"});
        QVERIFY(!sim.device().isEmpty());
        const Run r = cli({"identify", "--port", sim.device()});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QStringLiteral("KT-V4J (variant A)\n"));
    }

    // Settings only: the memory's 604 records would cost 6 s of the radio's pauses here, and the
    // engine reads and writes them over a real port in tst_clonetransfer.
    void readAndWriteSettings()
    {
        const QString base = path("base.TV4");
        const QString read = path("settings.TV4");
        const QString trace = path("read.trace");
        const QString saved = path("radio-settings.TV4");
        QCOMPARE(cli({"new", "--model", "0", "-o", base}).exitCode, 0);
        SimProcess sim({"--variant-code", "AA", "--save", saved});
        QVERIFY(!sim.device().isEmpty());

        const Run r = cli({"read", "--port", sim.device(), "--what", "settings", "--identify", "--base", base,
                           "-o", read, "--trace", trace});
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
        sim.stop();
        const QList<QByteArray> lines = readAll(read).split('\n');
        const QList<QByteArray> radio = readAll(saved).split('\n');
        const QList<QByteArray> before = readAll(base).split('\n');
        // The header names the identified radio; the settings are the radio's, the channels the base's.
        QCOMPARE(lines[0], QByteArray("Orvane KT-V4 E Clone A FileStart\r"));
        QCOMPARE(lines.mid(1, 4), radio.mid(1, 4));
        QCOMPARE(lines.mid(5), before.mid(5));
        QCOMPARE(readAll(trace).count(" > "), 1 + 5);

        SimProcess target({"--save", saved});
        const Run write = cli({"write", "--port", target.device(), "--what", "settings", path("new.TV4")});
        QCOMPARE(write.exitCode, 0);
        QCOMPARE(write.out, QStringLiteral("The settings and both VFOs were written.\n"));
        target.stop();
        QCOMPARE(readAll(saved).split('\n').mid(1, 4), readAll(path("new.TV4")).split('\n').mid(1, 4));
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("simArguments");
        QTest::addColumn<QStringList>(
            "cliArguments"); // DEV is replaced by the device, OUT by the output file
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("reason"); // DEV is replaced by the device

        QTest::newRow("read, reply of 76 characters")
            << QStringList{"--wrong-length", "0320:76"} << QStringList{"read", "--port", "DEV", "-o", "OUT"}
            << "Communication Error"
            << "OV~F0320R";
        QTest::newRow("read, port does not exist")
            << QStringList{} << QStringList{"read", "--port", "/dev/ktv4-none", "-o", "OUT"}
            << "COM Port Error"
            << "/dev/ktv4-none: no such device";
        // The port by its path, and what happened in words a user knows.
        QTest::newRow("read, the radio vanishes")
            << QStringList{"--vanish-at", "0320"} << QStringList{"read", "--port", "DEV", "-o", "OUT"}
            << "COM Port Error"
            << "(DEV: the port disappeared (unplugged?))";
        QTest::newRow("write, write enable refused")
            << QStringList{"--bad-ack", "enable"} << QStringList{"write", "--port", "DEV", "IN"}
            << "Communication Error"
            << "KTSV4";
        QTest::newRow("write, file that does not load")
            << QStringList{} << QStringList{"write", "--port", "DEV", "MISSING"} << "File Open Error"
            << "missing.TV4";
    }

    void failures()
    {
        QFETCH(QStringList, simArguments);
        QFETCH(QStringList, cliArguments);
        QFETCH(QString, message);
        QFETCH(QString, reason);

        const QString out = path("out.TV4");
        QFile::remove(out);
        SimProcess sim(simArguments);
        QVERIFY(!sim.device().isEmpty());
        cliArguments.replaceInStrings(QRegularExpression("^DEV$"), sim.device());
        cliArguments.replaceInStrings(QRegularExpression("^OUT$"), out);
        cliArguments.replaceInStrings(QRegularExpression("^IN$"), path("new.TV4"));
        cliArguments.replaceInStrings(QRegularExpression("^MISSING$"), path("missing.TV4"));

        const Run r = cli(cliArguments);
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.err.section(QLatin1Char('\n'), 0, 0), message);
        QVERIFY2(r.err.contains(reason.replace("DEV", sim.device())), qPrintable(r.err));
        QVERIFY(!QFile::exists(out));
    }

    // A trace that cannot be written all the way (the file size limit stands in for a full disk) is
    // a warning with the system's reason: the read succeeds and its file is written. (The backup
    // of the read does not fit either, and says so first.)
    void traceThatFillsTheDisk()
    {
        SimProcess sim({});
        QVERIFY(!sim.device().isEmpty());
        QProcess shell;
        shell.start(
            QStringLiteral("/bin/sh"),
            {"-c",
             R"sh(trap '' XFSZ; ulimit -f 1; "$0" read --port "$1" --what settings --trace "$2" -o -)sh",
             QStringLiteral(KTV4CLI_PATH), sim.device(), path("full.trace")});
        QVERIFY(shell.waitForFinished(60000));
        const QString err = QString::fromUtf8(shell.readAllStandardError());
        QCOMPARE(shell.exitCode(), 0);
        QCOMPARE(shell.readAllStandardOutput().size(), 40196);
        QVERIFY2(err.contains("\nWarning: the trace is incomplete (cannot write " + path("full.trace") +
                              ": " + qt_error_string(EFBIG) + ")\n"),
                 qPrintable(err));
    }

    void heldByAnotherProcess()
    {
        SimProcess sim({});
        QVERIFY(!sim.device().isEmpty());
        // A second program with the port open: its standard input is the port.
        QProcess holder;
        holder.setStandardInputFile(sim.device());
        holder.start(QStringLiteral("cat"), {});
        QVERIFY(holder.waitForStarted());

        const Run run = cli({"ports", "--json", sim.device()});
        QCOMPARE(run.exitCode, 0);
        const QJsonObject port = onlyPort(run);
        QCOMPARE(port["device"].toString(), sim.device());
        QCOMPARE(port["inUseBy"]["pid"].toInteger(), holder.processId());
        QCOMPARE(port["inUseBy"]["program"].toString(), QStringLiteral("cat"));
        // The radio holds the terminal's other end: not a rival.
        QCOMPARE(port["otherEnd"]["pid"].toInteger(), sim.processId());

        const Run doctor = cli({"doctor", "--port", sim.device()});
        QCOMPARE(doctor.exitCode, 1);
        QVERIFY2(doctor.out.contains(QStringLiteral("[FAIL] No other program holds %1").arg(sim.device())) &&
                     doctor.out.contains(QStringLiteral("kill %1").arg(holder.processId())),
                 qPrintable(doctor.out));
        holder.kill();
        holder.waitForFinished();
    }

    void doctorAsksTheRadio()
    {
        SimProcess sim({"--model-code", "66"});
        const QString device = sim.device();
        QVERIFY(!device.isEmpty());
        const Run run = cli({"doctor", "--port", device});
        QVERIFY2(run.out.contains(QStringLiteral("[ ok ] No other program holds %1").arg(device)) &&
                     run.out.contains(
                         QStringLiteral("ktv4sim (PID %1) is at the other end").arg(sim.processId())) &&
                     run.out.contains(QStringLiteral("[ ok ] The radio answers identify at 9600 bit/s\n"
                                                     "       It is a KT-V4T.")),
                 qPrintable(run.out));
        // The status follows the list, whatever this machine's own state.
        QCOMPARE(run.exitCode, run.out.contains(QLatin1String("[FAIL]")) ? 1 : 0);
    }

    // A transfer stopped by a signal, as a closed terminal or a service manager sends it: ktv4cli
    // stops between two exchanges, says so on stderr (no terminal needed), and fails. A read writes
    // no file; a write says which channels the radio now holds.
    void signalCancelsTheRead_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("write");
        QTest::newRow("SIGTERM") << int(SIGTERM) << false;
        QTest::newRow("SIGINT") << int(SIGINT) << false;
        QTest::newRow("SIGTERM during a write") << int(SIGTERM) << true;
    }

    void signalCancelsTheRead()
    {
        QFETCH(int, signal);
        QFETCH(bool, write);
        QTemporaryDir dir;
        const QString out = dir.filePath("out.TV4");
        const QString trace = dir.filePath("read.trace");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", dir.path()); // the write's backup goes there

        // At 9600 bit/s the radio takes about a minute for all channels.
        QProcess sim;
        sim.start(QStringLiteral(KTV4SIM_PATH), QStringList{});
        QVERIFY(sim.waitForReadyRead(10000));
        const QString device = QString::fromLocal8Bit(sim.readLine()).trimmed();

        QProcess cli;
        cli.setProcessEnvironment(environment);
        if (write) {
            cli.start(QStringLiteral(KTV4CLI_PATH), {"new", "-o", out});
            QVERIFY(cli.waitForFinished(10000));
            cli.start(QStringLiteral(KTV4CLI_PATH),
                      {"write", "--port", device, "--what", "memory", "--trace", trace, out});
        } else {
            cli.start(QStringLiteral(KTV4CLI_PATH),
                      {"read", "--port", device, "--what", "memory", "-o", out, "--trace", trace});
        }
        QTRY_VERIFY_WITH_TIMEOUT(readAll(trace).count(" > ") >= 5, 30000);
        ::kill(pid_t(cli.processId()), signal);
        QVERIFY(cli.waitForFinished(30000));
        sim.terminate();
        sim.waitForFinished(10000);

        QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
        QCOMPARE(cli.exitCode(), 1);
        const QString err = QString::fromUtf8(cli.readAllStandardError());
        QVERIFY2(err.contains("Cancelled"), qPrintable(err));
        if (write)
            QVERIFY2(
                QRegularExpression("\nChannels 0 to \\d+ were written; channels \\d+ to B-P2 were not.\n")
                    .match(err)
                    .hasMatch(),
                qPrintable(err));
        else
            QVERIFY(!QFile::exists(out));
        // Stopped soon after the signal, not at the end of the channels.
        QVERIFY(readAll(trace).count(" > ") < 100);
    }

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestRadioCli)
#include "tst_radiocli.moc"
