// SPDX-License-Identifier: GPL-3.0-or-later
// ktv4cli: the program's core without windows, for scripts and backups.

#include "app/cli/CliCommand.h"
#include "base/FileAccess.h"
#include "files/Plurals.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <QTranslator>
#include <iterator>
#include <memory>

using namespace ktv4::cli;

namespace {

const CliCommand kCommands[] = {
    {"new", "save the image the program starts with", runNew},
    {"convert", "load a clone or memory file and save it in either form", runConvert},
    {"dump", "show what a clone file holds (--json for scripts)", runDump},
    {"export-csv", "write the channels in use to a CSV file", runExportCsv},
    {"import-csv", "merge a CSV file into a clone file's channels", runImportCsv},
    {"import-schedule", "put a broadcast schedule's stations into empty channels", runImportSchedule},
    {"identify", "ask the radio which model it is", runIdentify},
    {"read", "read the radio into a clone file", runRead},
    {"write", "write a clone file into the radio", runWrite},
    {"ports", "list the serial ports, their adapters and who holds them", runPorts},
    {"doctor", "check the serial port and tell how to fix what fails", runDoctor},
    {"arrange", "put the channels of a range in order by a rule", runArrange},
    {"print", "write the channels as a PDF file to print", runPrint},
    {"diff", "list what differs between two clone files", runDiff},
    {"backups", "list the automatic backups of reads and writes", runBackups},
    {"verify", "read the radio and compare it with a clone file", runVerify},
};

void printUsage(QTextStream &out)
{
    out << "Usage: ktv4cli COMMAND [options]\n\n"
           "Reads, converts and writes KT-V4 clone files (*.TV4), memory files (the radio's memory\n"
           "as text, *.yaml) and CSV channel lists. Wherever a clone file is read, a memory file\n"
           "may be given.\n\nCommands:\n";
    for (const CliCommand &command : kCommands)
        out << QStringLiteral("  %1 %2\n")
                   .arg(QLatin1String(command.name), -16)
                   .arg(QLatin1String(command.summary));
    out << "\n'ktv4cli COMMAND --help' describes a command's options.\n\n"
           "Options:\n  -h, --help     Displays this help.\n  -v, --version  Displays version information.\n";
}

} // namespace

namespace ktv4::cli {

void printError(const QString &message, const QString &detail)
{
    QTextStream err(stderr);
    err << message << "\n";
    if (!detail.isEmpty())
        err << "  (" << detail << ")\n";
}

} // namespace ktv4::cli

namespace {

// Printing paints with fonts, which needs a QGuiApplication; the offscreen platform gives it one
// without a display.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char *argv[])
{
    if (argc > 1 && qstrcmp(argv[1], "print") == 0) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QGuiApplication>(argc, argv);
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

} // namespace

int main(int argc, char *argv[])
{
    const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ktv4cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KTV4_VERSION));
    // Counted texts in English: "1 record", "2 records".
    QTranslator plurals;
    if (ktv4::loadPluralForms(plurals))
        QCoreApplication::installTranslator(&plurals);

    // File names keep their own bytes, also when they are not UTF-8.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << ktv4::pathFromNative(QByteArray(argv[i]));
    QTextStream out(stdout);
    if (arguments.size() < 2 || arguments[1] == QLatin1String("-h") ||
        arguments[1] == QLatin1String("--help")) {
        printUsage(out);
        return arguments.size() < 2 ? ExitUsage : ExitOk;
    }
    if (arguments[1] == QLatin1String("-v") || arguments[1] == QLatin1String("--version")) {
        out << "ktv4cli " << KTV4_VERSION << "\n";
        return ExitOk;
    }
    for (const CliCommand &command : kCommands) {
        if (arguments[1] == QLatin1String(command.name))
            return command.run(arguments.mid(1));
    }
    QTextStream(stderr) << "ktv4cli: unknown command '" << arguments[1] << "'\n";
    printUsage(out);
    return ExitUsage;
}
