// ktv4cli identify/read/write as scripts run them: two processes, ktv4sim and ktv4cli, on a real
// pseudo-terminal. How each way of failing ends is covered by tst_clonetransfer; here one failure
// of each message shows that it reaches the user and leaves no output file.

#include "support/ProcessRunner.h"
#include "support/SimProcess.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace ktv4::test;

namespace {

// ktv4sim as a child process; stopped (and its --save written) by stop().

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
        SimProcess sim({"--model-code", "66", "--variant-code", "AA"});
        QVERIFY(!sim.device().isEmpty());
        const Run r = cli({"identify", "--port", sim.device()});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QStringLiteral("KT-V4T (variant A)\n"));
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
        QCOMPARE(lines.size(), 611);
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

        QTest::newRow("read, reply of 76 characters")
            << QStringList{"--wrong-length", "0320:76"} << QStringList{"read", "--port", "DEV", "-o", "OUT"}
            << "Communication Error";
        QTest::newRow("read, port does not exist")
            << QStringList{} << QStringList{"read", "--port", "/dev/ktv4-none", "-o", "OUT"}
            << "COM Port Error";
        QTest::newRow("write, write enable refused")
            << QStringList{"--bad-ack", "enable"} << QStringList{"write", "--port", "DEV", "IN"}
            << "Communication Error";
        QTest::newRow("write, file that does not load")
            << QStringList{} << QStringList{"write", "--port", "DEV", "MISSING"} << "File Open Error";
    }

    void failures()
    {
        QFETCH(QStringList, simArguments);
        QFETCH(QStringList, cliArguments);
        QFETCH(QString, message);

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
        // A port that cannot be opened is reported with the reason.
        if (message == QLatin1String("COM Port Error"))
            QVERIFY2(r.err.contains(QLatin1String("no such device")), qPrintable(r.err));
        QVERIFY(!QFile::exists(out));
    }

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestRadioCli)
#include "tst_radiocli.moc"
