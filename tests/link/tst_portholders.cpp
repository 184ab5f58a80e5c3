// Ports and the programs holding them, on real pseudo-terminals: `ktv4cli ports` names the
// process that has the port open, tells a virtual radio at the other end from a rival, and
// `ktv4cli doctor` asks the radio at 9600 bit/s.

#include "PtyPair.h"
#include "support/ProcessRunner.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace ktv4::test;

namespace {

QJsonObject onlyPort(const Run &run)
{
    const QJsonArray ports = QJsonDocument::fromJson(run.out.toUtf8()).array();
    return ports.size() == 1 ? ports.first().toObject() : QJsonObject();
}

} // namespace

class TestPortHolders : public QObject {
    Q_OBJECT
private slots:
    void heldByAnotherProcess()
    {
        PtyPair pty;
        QVERIFY(pty.isValid());
        // A second program with the port open: its standard input is the port.
        QProcess holder;
        holder.setStandardInputFile(pty.path());
        holder.start(QStringLiteral("cat"), {});
        QVERIFY(holder.waitForStarted());

        const Run run = cli({"ports", "--json", pty.path()});
        QCOMPARE(run.exitCode, 0);
        const QJsonObject port = onlyPort(run);
        QCOMPARE(port["device"].toString(), pty.path());
        QCOMPARE(port["inUseBy"]["pid"].toInteger(), holder.processId());
        QCOMPARE(port["inUseBy"]["program"].toString(), QStringLiteral("cat"));
        // This test holds the terminal's other end: not a rival.
        QCOMPARE(port["otherEnd"]["pid"].toInteger(), QCoreApplication::applicationPid());

        const Run doctor = cli({"doctor", "--port", pty.path()});
        QCOMPARE(doctor.exitCode, 1);
        QVERIFY2(doctor.out.contains(QStringLiteral("[FAIL] No other program holds %1").arg(pty.path())) &&
                     doctor.out.contains(QStringLiteral("kill %1").arg(holder.processId())),
                 qPrintable(doctor.out));
        holder.kill();
        holder.waitForFinished();
    }

    void doctorAsksTheRadio()
    {
        QProcess sim;
        sim.start(QStringLiteral(KTV4SIM_PATH), {"--baud", "0", "--model-code", "66"});
        QVERIFY(sim.waitForReadyRead(10000));
        const QString device = QString::fromLocal8Bit(sim.readLine()).trimmed();

        const Run run = cli({"doctor", "--port", device});
        QVERIFY2(run.out.contains(QStringLiteral("[ ok ] No other program holds %1").arg(device)) &&
                     run.out.contains(
                         QStringLiteral("ktv4sim (PID %1) is at the other end").arg(sim.processId())) &&
                     run.out.contains(QStringLiteral("[ ok ] The radio answers identify at 9600 bit/s\n"
                                                     "       It is a KT-V4T.")),
                 qPrintable(run.out));
        // The status follows the list, whatever this machine's own state.
        QCOMPARE(run.exitCode, run.out.contains(QLatin1String("[FAIL]")) ? 1 : 0);
        sim.terminate();
        sim.waitForFinished();

        const Run gone = cli({"doctor", "--port", device + QStringLiteral("9")});
        QCOMPARE(gone.exitCode, 1);
        QVERIFY(gone.out.contains(QStringLiteral("[FAIL] ") + device + QStringLiteral("9 exists")));
    }
};

QTEST_GUILESS_MAIN(TestPortHolders)
#include "tst_portholders.moc"
