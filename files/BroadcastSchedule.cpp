// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/BroadcastSchedule.h"

#include "base/FileAccess.h"

#include <algorithm>
#include <array>

namespace ktv4 {

namespace {

constexpr std::array<const char *, 7> kDayNames{"Mo", "Tu", "We", "Th", "Fr", "Sa", "Su"};
constexpr int kUtilityPersistence = 90;
constexpr int kFields = 11;

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool allDigits(QStringView text)
{
    for (const QChar c : text) {
        if (!isDigit(c))
            return false;
    }
    return !text.isEmpty();
}

int dayIndex(QStringView name)
{
    for (int d = 0; d < int(kDayNames.size()); ++d) {
        if (name.compare(QLatin1String(kDayNames[d]), Qt::CaseInsensitive) == 0)
            return d;
    }
    return -1;
}

// "Mo", "Mo-Fr", "Fr-Mo": the days as bits, 0 when it is none of these.
int dayRange(QStringView token)
{
    const qsizetype dash = token.indexOf(QLatin1Char('-'));
    const int first = dayIndex(dash < 0 ? token : token.left(dash));
    const int last = dash < 0 ? first : dayIndex(token.mid(dash + 1));
    if (first < 0 || last < 0)
        return 0;
    int mask = 0;
    for (int d = first;; d = (d + 1) % 7) {
        mask |= 1 << d;
        if (d == last)
            break;
    }
    return mask;
}

bool isSidebandWord(QStringView word)
{
    return word.compare(QLatin1String("USB"), Qt::CaseInsensitive) == 0 ||
           word.compare(QLatin1String("LSB"), Qt::CaseInsensitive) == 0;
}

// The single-sideband word of a text (USB, LSB or SSB, as a word of its own), if any.
std::optional<Mode> sidebandIn(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size()) {
        while (i < text.size() && !text[i].isLetter())
            ++i;
        const qsizetype start = i;
        while (i < text.size() && text[i].isLetter())
            ++i;
        const QStringView word = text.mid(start, i - start);
        if (word.compare(QLatin1String("LSB"), Qt::CaseInsensitive) == 0)
            return Mode::LSB;
        if (word.compare(QLatin1String("USB"), Qt::CaseInsensitive) == 0 ||
            word.compare(QLatin1String("SSB"), Qt::CaseInsensitive) == 0)
            return Mode::USB;
    }
    return std::nullopt;
}

Mode modeOf(const ScheduleEntry &e)
{
    for (const QString &language : e.languages) {
        if (language.compare(QLatin1String("-CW"), Qt::CaseInsensitive) == 0)
            return Mode::CWU;
    }
    if (const std::optional<Mode> sideband = sidebandIn(e.daysText))
        return *sideband;
    if (const std::optional<Mode> sideband = sidebandIn(e.remarks))
        return *sideband;
    bool ok = false;
    const int persistence = e.persistence.toInt(&ok);
    return ok && persistence >= kUtilityPersistence ? Mode::USB : Mode::AM;
}

// Windows-1252's printable characters in 0x80..0x9F; the rest of the bytes are Latin-1.
constexpr std::array<char16_t, 32> kCp1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decodeText(const QByteArray &content)
{
    QByteArrayView bytes(content);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.sliced(3));
    if (bytes.isValidUtf8())
        return QString::fromUtf8(bytes);
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        text[i] = QChar(b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : char16_t(b));
    }
    return text;
}

QStringList splitList(QStringView field)
{
    QStringList items;
    for (const QStringView item : field.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (!item.trimmed().isEmpty())
            items << item.trimmed().toString();
    }
    return items;
}

// One row's fields, or the reason it is dropped.
std::optional<ScheduleDropReason> readRow(const std::array<QStringView, kFields> &f, ScheduleEntry &e)
{
    const std::optional<long long> hz = parseKilohertz(f[0]);
    if (!hz)
        return ScheduleDropReason::Frequency;
    if (!isAcceptedFrequency(*hz))
        return ScheduleDropReason::Range;
    e.hz = *hz;
    const QStringView time = f[1];
    const qsizetype dash = time.indexOf(QLatin1Char('-'));
    if (dash < 0)
        return ScheduleDropReason::Time;
    const std::optional<int> start = parseScheduleMinute(time.left(dash).trimmed(), false);
    const std::optional<int> end = parseScheduleMinute(time.mid(dash + 1).trimmed(), true);
    if (!start || !end)
        return ScheduleDropReason::Time;
    e.startMinute = *start;
    e.endMinute = *end == 0 ? kMinutesPerDay : *end;
    e.daysText = f[2].toString();
    e.days = parseScheduleDays(f[2], false).value_or(ScheduleDays{0, false});
    e.country = f[3].toString();
    e.station = f[4].toString();
    e.stationKey = e.station.simplified().toCaseFolded();
    e.languages = splitList(f[5]);
    e.target = f[6].toString();
    e.remarks = f[7].toString();
    e.persistence = f[8].toString();
    e.startDate = f[9].toString();
    e.stopDate = f[10].toString();
    e.mode = modeOf(e);
    return std::nullopt;
}

void readLine(Schedule &schedule, QStringView line, int lineNumber)
{
    std::array<QStringView, kFields> fields{};
    qsizetype from = 0;
    for (int i = 0; i < kFields && from <= line.size(); ++i) {
        qsizetype to = line.indexOf(QLatin1Char(';'), from);
        if (to < 0)
            to = line.size();
        fields[i] = line.mid(from, to - from).trimmed();
        from = to + 1;
    }
    ScheduleEntry entry;
    entry.line = lineNumber;
    if (const std::optional<ScheduleDropReason> why = readRow(fields, entry))
        schedule.dropped.append(
            {lineNumber, *why, fields[*why == ScheduleDropReason::Time ? 1 : 0].toString()});
    else
        schedule.entries.append(std::move(entry));
}

} // namespace

int ScheduleDays::daysPerWeek() const
{
    return known ? qPopulationCount(quint8(mask & kEveryDay)) : 1;
}

std::optional<ScheduleDays> parseScheduleDays(QStringView text, bool strict)
{
    text = text.trimmed();
    // A sideband in the days column marks the mode, not the days.
    if (text.isEmpty() || (!strict && isSidebandWord(text)))
        return ScheduleDays{};
    int mask = 0;
    if (allDigits(text)) {
        for (const QChar c : text) {
            if (c < QLatin1Char('1') || c > QLatin1Char('7'))
                return strict ? std::nullopt : std::optional(ScheduleDays{0, false});
            mask |= 1 << (c.unicode() - '1');
        }
        return ScheduleDays{mask, true};
    }
    for (const QStringView token : text.split(QLatin1Char(','))) {
        const int days = dayRange(token.trimmed());
        if (days == 0)
            return strict ? std::nullopt : std::optional(ScheduleDays{0, false});
        mask |= days;
    }
    return ScheduleDays{mask, true};
}

std::optional<int> parseScheduleMinute(QStringView text, bool allowEndOfDay)
{
    if (text.size() != 4 || !allDigits(text))
        return std::nullopt;
    const int hours = text.left(2).toInt();
    const int minutes = text.mid(2).toInt();
    if (allowEndOfDay && hours == 24 && minutes == 0)
        return kMinutesPerDay;
    if (hours > 23 || minutes > 59)
        return std::nullopt;
    return hours * 60 + minutes;
}

std::optional<long long> parseKilohertz(QStringView text)
{
    text = text.trimmed();
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    const QStringView whole = point < 0 ? text : text.left(point);
    QStringView decimals = point < 0 ? QStringView() : text.mid(point + 1);
    while (decimals.size() > 3 && decimals.endsWith(QLatin1Char('0')))
        decimals.chop(1);
    if (whole.isEmpty() || whole.size() > 9 || !allDigits(whole) || decimals.size() > 3 ||
        (!decimals.isEmpty() && !allDigits(decimals)))
        return std::nullopt;
    long long hz = whole.toLongLong() * 1000;
    for (qsizetype i = 0, scale = 100; i < decimals.size(); ++i, scale /= 10)
        hz += (decimals[i].unicode() - '0') * scale;
    return hz;
}

QString kilohertzText(long long hz)
{
    QString text = QString::number(hz / 1000);
    if (const long long rest = hz % 1000) {
        QString decimals = QStringLiteral("%1").arg(rest, 3, 10, QLatin1Char('0'));
        while (decimals.endsWith(QLatin1Char('0')))
            decimals.chop(1);
        text += QLatin1Char('.') + decimals;
    }
    return text;
}

int ScheduleEntry::minutesPerDay() const
{
    return endMinute > startMinute ? endMinute - startMinute : endMinute + kMinutesPerDay - startMinute;
}

int ScheduleEntry::minutesPerWeek() const
{
    return minutesPerDay() * days.daysPerWeek();
}

bool ScheduleEntry::onAirAt(int minute) const
{
    if (endMinute > startMinute)
        return minute >= startMinute && minute < endMinute;
    return minute >= startMinute || minute < endMinute;
}

QString ScheduleEntry::timeText() const
{
    auto hhmm = [](int m) {
        return QStringLiteral("%1").arg(m / 60 * 100 + m % 60, 4, 10, QLatin1Char('0'));
    };
    return hhmm(startMinute) + QLatin1Char('-') + hhmm(endMinute);
}

QString Schedule::dropText(const ScheduleDrop &drop)
{
    switch (drop.reason) {
    case ScheduleDropReason::Frequency:
        break;
    case ScheduleDropReason::Range:
        return tr("line %1: %2 kHz is outside 30 kHz to 35 MHz").arg(drop.line).arg(drop.field);
    case ScheduleDropReason::Time:
        return tr("line %1: unreadable time \"%2\"").arg(drop.line).arg(drop.field);
    }
    return tr("line %1: bad frequency \"%2\"").arg(drop.line).arg(drop.field);
}

Schedule parseSchedule(const QByteArray &content)
{
    Schedule schedule;
    const QString text = decodeText(content);
    const QStringView all(text);
    int lineNumber = 0;
    qsizetype from = 0;
    while (from < all.size()) {
        qsizetype to = from;
        while (to < all.size() && all[to] != QLatin1Char('\n') && all[to] != QLatin1Char('\r'))
            ++to;
        const QStringView line = all.mid(from, to - from);
        from =
            to +
            (to + 1 < all.size() && all[to] == QLatin1Char('\r') && all[to + 1] == QLatin1Char('\n') ? 2 : 1);
        ++lineNumber;
        // The header names the columns ("kHz:75;Time(UTC):93;..."); a file without one starts
        // with its first row.
        if (line.trimmed().isEmpty() ||
            (lineNumber == 1 && line.trimmed().startsWith(QLatin1String("kHz"), Qt::CaseInsensitive)))
            continue;
        ++schedule.rowsRead;
        readLine(schedule, line, lineNumber);
    }
    return schedule;
}

Schedule readSchedule(const QString &path)
{
    const FileRead read = readWholeFile(path, kCsvSizeLimit, FileStatus::FileOpenError);
    if (!read.result.ok()) {
        Schedule schedule;
        schedule.result = read.result;
        return schedule;
    }
    return parseSchedule(read.bytes);
}

void ScheduleFilter::setNow(const QDateTime &utc)
{
    const QDateTime t = utc.toUTC();
    atMinute = t.time().hour() * 60 + t.time().minute();
    today = 1 << (t.date().dayOfWeek() - 1);
}

bool ScheduleFilter::accepts(const ScheduleEntry &e) const
{
    auto listHolds = [](const QStringList &list, const QString &item) {
        return list.contains(item, Qt::CaseInsensitive);
    };
    if (atMinute && !e.onAirAt(*atMinute))
        return false;
    if (today) {
        const bool sinceYesterday = atMinute && e.endMinute <= e.startMinute && *atMinute < e.endMinute;
        const int day = !sinceYesterday ? today : today == 1 ? 1 << 6 : today >> 1;
        if (!e.days.known || (e.days.mask & day) == 0)
            return false;
    }
    if (days && (!e.days.known || (e.days.mask & days) == 0))
        return false;
    if (!languages.isEmpty() && std::none_of(e.languages.cbegin(), e.languages.cend(),
                                             [&](const QString &l) { return listHolds(languages, l); }))
        return false;
    if (!targets.isEmpty() && !listHolds(targets, e.target))
        return false;
    if (e.hz < lowestHz || (highestHz && e.hz > highestHz))
        return false;
    return station.isEmpty() || e.station.contains(station, Qt::CaseInsensitive);
}

} // namespace ktv4
