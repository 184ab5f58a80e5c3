// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One exchange with the radio: throw away whatever is waiting,
// send one command line, and collect the reply until it is complete: longer than the command
// plus 3 characters and ending in LF. Bytes that arrive after that LF in the same read are line
// noise: they are dropped and noted in the trace. The wait ends the reply time-out after the send (2000 ms
// for the radio), however many characters have arrived by then. Driven by the transport's
// signals and a single-shot timer.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>

namespace ktv4 {

class Transport;
class TransferTrace;

struct ExchangeResult {
    enum Status {
        Reply,      // a complete reply (its length and contents are still to be judged)
        TimedOut,   // no complete reply within the time-out
        PortFailed, // the port raised an error or is not open
    };
    Status status = Reply;
    QByteArray reply; // the reply; for TimedOut, what had arrived
    QString detail;   // for PortFailed, the port's reason
};

class LineExchange : public QObject {
    Q_OBJECT
public:
    LineExchange(Transport &transport, std::chrono::milliseconds replyTimeout, QObject *parent = nullptr);

    void setTrace(TransferTrace *trace) { m_trace = trace; }

    bool isBusy() const { return m_busy; }
    // Starts the exchange; finished() follows later, never from inside this call.
    void sendAndReceive(const QByteArray &line);
    // The port was closed under a running exchange: it ends as a port failure.
    void portClosed();

    // The completeness rule: more than command + 3 characters, the last one LF.
    static bool isComplete(const QByteArray &reply, qsizetype commandLength);
    // The length of the complete reply at the start of `received`: up to the first LF that makes
    // it complete; -1 while there is none.
    static qsizetype completeLength(const QByteArray &received, qsizetype commandLength);

signals:
    void finished(const ktv4::ExchangeResult &result);

private:
    void collect();
    void portFailed(const QString &detail);
    void timedOut();
    void finish(ExchangeResult::Status status, const QString &detail = QString());
    void finishLater(const QString &detail);

    Transport &m_transport;
    TransferTrace *m_trace = nullptr;
    QTimer m_timeout;
    QByteArray m_reply;
    qsizetype m_commandLength = 0;
    bool m_busy = false;
    bool m_sending = false;
    QString m_sendFailure;
    // A failure reported while no exchange was running; the next exchange ends with it.
    QString m_idleFailure;
};

} // namespace ktv4
