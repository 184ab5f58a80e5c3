// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A transport whose far end is the test itself: it keeps what the program sends, and the test
// hands in replies piece by piece, now or after a few milliseconds on a precise timer, or breaks
// the line. Timers of the program and of the script run in the order they are due, so a test can
// place a piece before or after the program's time-out without measuring any time.

#include "link/Transport.h"

#include <QTimer>
#include <utility>

namespace fixture {

class ScriptedTransport : public ktv4::Transport {
public:
    using Transport::Transport;

    QString openError;        // the next open fails with this reason
    QString failWhileSending; // write() reports this failure as the bytes go out
    bool refuseWrite = false; // write() fails without a reason
    QByteArray sent;          // everything the program sent

    bool open(QString &error) override
    {
        if (!openError.isEmpty()) {
            error = openError;
            return false;
        }
        m_open = true;
        return true;
    }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    void discardInput() override { m_input.clear(); }
    QByteArray readAll() override { return std::exchange(m_input, QByteArray()); }
    bool write(const QByteArray &bytes) override
    {
        if (!m_open || refuseWrite)
            return false;
        sent += bytes;
        if (!failWhileSending.isEmpty())
            breakDown(failWhileSending);
        return m_open;
    }

    // Bytes arrive now.
    void arrive(const QByteArray &bytes)
    {
        m_input += bytes;
        emit readyRead();
    }
    void arriveAfter(int ms, const QByteArray &bytes)
    {
        QTimer::singleShot(ms, Qt::PreciseTimer, this, [this, bytes] { arrive(bytes); });
    }
    // The device reports an error and is closed, as an unplugged adapter is.
    void breakDown(const QString &detail)
    {
        m_open = false;
        m_input.clear();
        emit failed(detail);
    }

private:
    QByteArray m_input;
    bool m_open = false;
};

} // namespace fixture
