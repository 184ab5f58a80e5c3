// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/StartupArguments.h"

#include <QCommandLineParser>
#include <QCoreApplication>

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
        QCoreApplication::translate("ktv4::ui::StartupArguments",
                                    "Reads, edits and writes the clone memory of the KT-V4 HF transceiver."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(QCommandLineOption(
        kPortOption,
        QCoreApplication::translate("ktv4::ui::StartupArguments",
                                    "Talk to the radio on DEVICE (such as /dev/ttyUSB0) for this run."),
        QCoreApplication::translate("ktv4::ui::StartupArguments", "DEVICE")));
    parser.addOption(QCommandLineOption(
        kTraceOption,
        QCoreApplication::translate("ktv4::ui::StartupArguments",
                                    "Write every line sent to and received from the radio to FILE."),
        QCoreApplication::translate("ktv4::ui::StartupArguments", "FILE")));
    parser.addPositionalArgument(
        QStringLiteral("file"),
        QCoreApplication::translate("ktv4::ui::StartupArguments",
                                    "A clone file (*.TV4) or memory file (*.yaml) to open."),
        QCoreApplication::translate("ktv4::ui::StartupArguments", "[file]"));
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
