// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/CliPaths.h"

#include "app/cli/CliCommand.h"
#include "base/FileAccess.h"

#include <QTextStream>

#include <cerrno>
#include <unistd.h>

namespace ktv4::cli {

bool isStandardOutput(const QString &path)
{
    return path == QLatin1String("-");
}

int checkCommandPaths(const QString &command, const QList<NamedPath> &paths)
{
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const NamedPath &a = paths[i];
        if (a.path.isEmpty())
            continue;
        for (qsizetype j = i + 1; j < paths.size(); ++j) {
            const NamedPath &b = paths[j];
            if (b.path.isEmpty() || (!a.output && !b.output))
                continue;
            const bool clash = isStandardOutput(a.path) || isStandardOutput(b.path)
                                   ? a.output && b.output && a.path == b.path
                                   : sameFile(a.path, b.path);
            if (clash) {
                QTextStream(stderr) << "ktv4cli " << command << ": " << a.role << " and " << b.role
                                    << " are the same file (" << b.path << ")\n";
                return ExitUsage;
            }
        }
    }
    for (const NamedPath &p : paths) {
        if (!p.output || p.path.isEmpty() || isStandardOutput(p.path))
            continue;
        if (const FileResult check = checkOutputPath(p.path); !check.ok()) {
            printError(messageText(check.status), check.detail);
            return ExitFailure;
        }
    }
    return -1;
}

bool writeStandardOutput(const QByteArray &bytes, QString &error)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(STDOUT_FILENO, data, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = QStringLiteral("cannot write to standard output: %1")
                        .arg(qt_error_string(n < 0 ? errno : EIO));
            return false;
        }
        data += n;
        left -= n;
    }
    return true;
}

} // namespace ktv4::cli
