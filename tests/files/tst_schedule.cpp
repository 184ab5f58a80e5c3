// SPDX-License-Identifier: GPL-3.0-or-later
// Broadcast schedules into memory channels: a small EiBi file written for the tests (Latin-1, CR LF,
// rows across midnight, every form of days, several languages, decimal kHz, damaged and short
// rows), the filters, the names, and where the channels go.

#include "files/SchedulePlan.h"
#include "model/Bands.h"
#include "model/ChannelNaming.h"
#include "model/FieldText.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>

using namespace ktv4;

namespace {

Schedule testSchedule()
{
    QFile file(qEnvironmentVariable("KTV4_SOURCE_DIR") + QStringLiteral("/tests/files/data/sked-test.csv"));
    return file.open(QIODevice::ReadOnly) ? parseSchedule(file.readAll()) : Schedule{};
}

QStringList kilohertz(const QList<ScheduleFrequency> &frequencies)
{
    QStringList list;
    for (const ScheduleFrequency &f : frequencies)
        list << kilohertzText(f.hz);
    return list;
}

// A table with every third channel in use, some of them on the schedule's own frequencies.
ChannelTable tableInUse(quint32 seed)
{
    ChannelTable table{};
    QRandomGenerator random(seed);
    const long long hz[] = {6070000, 4319000, 9420000, 7100000};
    for (int ch = 0; ch < kChannelCount; ch += 1 + int(random.bounded(5))) {
        ScheduleFrequency f;
        f.hz = hz[random.bounded(4)];
        f.mode = random.bounded(2) ? Mode::AM : Mode::USB;
        f.name = QStringLiteral("OWN");
        table[ch] = scheduleChannel(f);
    }
    return table;
}

} // namespace

class TestSchedule : public QObject {
    Q_OBJECT
private slots:
    void readsTheFile()
    {
        const Schedule s = testSchedule();
        QVERIFY(s.result.ok());
        QCOMPARE(s.rowsRead, 20); // the header and the blank line are no rows
        QStringList dropped;
        for (const ScheduleDrop &d : s.dropped)
            dropped << Schedule::dropText(d);
        QCOMPARE(dropped, QStringList({"line 14: bad frequency \"abc\"",
                                       "line 15: 45000 kHz is outside 30 kHz to 35 MHz",
                                       "line 16: unreadable time \"2500-0100\""}));
        QCOMPARE(s.entries.size(), 17);
    }

    void rows_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<qint64>("hz");
        QTest::addColumn<int>("minutesPerWeek");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QStringList>("languages");
        QTest::addColumn<QString>("station");
        QTest::newRow("across midnight")
            << 2 << 5005000LL << 7 * 120 << "AM" << QStringList{"S"} << "Radio Nacional";
        QTest::newRow("all day, two languages")
            << 3 << 6070000LL << 7 * 1440 << "AM" << QStringList{"D", "E"} << "Channel 292";
        QTest::newRow("decimal zero, Mo-Fr")
            << 4 << 7490000LL << 5 * 60 << "AM" << QStringList{"E"} << "WBCQ";
        QTest::newRow("digit days") << 7 << 9400000LL << 4 * 60 << "AM" << QStringList{"E"} << "SpaceLine";
        QTest::newRow("decimal kHz, Latin-1, irregular") << 8 << 11780500LL << 120 << "AM" << QStringList{"P"}
                                                         << QString::fromUtf8("R.Nacional da Amazônia");
        QTest::newRow("time signal") << 10 << 4625000LL << 7 * 1440 << "AM" << QStringList{"-TS"} << "UVB-76";
        QTest::newRow("USB in remarks")
            << 11 << 4319000LL << 7 * 1440 << "USB" << QStringList{"E"} << "AFN/AFRTS";
        QTest::newRow("LSB in remarks")
            << 12 << 6030000LL << 7 * 1440 << "LSB" << QStringList{"E"} << "CFVP Calgary";
        QTest::newRow("Morse") << 13 << 8000000LL << 7 * 1440 << "CWU" << QStringList{"-CW"} << "Test Beacon";
        QTest::newRow("short line, stray spaces")
            << 18 << 13650000LL << 7 * 60 << "AM" << QStringList{"K"} << "KBS World Radio";
        QTest::newRow("a date") << 19 << 17650000LL << 60 << "AM" << QStringList{"I"} << "Vatican R.";
    }

    void rows()
    {
        QFETCH(int, line);
        QFETCH(qint64, hz);
        QFETCH(int, minutesPerWeek);
        QFETCH(QString, mode);
        QFETCH(QStringList, languages);
        QFETCH(QString, station);
        const Schedule s = testSchedule();
        const auto e = std::find_if(s.entries.cbegin(), s.entries.cend(),
                                    [&](const ScheduleEntry &x) { return x.line == line; });
        QVERIFY(e != s.entries.cend());
        QCOMPARE(e->hz, hz);
        QCOMPARE(e->minutesPerWeek(), minutesPerWeek);
        QCOMPARE(fieldText(e->mode), mode);
        QCOMPARE(e->languages, languages);
        QCOMPARE(e->station, station);
    }

    void fields_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("value"); // -1: refused
        const struct {
            const char *kind, *text;
            qint64 value;
        } rows[] = {
            {"kHz", "5005", 5005000},  {"kHz", "7490.0", 7490000}, {"kHz", "11780.5", 11780500},
            {"kHz", "77.5000", 77500}, {"kHz", "9.9999", -1},      {"kHz", "6,070", -1},
            {"kHz", "", -1},           {"kHz", "1.2.3", -1},       {"days", "", 0x7F},
            {"days", "Mo-Fr", 0x1F},   {"days", "Sa,Su", 0x60},    {"days", "Mo,We,Fr", 0x15},
            {"days", "1245", 0x1B},    {"days", "Fr-Mo", 0x71},    {"days", "irr", -1},
            {"days", "24Dec", -1},     {"days", "1.Sa", -1},       {"days", "089", -1},
            {"time", "0000", 0},       {"time", "2359", 1439},     {"time", "2400", -1},
            {"time", "1260", -1},      {"time", "930", -1},
        };
        for (const auto &r : rows)
            QTest::addRow("%s %s", r.kind, r.text) << QString(r.kind) << QString(r.text) << r.value;
    }

    // The parsers the reader and the command line share; --days refuses the special words the
    // reader keeps as "days unknown".
    void fields()
    {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(qint64, value);
        if (kind == QLatin1String("kHz")) {
            QCOMPARE(parseKilohertz(text).value_or(-1), value);
            if (value > 0)
                QCOMPARE(parseKilohertz(kilohertzText(value)), value);
        } else if (kind == QLatin1String("days")) {
            QCOMPARE(parseScheduleDays(text, true).value_or(ScheduleDays{-1, true}).mask, int(value));
            QCOMPARE(parseScheduleDays(text, false)->known, value >= 0);
        } else {
            QCOMPARE(parseScheduleMinute(text, false).value_or(-1), int(value));
        }
    }

    void filters_data()
    {
        QTest::addColumn<QStringList>("filter"); // key=value
        QTest::addColumn<QString>("channels");   // kHz, ascending
        const QString all =
            "3375 4319 4625 5005 6030 6070 7490 8000 9400 9420 11780.5 13650 15770 17650 21560";
        QTest::newRow("none") << QStringList{} << all;
        QTest::newRow("at 0015") << QStringList{"at=15"} << "4319 4625 5005 6030 6070 7490 8000 9420 11780.5";
        QTest::newRow("now, Saturday 0015")
            << QStringList{"now=2026-03-28T00:15"} << "4319 4625 5005 6030 6070 8000 9420";
        QTest::newRow("now, Friday 0015")
            << QStringList{"now=2026-03-27T00:15"} << "4319 4625 5005 6030 6070 7490 8000";
        QTest::newRow("weekend") << QStringList{"days=96"}
                                 << "3375 4319 4625 5005 6030 6070 7490 8000 13650 21560";
        QTest::newRow("French") << QStringList{"languages=f"} << "15770";
        QTest::newRow("English at 0015") << QStringList{"languages=E", "at=15"} << "4319 6030 6070 7490";
        QTest::newRow("targets") << QStringList{"targets=Eu,EAs"} << "6070 9420 13650 17650 21560";
        QTest::newRow("49 m band") << QStringList{"band=49m"} << "6030 6070";
        QTest::newRow("from, to") << QStringList{"from=9400000", "to=15770000"}
                                  << "9400 9420 11780.5 13650 15770";
        QTest::newRow("station") << QStringList{"station=NACIONAL"} << "3375 5005 11780.5";
        QTest::newRow("limit") << QStringList{"limit=3"} << "4319 4625 6030";
    }

    // Filters -> channels; and for every filter and several tables, the properties of the import:
    // no channel in use changes, every channel made is one the radio can hold, and every frequency
    // that passed is made once or skipped as a duplicate.
    void filters()
    {
        QFETCH(QStringList, filter);
        QFETCH(QString, channels);
        ScheduleFilter f;
        for (const QString &part : std::as_const(filter)) {
            const QString key = part.section('=', 0, 0), value = part.section('=', 1);
            if (key == "at")
                f.atMinute = value.toInt();
            else if (key == "now")
                f.setNow(QDateTime::fromString(value, Qt::ISODate).toUTC());
            else if (key == "days")
                f.days = value.toInt();
            else if (key == "languages")
                f.languages = value.split(',');
            else if (key == "targets")
                f.targets = value.split(',');
            else if (key == "band")
                std::tie(f.lowestHz, f.highestHz) =
                    std::pair(bandNamed(value)->lowestHz, bandNamed(value)->highestHz);
            else if (key == "from" || key == "to")
                (key == "from" ? f.lowestHz : f.highestHz) = value.toLongLong();
            else if (key == "station")
                f.station = value;
            else
                f.limit = value.toInt();
        }
        const Schedule schedule = testSchedule();
        const ScheduleSelection selection = selectSchedule(schedule, f);
        SchedulePlan plan = planSchedule(selection, ChannelTable{}, 0, f.limit);
        QCOMPARE(kilohertz(plan.channels).join(' '), channels);

        for (const quint32 seed : {1u, 2u, 3u}) {
            const ChannelTable before = tableInUse(seed);
            ChannelTable after = before;
            plan = planSchedule(selection, before, 0, 0);
            QVERIFY(applySchedulePlan(plan, after));
            QSet<long long> made;
            for (int ch = 0; ch < kChannelCount; ++ch) {
                if (before[ch].inUse) {
                    QCOMPARE(after[ch], before[ch]);
                } else if (after[ch].inUse) {
                    const long long hz = after[ch].frequency;
                    QVERIFY(isAcceptedFrequency(hz));
                    QVERIFY(!after[ch].name.isEmpty() && isValidName(after[ch].name));
                    QVERIFY(!made.contains(hz));
                    made.insert(hz);
                }
            }
            for (const ScheduleDuplicate &d : std::as_const(plan.duplicates)) {
                QVERIFY(before[d.channel].inUse && before[d.channel].frequency == d.hz);
                made.insert(d.hz);
            }
            QCOMPARE(made.size(), selection.frequencies.size());
        }
    }

    void channelsMade_data()
    {
        QTest::addColumn<qint64>("hz");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("times");
        // The start channel A 5 is in use, so is A 8 (6070 kHz AM, which is skipped).
        QTest::newRow("3375") << 3375000LL << "A  6"
                              << "NACIONAL"
                              << "AM"
                              << "Wide"
                              << "2100-2300";
        QTest::newRow("same name, other station") << 5005000LL << "A 10"
                                                  << "NACIONA2"
                                                  << "AM"
                                                  << "Wide"
                                                  << "2300-0100";
        QTest::newRow("single sideband") << 4319000LL << "A  7"
                                         << "AFNAFRTS"
                                         << "USB"
                                         << "Wide"
                                         << "0000-2400";
        QTest::newRow("Morse") << 8000000LL << "A 13"
                               << "TEST"
                               << "CWU"
                               << "Narrow"
                               << "0000-2400";
        QTest::newRow("held already") << 6070000LL << ""
                                      << ""
                                      << ""
                                      << ""
                                      << "";
        QTest::newRow("two stations") << 7490000LL << "A 12"
                                      << "WBCQ"
                                      << "AM"
                                      << "Wide"
                                      << "0000-0100 Mo-Fr, 1600-1700 Sa,Su";
        QTest::newRow("Latin-1, initials") << 11780500LL << "A 16"
                                           << "RNA"
                                           << "AM"
                                           << "Wide"
                                           << "2300-0100 irr";
        QTest::newRow("accent off") << 21560000LL << "A 20"
                                    << "UBERSEE"
                                    << "AM"
                                    << "Wide"
                                    << "0800-0900";
        QTest::newRow("words dropped") << 15770000LL << "A 18"
                                       << "ALGIERS"
                                       << "AM"
                                       << "Wide"
                                       << "1300-1400 Mo,We,Fr";
    }

    void channelsMade()
    {
        QFETCH(qint64, hz);
        QFETCH(QString, label);
        QFETCH(QString, name);
        QFETCH(QString, mode);
        QFETCH(QString, filter);
        QFETCH(QString, times);
        ChannelTable table{};
        ScheduleFrequency own;
        own.hz = 6070000;
        table[*channelFromLabel(u"A8")] = scheduleChannel(own);
        table[*channelFromLabel(u"A5")] = scheduleChannel(own);
        const ScheduleSelection selection = selectSchedule(testSchedule(), ScheduleFilter{});
        const SchedulePlan plan = planSchedule(selection, table, *channelFromLabel(u"a 5"), 0);
        QVERIFY(applySchedulePlan(plan, table));
        if (label.isEmpty()) { // a frequency a channel in use holds in the same mode is skipped
            QCOMPARE(plan.duplicates.size(), 1);
            QCOMPARE(plan.duplicates[0].hz, hz);
            QCOMPARE(plan.duplicates[0].channel, *channelFromLabel(u"A5"));
            return;
        }
        const auto f = std::find_if(plan.channels.cbegin(), plan.channels.cend(),
                                    [&](const ScheduleFrequency &x) { return x.hz == hz; });
        QCOMPARE(f->times.join(", "), times);
        const Channel &made = table[f->channel];
        QCOMPARE(gridRowLabel(f->channel), label);
        QCOMPARE(made.name, name);
        QCOMPARE(fieldText(made.mode), mode);
        QCOMPARE(fieldText(made.filter), filter);
        QCOMPARE(made.split, made.frequency);
        QCOMPARE(channelFieldText(made, ColGain) + channelFieldText(made, ColPwr) +
                     channelFieldText(made, ColTone) + channelFieldText(made, ColNb) +
                     channelFieldText(made, ColAgc) + channelFieldText(made, ColSkip),
                 "0HighOffOffSlow");
    }

    void names_data()
    {
        QTest::addColumn<QString>("station");
        QTest::addColumn<QString>("name");
        QTest::newRow("fits") << "BBC"
                              << "BBC";
        QTest::newRow("radio as R") << "R.Kuwait"
                                    << "R KUWAIT";
        QTest::newRow("little words") << "Voice of Turkey"
                                      << "TURKEY";
        QTest::newRow("initials") << "Trans World R."
                                  << "TWR";
        QTest::newRow("its own initials") << "NHK World R.Japan"
                                          << "NHK";
        QTest::newRow("first word") << "Deutsche Welle"
                                    << "DEUTSCHE";
        QTest::newRow("number") << "Channel 292"
                                << "CHAN 292";
        QTest::newRow("sharp s") << QString::fromUtf8("Straße") << "STRASSE";
        QTest::newRow("nothing to show") << QString::fromUtf8("إذاعة") << "";
    }

    void names()
    {
        QFETCH(QString, station);
        QFETCH(QString, name);
        QCOMPARE(stationChannelName(station), name);
    }

    // When the channels do not all fit, nothing is written and the report says how many were left.
    void noRoomWritesNothing()
    {
        const Schedule schedule = testSchedule();
        const ScheduleSelection selection = selectSchedule(schedule, ScheduleFilter{});
        ChannelTable table{};
        const SchedulePlan plan = planSchedule(selection, table, *channelFromLabel(u"B188"), 0);
        QCOMPARE(plan.freeChannels, 14);
        QCOMPARE(plan.leftOut, 1);
        QVERIFY(!applySchedulePlan(plan, table));
        QCOMPARE(table, ChannelTable{});
        const QStringList report = plan.reportLines(schedule, selection);
        QCOMPARE(report.mid(report.size() - 3),
                 QStringList({"0 duplicates skipped", "1 left out for lack of room",
                              "  14 empty channels from the start channel on, 15 needed: nothing written"}));
    }
};

QTEST_GUILESS_MAIN(TestSchedule)
#include "tst_schedule.moc"
