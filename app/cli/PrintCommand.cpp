// SPDX-License-Identifier: GPL-3.0-or-later
// ktv4cli print: the printout of the channels as a PDF file, the same the window's Export PDF
// writes, without a display.

#include "app/cli/CliCommand.h"
#include "app/cli/CliParser.h"
#include "app/cli/CliPaths.h"

#include "base/FileAccess.h"
#include "base/FileStatus.h"
#include "files/ChannelArrange.h"
#include "files/CloneDocument.h"
#include "print/ChannelPrinter.h"

#include <QFileInfo>

namespace ktv4::cli {

int runPrint(const QStringList &arguments)
{
    CliParser parser("print", "Writes the channels in use as a PDF file to print and keep by the radio.");
    parser.addPositionalArgument("IN.TV4", "Clone file to read.");
    parser.addOutputOption();
    QCommandLineOption layout("layout", "list (the default: every column) or card (150 channels a page).",
                              "LAYOUT", "list");
    QCommandLineOption range("range", "Only the channels from one label to another, such as A0-A99.",
                             "FIRST-LAST");
    QCommandLineOption paper("paper", "a4 (the default) or letter.", "PAPER", "a4");
    parser.addOptions({layout, range, paper});
    if (const int code = parser.parse(arguments, 1); code >= 0)
        return code;
    const QString layoutName = parser.value(layout).toLower();
    const QString paperName = parser.value(paper).toLower();
    if (layoutName != QLatin1String("list") && layoutName != QLatin1String("card"))
        return parser.usageError("--layout must be list or card");
    if (paperName != QLatin1String("a4") && paperName != QLatin1String("letter"))
        return parser.usageError("--paper must be a4 or letter");
    const std::optional<QList<int>> only = parser.isSet(range) ? channelsFromRange(parser.value(range))
                                                               : std::optional<QList<int>>(QList<int>{});
    if (!only)
        return parser.usageError(
            QStringLiteral("--range %1 names no channels; write it as A0-A99").arg(parser.value(range)));
    const QString input = parser.positionalArguments().at(0);
    if (const int code = checkCommandPaths("print", {{"IN.TV4", input}, {"-o", parser.output(), true}});
        code >= 0)
        return code;
    CloneDocument document;
    if (!loadInput(document, input))
        return ExitFailure;

    PrintJob job;
    job.layout = layoutName == QLatin1String("card") ? PrintLayout::Card : PrintLayout::List;
    job.channels = printedChannels(document.image().channels);
    if (parser.isSet(range))
        job.channels.removeIf([&only](int channel) { return !only->contains(channel); });
    job.columns = defaultPrintColumns();
    job.fileName = QFileInfo(input).fileName();
    job.modelIndex = document.modelIndex();
    job.date = QDate::currentDate();
    const QByteArray pdf =
        printToPdf(document.image(), job,
                   QPageSize(paperName == QLatin1String("letter") ? QPageSize::Letter : QPageSize::A4));
    if (pdf.isEmpty()) {
        printError(messageText(FileStatus::FileOpenError), QStringLiteral("the PDF could not be made"));
        return ExitFailure;
    }
    if (isStandardOutput(parser.output()))
        return writeOutput(pdf);
    if (const FileResult saved = saveWholeFile(parser.output(), pdf); !saved.ok()) {
        printError(messageText(saved.status), saved.detail);
        return ExitFailure;
    }
    return ExitOk;
}

} // namespace ktv4::cli
