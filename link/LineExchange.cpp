// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/LineExchange.h"

#include "link/LinkLog.h"
#include "link/TransferTrace.h"
#include "link/Transport.h"

#include <utility>

namespace ktv4 {

LineExchange::LineExchange(Transport &transport, std::chrono::milliseconds replyTimeout, QObject *parent)
    : QObject(parent), m_transport(transport)
{
    m_timeout.setSingleShot(true);
    // A coarse timer may fire up to 5% early; the radio is owed its full time-out.
    m_timeout.setTimerType(Qt::PreciseTimer);
    m_timeout.setInterval(replyTimeout);
    connect(&m_timeout, &QTimer::timeout, this, &LineExchange::timedOut);
    connect(&m_transport, &Transport::readyRead, this, &LineExchange::collect);
    connect(&m_transport, &Transport::failed, this, &LineExchange::portFailed);
}

bool LineExchange::isComplete(const QByteArray &reply, qsizetype commandLength)
{
    return reply.size() > commandLength + 3 && reply.endsWith('\n');
}

qsizetype LineExchange::completeLength(const QByteArray &reply, qsizetype commandLength)
{
    // The first LF past the echo and at least three more characters ends the reply.
    const qsizetype end = reply.indexOf('\n', commandLength + 3);
    return end < 0 ? -1 : end + 1;
}

void LineExchange::sendAndReceive(const QByteArray &line)
{
    Q_ASSERT(!m_busy);
    m_busy = true;
    m_reply.clear();
    m_commandLength = line.size();

    // A port that failed between two exchanges has been closed; its reason ends this one.
    const QString idleFailure = std::exchange(m_idleFailure, QString());
    if (!m_transport.isOpen()) {
        finishLater(idleFailure.isEmpty() ? QStringLiteral("the port is not open") : idleFailure);
        return;
    }

    const QByteArray waiting = m_transport.readAll();
    m_transport.discardInput();
    if (m_trace && !waiting.isEmpty())
        m_trace->discarded(waiting);

    if (m_trace)
        m_trace->sent(line);
    qCDebug(lcLink) << "send" << line;
    m_sending = true;
    const bool written = m_transport.write(line);
    m_sending = false;
    if (!written || !m_sendFailure.isEmpty()) {
        const QString why = std::exchange(m_sendFailure, QString());
        finishLater(why.isEmpty() ? QStringLiteral("could not send") : why);
        return;
    }
    m_timeout.start();
}

void LineExchange::collect()
{
    if (!m_busy || !m_timeout.isActive())
        return; // arrived between exchanges: thrown away when the next one starts
    m_reply += m_transport.readAll();
    const qsizetype length = completeLength(m_reply, m_commandLength);
    if (length < 0)
        return;
    // Bytes after the reply in the same read are line noise, not part of it.
    const QByteArray after = m_reply.mid(length);
    m_reply.truncate(length);
    if (!after.isEmpty()) {
        qCInfo(lcLink) << "dropped after the reply" << after;
        if (m_trace)
            m_trace->discarded(after);
    }
    finish(ExchangeResult::Reply);
}

void LineExchange::portFailed(const QString &detail)
{
    if (!m_busy) {
        m_idleFailure = detail;
        if (m_trace)
            m_trace->note(QStringLiteral("port error: %1").arg(detail));
        return;
    }
    if (m_sending) {
        m_sendFailure = detail;
        return;
    }
    if (m_timeout.isActive())
        finish(ExchangeResult::PortFailed, detail);
}

void LineExchange::timedOut()
{
    if (m_busy)
        finish(ExchangeResult::TimedOut,
               QStringLiteral("no complete reply within %1 ms").arg(m_timeout.interval()));
}

void LineExchange::finish(ExchangeResult::Status status, const QString &detail)
{
    m_timeout.stop();
    m_busy = false;
    ExchangeResult result{status, std::exchange(m_reply, QByteArray()), detail};
    if (status == ExchangeResult::Reply)
        qCDebug(lcLink) << "reply" << result.reply;
    else
        qCInfo(lcLink) << (status == ExchangeResult::TimedOut ? "time-out" : "port error") << detail
                       << "after" << result.reply;
    if (m_trace) {
        if (status == ExchangeResult::Reply || !result.reply.isEmpty())
            m_trace->received(result.reply);
        if (status == ExchangeResult::TimedOut)
            m_trace->note(QStringLiteral("time-out: %1").arg(detail));
        else if (status == ExchangeResult::PortFailed)
            m_trace->note(QStringLiteral("port error: %1").arg(detail));
    }
    emit finished(result);
}

void LineExchange::portClosed()
{
    if (m_busy && m_timeout.isActive()) {
        m_timeout.stop();
        finishLater(QStringLiteral("the port was closed"));
    }
}

void LineExchange::finishLater(const QString &detail)
{
    QMetaObject::invokeMethod(
        this, [this, detail] { finish(ExchangeResult::PortFailed, detail); }, Qt::QueuedConnection);
}

} // namespace ktv4
