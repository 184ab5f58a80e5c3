// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/TransferTrace.h"

#include "base/FileAccess.h"

#include <QDateTime>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace ktv4 {

TransferTrace::~TransferTrace()
{
    close();
}

void TransferTrace::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

bool TransferTrace::open(const QString &path)
{
    close();
    m_error.clear();
    if (path.isEmpty())
        return true;
    if (const FileResult check = checkOutputPath(path); !check.ok()) {
        m_error = check.detail;
        return false;
    }
    // Opened under the name's own bytes.
    m_fd = ::open(nativePath(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY, 0666);
    if (m_fd < 0) {
        m_error = QStringLiteral("cannot create %1: %2").arg(path, qt_error_string(errno));
        return false;
    }
    m_path = path;
    m_elapsed.start();
    return true;
}

void TransferTrace::beginOperation(const QString &what)
{
    m_elapsed.start();
    entry('#', what);
}

void TransferTrace::sent(const QByteArray &line)
{
    entry('>', printable(line) + QStringLiteral("  (%1)").arg(line.size()));
}

void TransferTrace::received(const QByteArray &reply)
{
    entry('<', printable(reply) + QStringLiteral("  (%1)").arg(reply.size()));
}

void TransferTrace::discarded(const QByteArray &bytes)
{
    entry('x', printable(bytes) + QStringLiteral("  (%1 discarded)").arg(bytes.size()));
}

void TransferTrace::note(const QString &text)
{
    entry('#', text);
}

QString TransferTrace::printable(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size() + 8);
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u == '\r')
            text += QLatin1String("\\r");
        else if (u == '\n')
            text += QLatin1String("\\n");
        else if (u == '\\')
            text += QLatin1String("\\\\");
        else if (u < 0x20 || u >= 0x7F)
            text += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
        else
            text += QLatin1Char(c);
    }
    return text;
}

void TransferTrace::entry(char direction, const QString &text)
{
    if (m_fd < 0)
        return;
    const qint64 us = m_elapsed.isValid() ? m_elapsed.nsecsElapsed() / 1000 : 0;
    const QString line = QStringLiteral("%1 %2.%3 %4 %5\n")
                             .arg(QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss.zzz")))
                             .arg(us / 1000000, 4)
                             .arg(us % 1000000, 6, 10, QLatin1Char('0'))
                             .arg(QLatin1Char(direction))
                             .arg(text);
    // Written at once, so a trace survives whatever ends the program. The first failure is kept:
    // a trace with holes must not pass for a whole one.
    const QByteArray bytes = line.toUtf8();
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(m_fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (m_error.isEmpty())
                m_error = QStringLiteral("cannot write %1: %2")
                              .arg(m_path, qt_error_string(n < 0 ? errno : ENOSPC));
            return;
        }
        done += n;
    }
}

} // namespace ktv4
