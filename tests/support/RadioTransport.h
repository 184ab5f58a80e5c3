// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A transport whose far end is the virtual radio inside the test process: each line the engine
// sends goes straight to the radio's protocol logic, and its reply comes back piece by piece,
// each piece with its own readyRead, on a precise timer started as the line goes out. A piece
// without a gap is due at once, so it always comes before the engine's time-out, which is due
// later: timers run in the order they are due, however late the event loop gets to them. An
// exchange therefore costs no waiting; a gap the radio is told to leave (a split or a late
// answer) is a short real timer. No device, no pacing, no threads.

#include "link/LinkTimings.h"
#include "link/Transport.h"
#include "tools/ktv4sim/VirtualRadio.h"

#include <QTimer>
#include <utility>

namespace fixture {

// Replies come at once; the time-out only ends exchanges the radio leaves unanswered.
inline constexpr ktv4::LinkTimings kInstantTimings{std::chrono::milliseconds(20),
                                                   std::chrono::milliseconds(0)};

class RadioTransport : public ktv4::Transport {
public:
    explicit RadioTransport(ktv4::sim::VirtualRadio &radio, QObject *parent = nullptr)
        : Transport(parent), m_radio(radio)
    {
    }

    // The next open fails with this reason (a device that is missing, or held by another program).
    QString openError;

    bool open(QString &error) override
    {
        if (m_open)
            return true;
        if (!openError.isEmpty() || m_gone) {
            error = m_gone ? QStringLiteral("no such device") : openError;
            return false;
        }
        m_open = true;
        ++m_opens;
        return true;
    }
    void close() override
    {
        m_open = false;
        m_input.clear();
        ++m_generation; // nothing still on its way reaches a closed port
    }
    bool isOpen() const override { return m_open; }
    void discardInput() override { m_input.clear(); }
    QByteArray readAll() override { return std::exchange(m_input, QByteArray()); }

    bool write(const QByteArray &bytes) override
    {
        if (!m_open)
            return false;
        m_outgoing += bytes;
        qsizetype end;
        while ((end = m_outgoing.indexOf('\n')) >= 0) {
            const ktv4::sim::Response response = m_radio.handleLine(m_outgoing.left(end + 1));
            m_outgoing.remove(0, end + 1);
            if (response.vanish) {
                later(0, [this] {
                    m_open = false;
                    m_gone = true;
                    emit failed(QStringLiteral("the device is gone"));
                });
                continue;
            }
            int at = 0;
            for (const ktv4::sim::Response::Piece &piece : response.pieces) {
                at += piece.gapMs;
                arrive(at, piece.bytes);
            }
            if (!response.pieces.isEmpty() && !response.stray.isEmpty())
                arrive(at, response.stray);
        }
        return true;
    }

    // Bytes on the line now, outside any reply.
    void inject(const QByteArray &bytes) { arrive(0, bytes); }
    int opens() const { return m_opens; }
    bool hasVanished() const { return m_gone; }

private:
    void arrive(int afterMs, const QByteArray &bytes)
    {
        later(afterMs, [this, bytes] {
            m_input += bytes;
            emit readyRead();
        });
    }
    template <typename F> void later(int afterMs, F action)
    {
        auto *timer = new QTimer(this);
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer, &QTimer::timeout, this, [this, timer, action, generation = m_generation] {
            timer->deleteLater();
            if (generation == m_generation)
                action();
        });
        timer->start(afterMs);
    }

    ktv4::sim::VirtualRadio &m_radio;
    QByteArray m_outgoing;
    QByteArray m_input;
    bool m_open = false;
    bool m_gone = false;
    int m_opens = 0;
    int m_generation = 0;
};

} // namespace fixture
