#pragma once
// A pseudo-terminal whose far end the test holds in its own hands: what the program sends can be
// read back byte for byte, and replies can be delivered in whatever pieces a test needs.

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <QTest>
#include <cstdlib>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

class PtyPair {
public:
    PtyPair()
    {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
            return;
        char name[128];
        if (::ptsname_r(m_master, name, sizeof name) != 0)
            return;
        m_path = QString::fromLocal8Bit(name);
        // Holding the far side open keeps the line from hanging up while the program reopens it.
        m_slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
        termios tio{};
        ::tcgetattr(m_slave, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(m_slave, TCSANOW, &tio);
        ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    }
    ~PtyPair() { closeAll(); }
    PtyPair(const PtyPair &) = delete;
    PtyPair &operator=(const PtyPair &) = delete;

    bool isValid() const { return m_master >= 0 && m_slave >= 0; }
    QString path() const { return m_path; }

    void send(const QByteArray &bytes) const
    {
        [[maybe_unused]] const ssize_t n = ::write(m_master, bytes.constData(), bytes.size());
    }

    // What the program has sent, waiting (with the event loop running) until `count` bytes came.
    QByteArray take(qsizetype count, int timeoutMs = 2000) const
    {
        QByteArray bytes;
        QElapsedTimer timer;
        timer.start();
        while (bytes.size() < count && timer.elapsed() < timeoutMs) {
            char buffer[256];
            const ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n > 0)
                bytes.append(buffer, n);
            else
                QTest::qWait(1);
        }
        return bytes;
    }

    // The device disappears, as an unplugged adapter does.
    void closeAll()
    {
        if (m_slave >= 0)
            ::close(m_slave);
        if (m_master >= 0)
            ::close(m_master);
        m_slave = m_master = -1;
    }

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_path;
};
