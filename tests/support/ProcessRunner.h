// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Running the command-line programs as scripts run them, and the files they read and write.

#include <QFile>
#include <QProcess>
#include <QStringList>

namespace ktv4::test {

struct Run {
    int exitCode = -1; // -1: crashed or did not finish
    QString out;
    QString err;
};

inline Run runProgram(const QString &program, const QStringList &arguments, int timeoutMs = 120000)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(timeoutMs))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

#ifdef KTV4CLI_PATH
inline Run cli(const QStringList &arguments)
{
    return runProgram(QStringLiteral(KTV4CLI_PATH), arguments);
}
#endif

inline QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

[[nodiscard]] inline bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

} // namespace ktv4::test
