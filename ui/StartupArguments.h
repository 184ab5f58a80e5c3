// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's command line: an optional clone file to open, and --port DEVICE.

#include <QString>
#include <QStringList>

class QCommandLineParser;

namespace ktv4::ui {

struct StartupArguments {
    QString startFile;  // StartFile; empty when none was named
    QString portDevice; // --port: the serial device for this run
    QString traceFile;  // --trace: where to log the radio's lines
};

// The path exactly as the platform hands it over, less a pair of surrounding double quotes
// (a launcher may pass them on); no other character is dropped.
QString startFileFrom(const QString &argument);

// Declares the options and arguments on `parser`.
void describeArguments(QCommandLineParser &parser);
// Reads a parsed command line.
StartupArguments startupArguments(const QCommandLineParser &parser);

} // namespace ktv4::ui
