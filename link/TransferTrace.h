// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A record of everything that crossed the cable, for the day a cable or a radio misbehaves:
// every line sent, every reply (or what had arrived when the wait ran out), bytes thrown away,
// port errors, with the wall-clock time and the time since the operation began.

#include <QElapsedTimer>
#include <QString>

namespace ktv4 {

class TransferTrace {
public:
    TransferTrace() = default;
    ~TransferTrace();
    TransferTrace(const TransferTrace &) = delete;
    TransferTrace &operator=(const TransferTrace &) = delete;

    // Starts a new trace file (truncating it); an empty path stops tracing. False when the file
    // cannot be created; a FIFO, device or folder is refused like any other output.
    bool open(const QString &path);
    bool isOpen() const { return m_fd >= 0; }
    // Why the trace could not be opened or lost entries since it was opened, with the system's
    // reason ("No space left on device"); empty when it is whole.
    QString errorString() const { return m_error; }

    void beginOperation(const QString &what); // restarts the elapsed time
    void sent(const QByteArray &line);
    void received(const QByteArray &reply);
    void discarded(const QByteArray &bytes);
    void note(const QString &text);

    // CR, LF and other control bytes written as escapes, so each entry stays on one line.
    static QString printable(const QByteArray &bytes);

private:
    void entry(char direction, const QString &text);
    void close();

    int m_fd = -1;
    QElapsedTimer m_elapsed;
    QString m_error;
    QString m_path;
};

} // namespace ktv4
