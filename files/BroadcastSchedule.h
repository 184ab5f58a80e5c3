// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Short-wave broadcast schedules in EiBi's CSV layout (sked-A26.csv: one header line, then
// kHz;Time(UTC);Days;ITU;Station;Lng;Target;Remarks;P;Start;Stop per row), and the filters that
// pick the broadcasts a listener wants in memory channels.
//
// The reader takes Windows-1252 or Latin-1 text (UTF-8 when the whole file is valid UTF-8), blank
// fields, short lines and stray spaces. A row it cannot use is dropped with its line number and
// the reason, and the rest is read on.

#include "base/FileStatus.h"
#include "model/Channel.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QStringList>
#include <optional>

namespace ktv4 {

// Days of the week as bits: bit 0 Monday ... bit 6 Sunday.
constexpr int kEveryDay = 0x7F;
constexpr int kMinutesPerDay = 24 * 60;

// The days a broadcast is on the air.
struct ScheduleDays {
    int mask = kEveryDay;
    // False for the schedule's special words (irr, alt, Ram, 24Dec, 1.Sa...): not daily, and on
    // which days is not known. Such a broadcast counts as one day a week, and never passes --days.
    bool known = true;

    int daysPerWeek() const;
    bool operator==(const ScheduleDays &) const = default;
};

// "Mo-Fr", "Sa,Su", "Mo,We,Fr", "1245" (1 = Monday), "Fr-Mo" (across the weekend); blank is
// daily. With `strict`, anything else is nothing; otherwise it is known = false.
std::optional<ScheduleDays> parseScheduleDays(QStringView text, bool strict);

// "HHMM" to the minute of the day; "2400" only when `allowEndOfDay`.
std::optional<int> parseScheduleMinute(QStringView text, bool allowEndOfDay);

// A frequency in kHz, "7490", "7490.0", "11780.5", to whole hertz exactly (no rounding: more than
// three decimals only when they are zeros).
std::optional<long long> parseKilohertz(QStringView text);
// 7490000 -> "7490", 11780500 -> "11780.5".
QString kilohertzText(long long hz);

struct ScheduleEntry {
    int line = 0; // the file's line, from 1 (the header)
    long long hz = 0;
    int startMinute = 0; // 0..1439, UTC
    int endMinute = 0;   // 1..1440; at or below the start when the broadcast crosses midnight
    ScheduleDays days;
    QString daysText; // as written
    QString country;  // ITU code
    QString station;
    QString stationKey;    // the station as stations are compared: spaces simplified, case folded
    QStringList languages; // "E", "A", "-TS", "-CW"
    QString target;
    QString remarks;
    QString persistence;
    QString startDate;
    QString stopDate;
    // AM; CWU for Morse (-CW); USB or LSB where the row marks single sideband: the word USB, LSB
    // or SSB in Days or Remarks; USB for a utility station (P 90 and up), EiBi's default for them.
    Mode mode = Mode::AM;

    int minutesPerDay() const;  // 0000-2400 gives 1440; a start equal to the end too
    int minutesPerWeek() const; // per day times the days a week
    bool onAirAt(int minute) const;
    QString timeText() const; // "2300-0100"
};

enum class ScheduleDropReason {
    Frequency, // no frequency, or not a number of kHz
    Range,     // outside 30 kHz to 35 MHz
    Time,      // not HHMM-HHMM
};

struct ScheduleDrop {
    int line = 0;
    ScheduleDropReason reason = ScheduleDropReason::Frequency;
    QString field; // the field as written
};

struct Schedule {
    Q_DECLARE_TR_FUNCTIONS(ktv4::Schedule)

public:
    FileResult result; // a file that cannot be read, or is too large, gives no entries
    int rowsRead = 0;  // the lines after the header that are not blank
    QList<ScheduleEntry> entries;
    QList<ScheduleDrop> dropped;

    // "line 7: bad frequency \"abc\"".
    static QString dropText(const ScheduleDrop &drop);
};

Schedule parseSchedule(const QByteArray &content);
// Files over 16 MiB are refused, as CSV files are ("File Open Error").
Schedule readSchedule(const QString &path);

// What a listener asks for; every part that is set must hold.
struct ScheduleFilter {
    std::optional<int> atMinute; // on the air at this UTC minute of the day, on any day
    int today = 0;               // with atMinute: on the air on this day (one day's bit; 0: any day)
    int days = 0;                // on the air on at least one of these days (0: any days)
    QStringList languages;       // at least one of the row's languages, case-insensitive
    QStringList targets;         // the row's target is one of these, case-insensitive
    long long lowestHz = 0;      // both ends included
    long long highestHz = 0;     // 0: no upper end
    QString station;             // within the station's name, case-insensitive
    int limit = 0;               // at most this many channels (0: no limit), applied by the plan

    // --now: on the air at the UTC time and weekday of `utc`; a broadcast that crossed midnight
    // counts on the day it started.
    void setNow(const QDateTime &utc);
    bool accepts(const ScheduleEntry &entry) const;
};

} // namespace ktv4
