#include "ui/StartupArguments.h"

#include <QCommandLineParser>

namespace ktv4::ui {

namespace {

const QString kPortOption = QStringLiteral("port");
const QString kTraceOption = QStringLiteral("trace");

} // namespace

QString startFileFrom(const QString &argument)
{
    if (argument.size() >= 2 && argument.startsWith(QLatin1Char('"')) && argument.endsWith(QLatin1Char('"')))
        return argument.mid(1, argument.size() - 2);
    return argument;
}

void describeArguments(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Reads, edits and writes the clone memory of the KT-V4 HF transceiver."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(QCommandLineOption(
        kPortOption, QStringLiteral("Talk to the radio on DEVICE (such as /dev/ttyUSB0) for this run."),
        QStringLiteral("DEVICE")));
    parser.addOption(QCommandLineOption(
        kTraceOption, QStringLiteral("Write every line sent to and received from the radio to FILE."),
        QStringLiteral("FILE")));
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A clone file (*.TV4) to open."),
                                 QStringLiteral("[file]"));
}

StartupArguments startupArguments(const QCommandLineParser &parser)
{
    StartupArguments arguments;
    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty())
        arguments.startFile = startFileFrom(files.first());
    arguments.portDevice = parser.value(kPortOption);
    arguments.traceFile = parser.value(kTraceOption);
    return arguments;
}

} // namespace ktv4::ui
