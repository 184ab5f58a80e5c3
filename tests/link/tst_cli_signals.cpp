// A transfer stopped by a signal, as a closed terminal or a service manager sends it: ktv4cli
// stops between two exchanges, says so on stderr (no terminal needed), and fails. A read writes no
// file; a write says which channels the radio now holds.

#include "support/ProcessRunner.h"

#include <QRegularExpression>
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
        QTest::addColumn<bool>("write");
        QTest::newRow("SIGTERM") << int(SIGTERM) << false;
        QTest::newRow("SIGHUP") << int(SIGHUP) << false;
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
};

QTEST_GUILESS_MAIN(TestCliSignals)
#include "tst_cli_signals.moc"
