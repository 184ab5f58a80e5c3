// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A virtual radio in its own process on a pseudo-terminal, answering without line pacing, for
// the tests that drive the real serial port or the command line.

#include <QProcess>
#include <QString>
#include <QStringList>

class SimProcess {
public:
    explicit SimProcess(const QStringList &arguments)
    {
        m_process.start(QStringLiteral(KTV4SIM_PATH), QStringList{"--baud", "0"} + arguments);
        if (m_process.waitForReadyRead(10000))
            m_device = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }
    ~SimProcess() { stop(); }
    QString device() const { return m_device; }
    qint64 processId() const { return m_process.processId(); }
    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(10000))
            m_process.kill();
    }

private:
    QProcess m_process;
    QString m_device;
};
