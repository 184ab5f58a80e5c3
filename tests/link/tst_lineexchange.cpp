// SPDX-License-Identifier: GPL-3.0-or-later
// One exchange with the radio. The behaviour runs against a scripted far end (the test hands in
// every piece, in virtual time); the serial port itself is checked on pseudo-terminals.

#include "support/ScriptedTransport.h"
#include "tools/ktv4sim/VirtualRadio.h"

#include "link/CloneTransfer.h"
#include "link/LineExchange.h"
#include "link/SerialTransport.h"

#include <QSignalSpy>
#include <QTest>

using namespace ktv4;
using fixture::ScriptedTransport;

Q_DECLARE_METATYPE(ExchangeResult::Status)

namespace {

const QByteArray kReadLine = "OV~F0600R\r\n";
const QByteArray kReadReply = kReadLine + QByteArray(64, 'F') + "\r\n";
constexpr std::chrono::milliseconds kTimeout{30};

// The program's end of the line over the scripted far end, its port open.
struct Link {
    Link()
    {
        QString error;
        transport.open(error);
    }
    // The one result of the running exchange, once it is there.
    ExchangeResult result()
    {
        if (spy.isEmpty() && !spy.wait(2000))
            return {ExchangeResult::PortFailed, {}, QStringLiteral("no result")};
        return spy.takeFirst().at(0).value<ExchangeResult>();
    }

    ScriptedTransport transport;
    LineExchange exchange{transport, kTimeout};
    QSignalSpy spy{&exchange, &LineExchange::finished};
};

} // namespace

class TestLineExchange : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qRegisterMetaType<ExchangeResult>(); }

    void replies_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QList<QByteArray>>("pieces");
        QTest::addColumn<ExchangeResult::Status>("status");
        QTest::addColumn<QByteArray>("reply");

        // The echo alone ends in LF but is not longer than the command plus 3: the answer is still
        // awaited, at every split point.
        QList<QByteArray> characters;
        for (const char c : kReadReply)
            characters.append(QByteArray(1, c));
        QTest::newRow("one character at a time")
            << kReadLine << characters << ExchangeResult::Reply << kReadReply;
        QTest::newRow("echo and OK: complete at command + 4")
            << QByteArray("KTSV4\r\n") << QList<QByteArray>{"KTSV4\r\nOK\r\n"} << ExchangeResult::Reply
            << QByteArray("KTSV4\r\nOK\r\n");
        QTest::newRow("command + 3 ending in LF is not complete")
            << QByteArray("KTSV4\r\n") << QList<QByteArray>{"KTSV4\r\nK\r\n"} << ExchangeResult::TimedOut
            << QByteArray("KTSV4\r\nK\r\n");
        // Line noise right behind the reply, in the same read, is not part of it.
        QTest::newRow("stray bytes after the reply")
            << kReadLine << QList<QByteArray>{kReadReply + "\r\nOV~F"} << ExchangeResult::Reply << kReadReply;
        QTest::newRow("no final LF") << kReadLine << QList<QByteArray>{kReadReply.chopped(1)}
                                     << ExchangeResult::TimedOut << kReadReply.chopped(1);
        QTest::newRow("silence") << kReadLine << QList<QByteArray>{} << ExchangeResult::TimedOut
                                 << QByteArray();
    }

    void replies()
    {
        QFETCH(QByteArray, command);
        QFETCH(QList<QByteArray>, pieces);
        QFETCH(ExchangeResult::Status, status);
        QFETCH(QByteArray, reply);

        Link link;
        link.exchange.sendAndReceive(command);
        QCOMPARE(link.transport.sent, command);
        for (const QByteArray &piece : pieces)
            link.transport.arrive(piece);
        const ExchangeResult result = link.result();
        QCOMPARE(result.status, status);
        QCOMPARE(result.reply, reply);
        QVERIFY(!link.exchange.isBusy());
        if (status == ExchangeResult::TimedOut)
            QVERIFY(result.detail.contains(QString::number(kTimeout.count())));
    }

    // Pieces keep arriving before and after the time-out is due: the wait is counted from the
    // send, not from the last arrival, and what came later is not part of the reply.
    void timeOutIsNotRestartedByArrivingCharacters()
    {
        Link link;
        QSignalSpy arrivals(&link.transport, &Transport::readyRead);
        link.exchange.sendAndReceive(kReadLine);
        const int t = int(kTimeout.count());
        const QList<int> due{0, t / 3, 2 * t / 3, 3 * t / 2, 2 * t, 5 * t / 2, 3 * t, 7 * t / 2};
        for (int i = 0; i < due.size(); ++i)
            link.transport.arriveAfter(due[i], kReadReply.mid(i * 10, 10));
        const ExchangeResult result = link.result();
        QCOMPARE(result.status, ExchangeResult::TimedOut);
        QCOMPARE(result.reply, kReadReply.left(30)); // the pieces due before the time-out
        // Bytes that come between exchanges are thrown away when the next one starts.
        QTRY_COMPARE(arrivals.size(), due.size());
        link.transport.arrive("late\r\n");
        link.exchange.sendAndReceive(kReadLine);
        link.transport.arrive(kReadReply);
        QCOMPARE(link.result().reply, kReadReply);
    }

    void portFailures_data()
    {
        QTest::addColumn<int>(
            "when"); // 0: while the reply is awaited, 1: between exchanges,
                     // 2: while sending, 3: a write the port refuses, 4: closed by the program
        QTest::addColumn<QString>("detail");
        QTest::newRow("while waiting") << 0 << QStringLiteral("the device is gone");
        QTest::newRow("between exchanges") << 1 << QStringLiteral("the device is gone");
        QTest::newRow("while sending") << 2 << QStringLiteral("sending failed");
        QTest::newRow("write refused") << 3 << QStringLiteral("could not send");
        QTest::newRow("closed under the exchange") << 4 << QStringLiteral("the port was closed");
    }

    // A port failure ends the exchange with the port's reason, never from inside the call.
    void portFailures()
    {
        QFETCH(int, when);
        QFETCH(QString, detail);
        Link link;
        if (when == 1)
            link.transport.breakDown(detail); // the next exchange ends with its reason
        link.transport.failWhileSending = when == 2 ? detail : QString();
        link.transport.refuseWrite = when == 3;
        link.exchange.sendAndReceive(kReadLine);
        if (when == 0)
            link.transport.breakDown(detail);
        if (when == 4) {
            link.transport.close();
            link.exchange.portClosed();
        }
        if (when != 0)
            QVERIFY(link.spy.isEmpty());
        const ExchangeResult result = link.result();
        QCOMPARE(result.status, ExchangeResult::PortFailed);
        QCOMPARE(result.detail, detail);
        QVERIFY(!link.exchange.isBusy());
        QVERIFY(!link.spy.wait(2 * kTimeout.count())); // one result only, the time-out stopped
    }

    void closedPortEndsTheExchangeLater()
    {
        ScriptedTransport transport;
        LineExchange exchange(transport, kTimeout);
        QSignalSpy spy(&exchange, &LineExchange::finished);
        exchange.sendAndReceive(kReadLine);
        // Never from inside the call: the caller is still setting up when it returns.
        QVERIFY(spy.isEmpty());
        QVERIFY(spy.wait());
        QCOMPARE(spy[0][0].value<ExchangeResult>().status, ExchangeResult::PortFailed);
        QVERIFY(transport.sent.isEmpty());
    }

    // The real port: a reply from the virtual radio over a pseudo-terminal, and the reasons a port
    // cannot be used.
    void serialPortExchange()
    {
        sim::RadioSetup setup;
        setup.baud = 0;
        sim::VirtualRadio radio(setup);
        QString error;
        QVERIFY2(radio.open(error), qPrintable(error));
        radio.start();
        SerialTransport transport;
        transport.setPortName(radio.devicePath());
        QVERIFY(transport.open(error));
        LineExchange exchange(transport, kRadioTimings.replyTimeout);
        QSignalSpy spy(&exchange, &LineExchange::finished);
        exchange.sendAndReceive(kReadLine);
        QVERIFY(spy.wait());
        QCOMPARE(spy[0][0].value<ExchangeResult>().reply, kReadLine + radio.record(0x0600) + "\r\n");

        // Held by another program: not a matter of permissions, the user need only close it.
        SerialTransport second;
        second.setPortName(radio.devicePath());
        QVERIFY(!second.open(error));
        QCOMPARE(error, radio.devicePath() + QStringLiteral(": in use by another program"));
        QVERIFY(transport.isOpen());

        // The device goes away (the radio stopped first, so that it is gone at once): the port
        // reports it and closes.
        radio.stop();
        radio.vanish();
        exchange.sendAndReceive(kReadLine);
        QVERIFY(spy.wait());
        QCOMPARE(spy[1][0].value<ExchangeResult>().status, ExchangeResult::PortFailed);
        QVERIFY(!transport.isOpen());

        // A device that is not there: the reason is what the user needs to mend the cable or the name.
        SerialTransport missing;
        missing.setPortName(QStringLiteral("/dev/ktv4-no-such-port"));
        QVERIFY(!missing.open(error));
        QCOMPARE(error, QStringLiteral("/dev/ktv4-no-such-port: no such device"));
        QVERIFY(!missing.isOpen());
    }
};

QTEST_GUILESS_MAIN(TestLineExchange)
#include "tst_lineexchange.moc"
