// SPDX-License-Identifier: GPL-3.0-or-later
// Putting channels in order from the command line: arrange, and the repeated channels of dump.

#include "app/cli/CliCommand.h"
#include "app/cli/CliParser.h"
#include "app/cli/CliPaths.h"

#include "files/ChannelArrange.h"
#include "files/CloneDocument.h"
#include "model/ChannelNaming.h"
#include "model/ChannelOrder.h"

#include <QTextStream>

namespace ktv4::cli {

int runArrange(const QStringList &arguments)
{
    CliParser parser("arrange", "Lays the channels of a range out anew by a rule, saves the result and "
                                "prints each move (\"A17 -> A3\").");
    parser.addPositionalArgument("IN.TV4", "Clone file to read.");
    parser.addOutputOption();
    QCommandLineOption by("by", "The rule: frequency, mode,frequency, name or band,frequency.", "RULE");
    QCommandLineOption range("range",
                             "The channels from one label to another, such as A0-A99; all numbered "
                             "channels of the three banks by default (P1 and P2 stay in place).",
                             "FIRST-LAST");
    QCommandLineOption pack("pack", "Put the channels in use at the start of the range.");
    QCommandLineOption gap("gap", "Leave one empty channel between bands.");
    parser.addOptions({by, range, pack, gap});
    if (const int code = parser.parse(arguments, 1); code >= 0)
        return code;
    const std::optional<ArrangeRule> rule = arrangeRuleFromName(parser.value(by));
    if (!rule)
        return parser.usageError("--by must be frequency, mode,frequency, name or band,frequency");
    std::optional<QList<int>> channels = rangeChannels(ArrangeRange::All);
    if (parser.isSet(range))
        channels = channelsFromRange(parser.value(range));
    if (!channels)
        return parser.usageError(
            QStringLiteral("--range %1 names no channels; write it as A0-A99").arg(parser.value(range)));
    const QString input = parser.positionalArguments().at(0);
    if (const int code = checkCommandPaths("arrange", {{"IN.TV4", input}, {"-o", parser.output(), true}});
        code >= 0)
        return code;
    CloneDocument document;
    if (!loadInput(document, input))
        return ExitFailure;
    const ArrangeOptions options{*rule, parser.isSet(pack), parser.isSet(gap)};
    const ArrangeResult result =
        arrangeChannels(document.image(), *channels, options, QStringLiteral("Arrange"));
    document.submit(result.change);
    if (const int code = saveOutput(document, parser.output()); code != ExitOk)
        return code;
    QString moves;
    for (const ChannelMove &move : result.moves)
        moves += moveText(move) + QLatin1Char('\n');
    if (result.gapsLeftOut)
        QTextStream(stderr) << "Too few empty channels in the range for a gap between every two bands; "
                               "the channels were packed without gaps.\n";
    // With the clone file on standard output, the moves go to the error stream.
    if (isStandardOutput(parser.output())) {
        QTextStream(stderr) << moves;
        return ExitOk;
    }
    return writeText(moves);
}

QString duplicatesText(const ChannelTable &channels)
{
    QString text;
    for (int channel : duplicateChannels(channels)) {
        const Channel &c = channels[channel];
        int first = 0;
        while (!channels[first].inUse || channels[first].frequency != c.frequency ||
               channels[first].mode != c.mode)
            ++first;
        text += QStringLiteral("%1 %2 %3 %4 repeats %5\n")
                    .arg(gridRowLabel(channel), -5)
                    .arg(frequencyText(c.frequency), 10)
                    .arg(fieldText(c.mode), -3)
                    .arg(c.name, -8)
                    .arg(gridRowLabel(first));
    }
    return text;
}

} // namespace ktv4::cli
