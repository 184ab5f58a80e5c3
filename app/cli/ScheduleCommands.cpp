// SPDX-License-Identifier: GPL-3.0-or-later
// import-schedule: broadcast stations of an EiBi schedule into the empty memory channels.

#include "app/cli/CliCommand.h"
#include "app/cli/CliParser.h"
#include "app/cli/CliPaths.h"

#include "files/CloneDocument.h"
#include "files/SchedulePlan.h"
#include "model/Bands.h"
#include "model/ChannelNaming.h"
#include "model/FieldText.h"

#include <QTextStream>
#include <optional>

namespace ktv4::cli {

namespace {

struct ScheduleOptions {
    QCommandLineOption into{
        "into", "Fill the empty channels from this one on: a grid row label (A0, B12, 150).", "LABEL"};
    QCommandLineOption at{"at", "Only broadcasts on the air at this UTC time, on any day.", "HHMM"};
    QCommandLineOption now{"now", "Only broadcasts on the air now (the UTC time and weekday)."};
    QCommandLineOption days{"days", "Only broadcasts on one of these days: Mo-Fr, Sa,Su, 1245 (1 = Monday).",
                            "DAYS"};
    QCommandLineOption language{"language", "Only these languages, as the schedule codes them: E,F.", "LIST"};
    QCommandLineOption target{"target", "Only these target areas, as the schedule codes them: Eu,WEu.",
                              "LIST"};
    QCommandLineOption from{"from", "Only frequencies from this one, in kHz.", "KHZ"};
    QCommandLineOption to{"to", "Only frequencies up to this one, in kHz.", "KHZ"};
    QCommandLineOption band{"band",
                            "Only this band: 120m, 90m, 75m, 60m, 49m, 41m, 31m, 25m, 22m, 19m, 16m, "
                            "15m, 13m, 11m (amateur bands too: 40m, 20m...).",
                            "NAME"};
    QCommandLineOption station{"station", "Only stations whose name holds this text, in any case.", "TEXT"};
    QCommandLineOption limit{"limit", "At most N channels: the frequencies on the air longest each week.",
                             "N"};
    QCommandLineOption dryRun{"dry-run", "Print the channels that would be made, and write nothing."};

    void addTo(CliParser &parser) const
    {
        for (const QCommandLineOption *o :
             {&into, &at, &now, &days, &language, &target, &from, &to, &band, &station, &limit, &dryRun})
            parser.addOption(*o);
    }
};

QStringList listValue(const CliParser &parser, const QCommandLineOption &option)
{
    return parser.value(option)
        .split(QLatin1Char(','), Qt::SkipEmptyParts)
        .replaceInStrings(QStringLiteral(" "), QString());
}

// The frequency range of --from, --to and --band together; nothing after a usage error.
std::optional<int> readRange(const CliParser &parser, const ScheduleOptions &o, ScheduleFilter &filter)
{
    for (const QCommandLineOption *option : {&o.from, &o.to}) {
        if (!parser.isSet(*option))
            continue;
        const std::optional<long long> hz = parseKilohertz(parser.value(*option));
        if (!hz)
            return parser.usageError(
                QStringLiteral("--%1 must be a frequency in kHz").arg(option->names().at(0)));
        (option == &o.from ? filter.lowestHz : filter.highestHz) = *hz;
    }
    if (parser.isSet(o.band)) {
        const Band *band = bandNamed(parser.value(o.band));
        if (!band)
            return parser.usageError(
                QStringLiteral("--band %1 is no band; the broadcast bands are 120m, 90m, "
                               "75m, 60m, 49m, 41m, 31m, 25m, 22m, 19m, 16m, 15m, 13m, 11m")
                    .arg(parser.value(o.band)));
        filter.lowestHz = std::max(filter.lowestHz, band->lowestHz);
        filter.highestHz = filter.highestHz ? std::min(filter.highestHz, band->highestHz) : band->highestHz;
    }
    // --to 0 would read as no upper end.
    if ((parser.isSet(o.to) && filter.highestHz == 0) ||
        (filter.highestHz && filter.lowestHz > filter.highestHz))
        return parser.usageError(QStringLiteral("the frequency range is empty"));
    return std::nullopt;
}

// The filter the options ask for; nothing after a usage error (its exit code in `code`).
std::optional<ScheduleFilter> readFilter(const CliParser &parser, const ScheduleOptions &o, int &code)
{
    ScheduleFilter filter;
    if (parser.isSet(o.at) && parser.isSet(o.now)) {
        code = parser.usageError(QStringLiteral("--at and --now cannot be given together"));
        return std::nullopt;
    }
    if (parser.isSet(o.at)) {
        filter.atMinute = parseScheduleMinute(parser.value(o.at), false);
        if (!filter.atMinute) {
            code = parser.usageError(QStringLiteral("--at must be a UTC time HHMM, 0000 to 2359"));
            return std::nullopt;
        }
    }
    if (parser.isSet(o.now))
        filter.setNow(QDateTime::currentDateTimeUtc());
    if (parser.isSet(o.days)) {
        const std::optional<ScheduleDays> days = parseScheduleDays(parser.value(o.days), true);
        if (!days || parser.value(o.days).trimmed().isEmpty()) {
            code = parser.usageError(QStringLiteral("--days must be days such as Mo-Fr, Sa,Su or 1245"));
            return std::nullopt;
        }
        filter.days = days->mask;
    }
    filter.languages = listValue(parser, o.language);
    filter.targets = listValue(parser, o.target);
    filter.station = parser.value(o.station);
    if (parser.isSet(o.limit)) {
        bool ok = false;
        filter.limit = parser.value(o.limit).toInt(&ok);
        if (!ok || filter.limit < 1) {
            code = parser.usageError(QStringLiteral("--limit must be a number of channels, 1 or more"));
            return std::nullopt;
        }
    }
    if (const std::optional<int> rangeCode = readRange(parser, o, filter)) {
        code = *rangeCode;
        return std::nullopt;
    }
    return filter;
}

QByteArray dryRunText(const SchedulePlan &plan)
{
    QString text;
    for (const ScheduleFrequency &f : plan.channels) {
        text += QStringLiteral("%1 %2 %3 %4 %5 %6\n")
                    .arg(f.channel >= 0 ? gridRowLabel(f.channel) : QStringLiteral("--"), -5)
                    .arg(kilohertzText(f.hz), 8)
                    .arg(fieldText(f.mode), -3)
                    .arg(f.name, -8)
                    .arg(f.station, -23)
                    .arg(f.times.join(QStringLiteral(", ")));
    }
    return text.toUtf8();
}

void printReport(const Schedule &schedule, const ScheduleSelection &selection, const SchedulePlan &plan)
{
    QTextStream err(stderr);
    for (const QString &line : plan.reportLines(schedule, selection))
        err << line << "\n";
}

} // namespace

int runImportSchedule(const QStringList &arguments)
{
    CliParser parser("import-schedule",
                     "Puts the broadcast stations of a schedule in EiBi's CSV layout (sked-A26.csv) into the "
                     "empty channels of a clone file, one channel per frequency, and saves the result.");
    parser.addPositionalArgument("IN.TV4", "Clone file to start from.");
    parser.addPositionalArgument("SKED.csv", "Schedule to read.");
    const ScheduleOptions o;
    o.addTo(parser);
    parser.addOutputOption(false);
    if (const int code = parser.parse(arguments, 2); code >= 0)
        return code;
    const bool dryRun = parser.isSet(o.dryRun);
    if (!dryRun && parser.output().isEmpty())
        return parser.usageError(QStringLiteral("needs -o OUT, or --dry-run"));
    const std::optional<int> first = channelFromLabel(parser.value(o.into));
    if (!first)
        return parser.usageError(QStringLiteral("needs --into LABEL, a channel such as A0, B12 or 150"));
    int code = ExitOk;
    const std::optional<ScheduleFilter> filter = readFilter(parser, o, code);
    if (!filter)
        return code;
    const QString schedulePath = parser.positionalArguments().at(1);
    if (const int pathCode =
            checkCommandPaths("import-schedule", {{"IN.TV4", parser.positionalArguments().at(0)},
                                                  {"SKED.csv", schedulePath},
                                                  {"-o", parser.output(), true}});
        pathCode >= 0)
        return pathCode;

    CloneDocument document;
    if (!loadInput(document, parser.positionalArguments().at(0)))
        return ExitFailure;
    const Schedule schedule = readSchedule(schedulePath);
    if (!schedule.result.ok()) {
        printError(messageText(schedule.result.status), schedule.result.detail);
        return ExitFailure;
    }
    const ScheduleSelection selection = selectSchedule(schedule, *filter);
    const SchedulePlan plan = planSchedule(selection, document.image().channels, *first, filter->limit);
    if (dryRun) {
        printReport(schedule, selection, plan);
        const int written = writeOutput(dryRunText(plan));
        return written != ExitOk ? written : plan.fits() ? ExitOk : ExitFailure;
    }
    if (!document.importSchedule(plan, schedulePath)) {
        printReport(schedule, selection, plan);
        return ExitFailure;
    }
    if (const int saved = saveOutput(document, parser.output()); saved != ExitOk)
        return saved;
    printReport(schedule, selection, plan);
    return ExitOk;
}

} // namespace ktv4::cli
