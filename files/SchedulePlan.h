// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// From a broadcast schedule to memory channels, in three steps that a command or a dialog can run
// again whenever a filter changes:
//
//   selectSchedule: the rows that pass the filter, one entry per frequency, named after the
//                   station that airs longest on it (minutes a week);
//   planSchedule:   which of those become channels (not the frequencies a channel in use already
//                   holds in the same mode; at most the filter's limit), their names, and the empty
//                   channels they fill from a start channel on;
//   applySchedulePlan: writes them all, or nothing when they do not all fit.

#include "files/BroadcastSchedule.h"
#include "model/Channel.h"

namespace ktv4 {

// One frequency of the schedule, and the channel it becomes.
struct ScheduleFrequency {
    long long hz = 0;
    Mode mode = Mode::AM;   // of the naming station's longest broadcast
    QString station;        // the station that airs longest on the frequency, as the schedule writes it
    QString stationKey;     // that station as stations are compared: spaces simplified, case folded
    QStringList times;      // that station's broadcasts here: "2300-0100", "1600-1700 Sa,Su"
    int minutesPerWeek = 0; // of all the rows on the frequency
    int stations = 1;       // different stations sharing the frequency
    QString name;           // the channel name; set by planSchedule
    int channel = -1;       // the channel it fills; set by planSchedule, -1 when there is no room
};

// The rows that pass a filter.
struct ScheduleSelection {
    int rowsMatched = 0;
    int rowsFilteredOut = 0;
    int stations = 0;                     // different stations among the rows that passed
    QList<ScheduleFrequency> frequencies; // ascending; the window's "312 stations, 187 frequencies"
};

ScheduleSelection selectSchedule(const Schedule &schedule, const ScheduleFilter &filter);

// A frequency left out because a channel in use holds it in the same mode.
struct ScheduleDuplicate {
    long long hz = 0;
    Mode mode = Mode::AM;
    int channel = 0; // the channel in use that holds it
};

struct SchedulePlan {
    Q_DECLARE_TR_FUNCTIONS(ktv4::SchedulePlan)

public:
    QList<ScheduleFrequency> channels; // to be made, ascending by frequency, each with its channel
    QList<ScheduleDuplicate> duplicates;
    int overLimit = 0;    // frequencies left out by the limit (those airing least)
    int freeChannels = 0; // empty channels from the start channel on
    int leftOut = 0;      // frequencies with no empty channel left; then nothing is written

    bool fits() const { return leftOut == 0; }
    int channelsMade() const { return fits() ? int(channels.size()) : 0; }

    // "187 channels made, 7 duplicates skipped": the channels made, the duplicates skipped, and
    // the frequencies left out by the limit or for lack of room when there are any.
    QString summary() const;
    // The import's report: rows read, rows dropped (each with its line and reason), rows
    // filtered out, channels made, duplicates skipped (each), left out for lack of room.
    QStringList reportLines(const Schedule &schedule, const ScheduleSelection &selection) const;
};

// `limit` as in ScheduleFilter: the frequencies that air most minutes a week are kept.
SchedulePlan planSchedule(const ScheduleSelection &selection, const ChannelTable &channels, int firstChannel,
                          int limit);

// The channel a frequency becomes: a new channel on its frequency and mode (split the same, gain 0,
// power High, tone and noise blanker off, not skipped), named, Narrow for CW and Wide otherwise,
// AGC Slow.
Channel scheduleChannel(const ScheduleFrequency &frequency);

// Writes every planned channel into its empty channel. Nothing when the plan does not fit.
bool applySchedulePlan(const SchedulePlan &plan, ChannelTable &channels);

// A station's name as the radio can show it, at most 8 characters: upper case, accents taken off,
// "Radio" as R, and shortened readably: "R.Algiers Int." -> "ALGIERS", "Trans World R." -> "TWR",
// "Deutsche Welle" -> "DEUTSCHE". Empty when the station has no letter or digit the radio shows.
QString stationChannelName(const QString &station);

} // namespace ktv4
