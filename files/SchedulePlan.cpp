// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/SchedulePlan.h"

#include "model/ChannelNaming.h"
#include "model/FieldText.h"

#include <QHash>
#include <QSet>
#include <QVarLengthArray>
#include <algorithm>
#include <numeric>
#include <span>

namespace ktv4 {

namespace {

// ---- names ----

struct Word {
    QString text;
    bool acronym = false; // written in capitals in the schedule, 2 to 4 letters: BBC, NHK, WRMI
};

// An upper-case letter or digit of the name code for `c`, accents taken off: "é" -> "E", "ß" -> "SS".
QString foldedChar(QChar c)
{
    static const QHash<char16_t, QString> kLigatures{{u'Æ', "AE"}, {u'æ', "AE"}, {u'Ø', "O"}, {u'ø', "O"},
                                                     {u'Œ', "OE"}, {u'œ', "OE"}, {u'Ð', "D"}, {u'ð', "D"},
                                                     {u'Þ', "TH"}, {u'þ', "TH"}, {u'ß', "SS"}};
    if (const auto it = kLigatures.constFind(c.unicode()); it != kLigatures.constEnd())
        return *it;
    QChar u = c.toUpper();
    if (!c.decomposition().isEmpty())
        u = c.decomposition().at(0).toUpper();
    const bool alnum =
        (u >= QLatin1Char('A') && u <= QLatin1Char('Z')) || (u >= QLatin1Char('0') && u <= QLatin1Char('9'));
    return alnum ? QString(u) : QString();
}

QList<Word> nameWords(const QString &station)
{
    QList<Word> words;
    Word word;
    int letters = 0;
    bool lower = false;
    auto endWord = [&] {
        if (!word.text.isEmpty()) {
            word.acronym = !lower && letters >= 2 && word.text.size() <= 4;
            words << word;
        }
        word = Word{};
        letters = 0;
        lower = false;
    };
    for (const QChar c : station) {
        const QString folded = foldedChar(c);
        if (folded.isEmpty()) {
            endWord();
            continue;
        }
        word.text += folded;
        letters += c.isLetter() ? 1 : 0;
        lower = lower || c.isLower();
    }
    endWord();
    return words;
}

bool isOneOf(const QString &word, std::initializer_list<const char *> list)
{
    return std::any_of(list.begin(), list.end(), [&](const char *w) { return word == QLatin1String(w); });
}

// Little words that carry no name.
bool isStopWord(const QString &w)
{
    return isOneOf(w, {"THE", "OF", "DE", "DA", "DO", "DOS", "DAS", "DEL", "LA", "LE", "LES", "DU", "DES",
                       "DI", "AND", "ET", "Y"});
}

// Words so many stations have that they tell none apart; left out when the name is too long.
bool isGenericWord(const QString &w)
{
    return isOneOf(w, {"R", "INT", "VOICE", "BROADCASTING", "SERVICE", "STATION", "NETWORK"});
}

QString abbreviated(const QString &w)
{
    if (w == QLatin1String("RADIO"))
        return QStringLiteral("R");
    if (isOneOf(w, {"INTERNATIONAL", "INTERNACIONAL", "INTERNATIONALE", "INTERNAZIONALE", "INTL"}))
        return QStringLiteral("INT");
    return w;
}

QString joined(const QList<Word> &words, const QString &separator = QStringLiteral(" "))
{
    QStringList texts;
    for (const Word &w : words)
        texts << w.text;
    return texts.join(separator);
}

// The first words that fit, or the first word cut to fit.
QString leadingWords(const QList<Word> &words)
{
    QString name = words.first().text.left(kNameLength);
    for (qsizetype i = 1; i < words.size() && name.size() + 1 + words[i].text.size() <= kNameLength; ++i)
        name += QLatin1Char(' ') + words[i].text;
    return name;
}

// ---- selection ----

struct StationTotal {
    const QString *key;
    int minutes = 0;
    int bestRow = -1; // its row with the most minutes a week, the earliest of equals
};

ScheduleFrequency frequencyOf(const Schedule &schedule, std::span<const int> rows, QSet<QString> &allStations)
{
    // A frequency has one station or a few: a list is quicker than a hash.
    QVarLengthArray<StationTotal, 4> totals; // in the order of their first row
    ScheduleFrequency f;
    for (const int r : rows) {
        const ScheduleEntry &e = schedule.entries[r];
        auto t = std::find_if(totals.begin(), totals.end(),
                              [&](const StationTotal &x) { return *x.key == e.stationKey; });
        if (t == totals.end()) {
            totals.append({&e.stationKey, 0, r});
            t = totals.end() - 1;
            allStations.insert(e.stationKey);
        }
        t->minutes += e.minutesPerWeek();
        if (e.minutesPerWeek() > schedule.entries[t->bestRow].minutesPerWeek())
            t->bestRow = r;
        f.minutesPerWeek += e.minutesPerWeek();
    }
    const StationTotal *winner = totals.begin();
    for (const StationTotal &t : totals) {
        if (t.minutes > winner->minutes)
            winner = &t;
    }
    const ScheduleEntry &best = schedule.entries[winner->bestRow];
    f.hz = best.hz;
    f.mode = best.mode;
    f.station = best.station;
    f.stationKey = best.stationKey;
    f.stations = int(totals.size());
    for (const int r : rows) {
        const ScheduleEntry &e = schedule.entries[r];
        if (e.stationKey != f.stationKey)
            continue;
        const QString time =
            e.daysText.isEmpty() ? e.timeText() : e.timeText() + QLatin1Char(' ') + e.daysText;
        if (!f.times.contains(time))
            f.times << time;
    }
    return f;
}

// ---- plan ----

// Keeps the `limit` frequencies that air most (the lower of equals), in frequency order.
int applyLimit(QList<ScheduleFrequency> &frequencies, int limit)
{
    if (limit <= 0 || frequencies.size() <= limit)
        return 0;
    QList<int> order(frequencies.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return frequencies[a].minutesPerWeek > frequencies[b].minutesPerWeek;
    });
    order.resize(limit);
    std::sort(order.begin(), order.end());
    QList<ScheduleFrequency> kept;
    for (const int i : std::as_const(order))
        kept << frequencies[i];
    const int left = int(frequencies.size()) - limit;
    frequencies = kept;
    return left;
}

// Names the channels: one station, one name, on every frequency it names; two stations never
// share one. The stations that air most keep their plain name, the others get a number.
void assignNames(QList<ScheduleFrequency> &frequencies)
{
    struct Station {
        int minutes = 0;
        qsizetype first = 0; // its first frequency
    };
    QHash<QString, Station> stations;
    for (qsizetype i = 0; i < frequencies.size(); ++i) {
        auto it = stations.find(frequencies[i].stationKey);
        if (it == stations.end())
            it = stations.insert(frequencies[i].stationKey, Station{0, i});
        it->minutes += frequencies[i].minutesPerWeek;
    }
    QList<Station> order = stations.values();
    std::sort(order.begin(), order.end(), [](const Station &a, const Station &b) {
        return a.minutes != b.minutes ? a.minutes > b.minutes : a.first < b.first;
    });
    QHash<QString, QString> nameOf;
    QSet<QString> used;
    for (const Station &station : std::as_const(order)) {
        const ScheduleFrequency &f = frequencies[station.first];
        QString base = stationChannelName(f.station);
        if (base.isEmpty())
            base = QString::number(f.hz / 1000);
        QString name = base;
        for (int n = 2; used.contains(name); ++n) {
            const QString suffix = QString::number(n);
            name = base.left(kNameLength - suffix.size()).trimmed() + suffix;
        }
        used.insert(name);
        nameOf.insert(f.stationKey, name);
    }
    for (ScheduleFrequency &f : frequencies)
        f.name = nameOf.value(f.stationKey);
}

} // namespace

QString stationChannelName(const QString &station)
{
    QList<Word> words;
    bool hasAcronym = false;
    for (Word w : nameWords(station)) {
        if (isStopWord(w.text))
            continue;
        w.text = abbreviated(w.text);
        hasAcronym = hasAcronym || w.acronym;
        words << w;
    }
    if (words.isEmpty())
        return QString();
    if (joined(words).size() <= kNameLength)
        return joined(words);
    QList<Word> distinct;
    std::copy_if(words.cbegin(), words.cend(), std::back_inserter(distinct),
                 [](const Word &w) { return !isGenericWord(w.text); });
    if (distinct.isEmpty())
        distinct = words;
    if (joined(distinct).size() <= kNameLength)
        return joined(distinct);
    // Three words or more make the initials a station is known by (TWR, AWR, RNA), unless its
    // name holds such initials already.
    if (words.size() >= 3 && !hasAcronym) {
        QString initials;
        for (const Word &w : std::as_const(words))
            initials += w.text.at(0);
        return initials.left(kNameLength);
    }
    if (distinct.size() == 2 && joined(distinct, QString()).size() <= kNameLength)
        return joined(distinct, QString());
    // A number at the end tells a station apart: "Channel 292" -> "CHAN 292".
    const QString &last = distinct.last().text;
    if (distinct.size() >= 2 && last.size() <= 4 &&
        std::all_of(last.cbegin(), last.cend(), [](QChar c) { return c.isDigit(); }))
        return joined(distinct.first(distinct.size() - 1)).left(kNameLength - 1 - last.size()).trimmed() +
               QLatin1Char(' ') + last;
    return leadingWords(distinct);
}

ScheduleSelection selectSchedule(const Schedule &schedule, const ScheduleFilter &filter)
{
    ScheduleSelection selection;
    QList<int> rows;
    for (qsizetype i = 0; i < schedule.entries.size(); ++i) {
        if (filter.accepts(schedule.entries[i]))
            rows << int(i);
    }
    selection.rowsMatched = int(rows.size());
    selection.rowsFilteredOut = int(schedule.entries.size() - rows.size());
    std::stable_sort(rows.begin(), rows.end(),
                     [&](int a, int b) { return schedule.entries[a].hz < schedule.entries[b].hz; });
    QSet<QString> stations;
    for (qsizetype from = 0; from < rows.size();) {
        qsizetype to = from + 1;
        while (to < rows.size() && schedule.entries[rows[to]].hz == schedule.entries[rows[from]].hz)
            ++to;
        selection.frequencies << frequencyOf(schedule, std::span<const int>(rows).subspan(from, to - from),
                                             stations);
        from = to;
    }
    selection.stations = int(stations.size());
    return selection;
}

SchedulePlan planSchedule(const ScheduleSelection &selection, const ChannelTable &channels, int firstChannel,
                          int limit)
{
    SchedulePlan plan;
    QHash<QPair<long long, int>, int> held; // (frequency, mode) -> the first channel in use holding it
    for (int ch = kChannelCount - 1; ch >= 0; --ch) {
        const Channel &channel = channels[ch];
        if (channel.inUse)
            held.insert({channel.frequency, int(channel.mode)}, ch);
    }
    for (const ScheduleFrequency &f : selection.frequencies) {
        if (const auto it = held.constFind({f.hz, int(f.mode)}); it != held.constEnd())
            plan.duplicates.append({f.hz, f.mode, *it});
        else
            plan.channels << f;
    }
    plan.overLimit = applyLimit(plan.channels, limit);
    assignNames(plan.channels);
    qsizetype next = 0;
    for (int ch = std::max(firstChannel, 0); ch < kChannelCount; ++ch) {
        if (channels[ch].inUse)
            continue;
        ++plan.freeChannels;
        if (next < plan.channels.size())
            plan.channels[next++].channel = ch;
    }
    plan.leftOut = int(plan.channels.size() - next);
    return plan;
}

Channel scheduleChannel(const ScheduleFrequency &frequency)
{
    Channel channel = newChannel(qint32(frequency.hz), frequency.mode);
    // A CSV row always names its AGC; Slow is what the edit dialog offers a new channel.
    channel.agc = Agc::Slow;
    channel.filter = frequency.mode == Mode::CWU ? Filter::Narrow : Filter::Wide;
    channel.name = frequency.name;
    return channel;
}

bool applySchedulePlan(const SchedulePlan &plan, ChannelTable &channels)
{
    if (!plan.fits())
        return false;
    for (const ScheduleFrequency &f : plan.channels)
        channels[f.channel] = scheduleChannel(f);
    return true;
}

QString SchedulePlan::summary() const
{
    QStringList parts{tr("%n channel(s) made", nullptr, channelsMade()),
                      tr("%n duplicate(s) skipped", nullptr, int(duplicates.size()))};
    if (overLimit)
        parts << tr("%n frequency(ies) left out by the limit", nullptr, overLimit);
    if (leftOut)
        parts << tr("%n left out for lack of room", nullptr, leftOut);
    return parts.join(QStringLiteral(", "));
}

QStringList SchedulePlan::reportLines(const Schedule &schedule, const ScheduleSelection &selection) const
{
    QStringList lines;
    lines << tr("%n row(s) read", nullptr, schedule.rowsRead);
    lines << tr("%n row(s) dropped", nullptr, int(schedule.dropped.size()));
    for (const ScheduleDrop &drop : schedule.dropped)
        lines << QStringLiteral("  ") + Schedule::dropText(drop);
    lines << tr("%n row(s) filtered out", nullptr, selection.rowsFilteredOut);
    if (overLimit)
        lines << tr("%n frequency(ies) left out by the limit", nullptr, overLimit);
    lines << tr("%n channel(s) made", nullptr, channelsMade());
    lines << tr("%n duplicate(s) skipped", nullptr, int(duplicates.size()));
    for (const ScheduleDuplicate &d : duplicates)
        lines << QStringLiteral("  ") +
                     tr("%1 kHz %2: channel %3 holds it")
                         .arg(kilohertzText(d.hz), fieldText(d.mode), gridRowLabel(d.channel).simplified());
    lines << tr("%n left out for lack of room", nullptr, leftOut);
    if (leftOut)
        lines << QStringLiteral("  ") +
                     tr("%n empty channel(s) from the start channel on, %1 needed: nothing "
                        "written",
                        nullptr, freeChannels)
                         .arg(channels.size());
    return lines;
}

} // namespace ktv4
