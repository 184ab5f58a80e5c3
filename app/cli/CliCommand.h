// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The subcommands of ktv4cli. Each takes its own arguments (argv[0] is the subcommand's name) and
// returns the process exit code; failures print the program's message text on stderr.

#include "files/ImageFile.h"
#include "model/Channel.h"

#include <QStringList>

namespace ktv4 {
class CloneDocument;
} // namespace ktv4

namespace ktv4::cli {

enum ExitCode { ExitOk = 0, ExitFailure = 1, ExitUsage = 2 };

struct CliCommand {
    const char *name;
    const char *summary;
    int (*run)(const QStringList &arguments);
};

// File commands: new, convert, dump, export-csv, import-csv.
int runNew(const QStringList &arguments);
int runConvert(const QStringList &arguments);
int runDump(const QStringList &arguments);
int runExportCsv(const QStringList &arguments);
int runImportCsv(const QStringList &arguments);

// Broadcast schedules into channels: import-schedule.
int runImportSchedule(const QStringList &arguments);

// Radio commands: identify, read, write.
int runIdentify(const QStringList &arguments);
int runRead(const QStringList &arguments);
int runWrite(const QStringList &arguments);

// Serial port commands: ports, doctor.
int runPorts(const QStringList &arguments);
int runDoctor(const QStringList &arguments);

// Comparing and keeping images: diff, backups, verify.
int runDiff(const QStringList &arguments);
int runBackups(const QStringList &arguments);
int runVerify(const QStringList &arguments);

// Putting channels in order: arrange; the repeated channels dump --duplicates lists.
int runArrange(const QStringList &arguments);
QString duplicatesText(const ChannelTable &channels);
// The printout as a PDF file: print.
int runPrint(const QStringList &arguments);

// Shared helpers.
void printError(const QString &message, const QString &detail = QString());
// The reason of a file's failure with the file named, as the window's message boxes give it:
// "ROLE PATH: reason" (the role, such as "--changes-from", when the command line has two inputs);
// a reason that names the file already stays as it is.
QString fileDetail(const QString &path, const QString &detail, const QString &role = QString());
// Loads IN.TV4 (or a memory file, IN.yaml) into `document`; prints the message and returns false on
// failure.
bool loadInput(CloneDocument &document, const QString &path, const QString &role = QString());
// Saves the document in the form its name asks for ("-": to standard output, in the form given);
// ExitOk, or ExitFailure with the message printed.
int saveOutput(CloneDocument &document, const QString &path,
               ImageFormat standardOutputFormat = ImageFormat::CloneFile);
// Writes bytes, or a text in UTF-8, to standard output, every byte checked; ExitOk, or
// ExitFailure with the message printed (a full disk, a closed pipe).
int writeOutput(const QByteArray &bytes);
int writeText(const QString &text);

} // namespace ktv4::cli
