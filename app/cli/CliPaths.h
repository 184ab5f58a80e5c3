// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The files a command line names, checked before the command does anything: every output must be
// writable as a regular file (or be "-", standard output), and no output may be the same file as
// an input or another output. A clash found only after a minute of reading the radio, or a file
// saved over the one it came from, would lose the user's data: a failed or unwanted result would
// leave no original to go back to.

#include <QList>
#include <QString>

namespace ktv4::cli {

struct NamedPath {
    QString role; // how the command line names it: "-o", "--csv-out", "IN.TV4"
    QString path;
    bool output = false;
};

// "-" as an output: the bytes go to standard output.
bool isStandardOutput(const QString &path);

// Checks the paths that are set (empty ones are left out). Returns -1 to go on, or the exit code
// after printing why not: a clash is a usage error, an output that cannot be written "File Open Error".
int checkCommandPaths(const QString &command, const QList<NamedPath> &paths);

// Writes all of `bytes` to standard output; false with the system's reason.
bool writeStandardOutput(const QByteArray &bytes, QString &error);

} // namespace ktv4::cli
