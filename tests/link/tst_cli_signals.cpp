// A read stopped by a signal, as a closed terminal or a service manager sends it: ktv4cli stops
// between two exchanges, says so on stderr (no terminal needed), writes no file and fails.

#include "support/ProcessRunner.h"

#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace ktv4::test;

class TestCliSignals : public QObject {
    Q_OBJECT
private slots:
    void signalCancelsTheRead_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGHUP") << int(SIGHUP);
        QTest::newRow("SIGINT") << int(SIGINT);
    }

    void signalCancelsTheRead()
    {
        QFETCH(int, signal);
        QTemporaryDir dir;
        const QString out = dir.filePath("out.TV4");
        const QString trace = dir.filePath("read.trace");

        // At 9600 bit/s the radio takes about a minute for all channels.
        QProcess sim;
        sim.start(QStringLiteral(KTV4SIM_PATH), QStringList{});
        QVERIFY(sim.waitForReadyRead(10000));
        const QString device = QString::fromLocal8Bit(sim.readLine()).trimmed();

        QProcess cli;
        cli.start(QStringLiteral(KTV4CLI_PATH),
                  {"read", "--port", device, "--what", "memory", "-o", out, "--trace", trace});
        QTRY_VERIFY_WITH_TIMEOUT(readAll(trace).count(" > ") >= 5, 30000);
        ::kill(pid_t(cli.processId()), signal);
        QVERIFY(cli.waitForFinished(30000));
        sim.terminate();
        sim.waitForFinished(10000);

        QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
        QCOMPARE(cli.exitCode(), 1);
        const QString err = QString::fromUtf8(cli.readAllStandardError());
        QVERIFY2(err.contains("Cancelled"), qPrintable(err));
        QVERIFY(!QFile::exists(out));
        // Stopped soon after the signal, not at the end of the channels.
        QVERIFY(readAll(trace).count(" > ") < 100);
    }
};

QTEST_GUILESS_MAIN(TestCliSignals)
#include "tst_cli_signals.moc"
