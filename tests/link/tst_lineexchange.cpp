// One exchange with the radio over a real serial device (a pseudo-terminal opened through
// QSerialPort), with the far end played by the test so every piece and pause is under control.

#include "PtyPair.h"

#include "link/CloneTransfer.h"
#include "link/LineExchange.h"
#include "link/SerialTransport.h"

#include <QElapsedTimer>
#include <QTest>
#include <optional>

using namespace ktv4;

Q_DECLARE_METATYPE(ExchangeResult::Status)

namespace {

const QByteArray kReadLine = "OV~F0600R\r\n";
const QByteArray kReadReply = kReadLine + QByteArray(64, 'F') + "\r\n";

// The program's end of the line: the real port, one exchange at a time.
struct Link {
    explicit Link(const QString &path)
    {
        transport.setPortName(path);
        QObject::connect(&exchange, &LineExchange::finished,
                         [this](const ExchangeResult &r) { results.append(r); });
    }
    bool open()
    {
        QString error;
        return transport.open(error);
    }
    std::optional<ExchangeResult> waitResult(int timeoutMs = 4000)
    {
        QElapsedTimer timer;
        timer.start();
        while (results.isEmpty() && timer.elapsed() < timeoutMs)
            QTest::qWait(1);
        if (results.isEmpty())
            return std::nullopt;
        return results.takeFirst();
    }

    SerialTransport transport;
    LineExchange exchange{transport};
    QList<ExchangeResult> results;
};

// A pseudo-terminal with the program's port open on it.
struct OpenLink {
    PtyPair pty;
    Link link{pty.path()};
    bool opened = pty.isValid() && link.open();
};

} // namespace

class TestLineExchange : public QObject {
    Q_OBJECT
private slots:
    void replies_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QList<QByteArray>>("pieces");
        QTest::addColumn<int>("gapMs");
        QTest::addColumn<ExchangeResult::Status>("status");
        QTest::addColumn<QByteArray>("reply");

        // The echo ends in LF but is not longer than the command plus 3: the answer is still awaited.
        QTest::newRow("echo first, answer later")
            << kReadLine << QList<QByteArray>{kReadLine, kReadReply.mid(kReadLine.size())} << 300
            << ExchangeResult::Reply << kReadReply;
        QList<QByteArray> characters;
        for (const char c : kReadReply)
            characters.append(QByteArray(1, c));
        QTest::newRow("one character at a time")
            << kReadLine << characters << 1 << ExchangeResult::Reply << kReadReply;
        QTest::newRow("pieces ending in the middle of the data")
            << kReadLine << QList<QByteArray>{kReadReply.left(20), kReadReply.mid(20, 30), kReadReply.mid(50)}
            << 50 << ExchangeResult::Reply << kReadReply;
        QTest::newRow("echo and OK: complete at command + 4")
            << QByteArray("KTSV4\r\n") << QList<QByteArray>{"KTSV4\r\nOK\r\n"} << 0 << ExchangeResult::Reply
            << QByteArray("KTSV4\r\nOK\r\n");
        QTest::newRow("command + 3 ending in LF is not complete")
            << QByteArray("KTSV4\r\n") << QList<QByteArray>{"KTSV4\r\nK\r\n"} << 0 << ExchangeResult::TimedOut
            << QByteArray("KTSV4\r\nK\r\n");
    }

    void replies()
    {
        QFETCH(QByteArray, command);
        QFETCH(QList<QByteArray>, pieces);
        QFETCH(int, gapMs);
        QFETCH(ExchangeResult::Status, status);
        QFETCH(QByteArray, reply);

        OpenLink l;
        QVERIFY(l.opened);
        PtyPair &pty = l.pty;
        Link &link = l.link;

        link.exchange.sendAndReceive(command);
        QCOMPARE(pty.take(command.size()), command);
        for (const QByteArray &piece : pieces) {
            pty.send(piece);
            QTest::qWait(gapMs);
        }
        const std::optional<ExchangeResult> result = link.waitResult();
        QVERIFY(result);
        QCOMPARE(result->status, status);
        QCOMPARE(result->reply, reply);
        QVERIFY(!link.exchange.isBusy());
    }

    // A reply without its final LF, arriving in pieces every 250 ms: the wait still ends 2000 ms after
    // the send, with what came.
    void timeOutIsNotRestartedByArrivingCharacters()
    {
        OpenLink l;
        QVERIFY(l.opened);
        PtyPair &pty = l.pty;
        Link &link = l.link;

        QElapsedTimer elapsed;
        elapsed.start();
        link.exchange.sendAndReceive(kReadLine);
        const QByteArray noFinalLf = kReadReply.chopped(1);
        for (qsizetype at = 0; link.results.isEmpty() && elapsed.elapsed() < 6000; at += 20) {
            if (at < noFinalLf.size())
                pty.send(noFinalLf.mid(at, 20));
            QTest::qWait(250);
        }
        QCOMPARE(link.results.size(), 1);
        QCOMPARE(link.results[0].status, ExchangeResult::TimedOut);
        QVERIFY2(elapsed.elapsed() >= 2000 && elapsed.elapsed() < 3000,
                 qPrintable(QString::number(elapsed.elapsed())));
        QCOMPARE(link.results[0].reply, noFinalLf);
    }

    void waitingBytesAreDiscarded_data()
    {
        QTest::addColumn<int>("settleMs");
        QTest::newRow("already taken in by the port") << 100;
        QTest::newRow("still waiting in the device") << 0;
    }

    void waitingBytesAreDiscarded()
    {
        QFETCH(int, settleMs);
        OpenLink l;
        QVERIFY(l.opened);
        PtyPair &pty = l.pty;
        Link &link = l.link;

        // Leftovers of an earlier reply and line noise, received before the command goes out.
        pty.send("OV~F0580R\r\n0123\r\nnoise");
        QTest::qWait(settleMs);
        link.exchange.sendAndReceive(kReadLine);
        QCOMPARE(pty.take(kReadLine.size()), kReadLine);
        pty.send(kReadReply);
        const std::optional<ExchangeResult> result = link.waitResult();
        QVERIFY(result);
        QCOMPARE(result->status, ExchangeResult::Reply);
        QCOMPARE(result->reply, kReadReply);
    }

    // The device going away while a reply is awaited is in tst_clonetransfer (at channel k); here
    // it goes between two exchanges and the next one fails.
    void deviceVanishesBetweenExchanges()
    {
        OpenLink l;
        QVERIFY(l.opened);
        QTest::qWait(20);
        l.pty.closeAll();
        QTest::qWait(100);
        Link &link = l.link;
        link.exchange.sendAndReceive(kReadLine);
        const std::optional<ExchangeResult> result = link.waitResult(1500);
        QVERIFY(result);
        QCOMPARE(result->status, ExchangeResult::PortFailed);
        QVERIFY(!result->detail.isEmpty());
        QVERIFY(!link.transport.isOpen());
    }

    void portThatCannotBeOpened()
    {
        SerialTransport transport;
        transport.setPortName(QStringLiteral("/dev/ktv4-no-such-port"));
        QString error;
        QVERIFY(!transport.open(error));
        QVERIFY(error.contains(QLatin1String("/dev/ktv4-no-such-port")));
        // The reason is what the user needs to mend the cable or the port name.
        QVERIFY2(error.contains(QLatin1String("no such device")), qPrintable(error));
        QVERIFY2(!error.contains(QLatin1String("No error"), Qt::CaseInsensitive), qPrintable(error));
        QVERIFY(!transport.isOpen());
        // A second attempt tells the same.
        QString again;
        QVERIFY(!transport.open(again));
        QCOMPARE(again, error);
    }

    void portInUse()
    {
        PtyPair pty;
        QVERIFY(pty.isValid());
        Link first(pty.path());
        QVERIFY(first.open());

        SerialTransport second;
        second.setPortName(pty.path());
        QString error;
        QVERIFY(!second.open(error));
        QVERIFY2(error.contains(QLatin1String("in use")), qPrintable(error));
        // Not a matter of permissions: the user need not change groups, only close the other program.
        QVERIFY2(!error.contains(QLatin1String("permission"), Qt::CaseInsensitive), qPrintable(error));
        QVERIFY(!second.isOpen());
        QVERIFY(first.transport.isOpen());
    }

    void closedPortEndsTheExchangeLater()
    {
        SerialTransport transport;
        LineExchange exchange(transport);
        std::optional<ExchangeResult> result;
        connect(&exchange, &LineExchange::finished, this, [&result](const ExchangeResult &r) { result = r; });
        exchange.sendAndReceive(kReadLine);
        // Never from inside the call: the caller is still setting up when it returns.
        QVERIFY(!result);
        QTRY_VERIFY(result);
        QCOMPARE(result->status, ExchangeResult::PortFailed);
    }

    void comPortNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("device");
        // COM0 is no COM port: the name is used as it is, as a path is.
        for (const auto &[name, device] :
             {std::pair{"COM1", "/dev/ttyS0"}, std::pair{"com14", "/dev/ttyS13"},
              std::pair{"/dev/ttyUSB0", "/dev/ttyUSB0"}, std::pair{"COM0", "COM0"}})
            QTest::addRow("%s", name) << QString(name) << QString(device);
    }

    void comPortNames()
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

QTEST_GUILESS_MAIN(TestLineExchange)
#include "tst_lineexchange.moc"
