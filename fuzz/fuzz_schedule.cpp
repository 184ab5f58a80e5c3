// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a broadcast schedule, read, filtered, grouped, named and placed twice: with no
// filter from channel 0, and with a filter and start channel made from the file's own first row.
// The reader must keep only rows the radio can tune and account for every row; the import must
// never change a channel in use, must make each passing frequency once or skip it as held, and
// must give every channel a name the radio can show that no other station has.

#include "files/SchedulePlan.h"
#include "model/Bands.h"

#include <QHash>
#include <QSet>
#include <cstdlib>

using namespace ktv4;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool isRadioName(const QString &name)
{
    return !name.isEmpty() && isValidName(name);
}

// Channels 0..9 in use on the schedule's first frequencies, AM, so that some are held already.
// Kept from run to run: a run restores the rows it wrote.
ChannelTable g_before{};
ChannelTable g_after{};

void holdFirstFrequencies(const Schedule &schedule)
{
    for (int ch = 0; ch < 10; ++ch) {
        ScheduleFrequency f;
        f.hz = ch < schedule.entries.size() ? schedule.entries[ch].hz : 7000000 + ch;
        f.name = QStringLiteral("HELD");
        g_before[ch] = g_after[ch] = scheduleChannel(f);
    }
}

ScheduleFilter filterFrom(const ScheduleEntry &e, int count)
{
    ScheduleFilter f;
    f.atMinute = e.startMinute;
    f.days = e.days.known ? e.days.mask : 0;
    f.languages = e.languages;
    const Band *band = bandOf(e.hz);
    f.lowestHz = band ? band->lowestHz : e.hz;
    f.highestHz = band ? band->highestHz : e.hz;
    f.station = e.station.left(3);
    f.limit = 1 + count % 5;
    return f;
}

void checkPlan(const ScheduleSelection &selection, int first, int limit)
{
    const SchedulePlan plan = planSchedule(selection, g_before, first, limit);
    require(plan.channels.size() + plan.duplicates.size() + plan.overLimit == selection.frequencies.size());
    QHash<QString, QString> nameOf; // station -> name
    QSet<QString> names;
    for (qsizetype i = 0; i < plan.channels.size(); ++i) {
        const ScheduleFrequency &f = plan.channels[i];
        require(i == 0 || plan.channels[i - 1].hz < f.hz);
        require(isRadioName(f.name));
        if (nameOf.contains(f.stationKey))
            require(nameOf[f.stationKey] == f.name);
        else
            require(!names.contains(f.name));
        nameOf.insert(f.stationKey, f.name);
        names.insert(f.name);
    }
    require(plan.fits() || plan.leftOut == plan.channels.size() - plan.freeChannels);
    require(applySchedulePlan(plan, g_after) == plan.fits());
    for (const ScheduleFrequency &f : plan.channels) {
        if (!plan.fits())
            break;
        require(f.channel >= first && !g_before[f.channel].inUse);
        const Channel &made = g_after[f.channel];
        require(made.inUse && isAcceptedFrequency(made.frequency) && made.split == made.frequency);
        require(isRadioName(made.name));
        const std::optional<Channel> decoded = decodeChannel(encodeChannel(made));
        require(decoded && decoded->name == f.name && decoded->frequency == f.hz);
        g_after[f.channel] = g_before[f.channel];
    }
    for (int ch = 0; ch < 10; ++ch)
        require(g_after[ch] == g_before[ch]);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const Schedule schedule =
        parseSchedule(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    require(schedule.rowsRead == schedule.entries.size() + schedule.dropped.size());
    for (const ScheduleEntry &e : schedule.entries) {
        require(isAcceptedFrequency(e.hz) && parseKilohertz(kilohertzText(e.hz)) == e.hz);
        require(e.minutesPerDay() > 0 && e.minutesPerDay() <= kMinutesPerDay);
        require(e.onAirAt(e.startMinute));
        const QString name = stationChannelName(e.station);
        require(name.isEmpty() || isRadioName(name));
    }
    holdFirstFrequencies(schedule);
    checkPlan(selectSchedule(schedule, ScheduleFilter{}), 0, 0);
    if (!schedule.entries.isEmpty()) {
        const int count = int(schedule.entries.size());
        const ScheduleSelection selection =
            selectSchedule(schedule, filterFrom(schedule.entries.first(), count));
        // The filter made from the first row lets that row pass.
        require(selection.rowsMatched >= 1 && selection.rowsMatched + selection.rowsFilteredOut == count);
        checkPlan(selection, count % kChannelCount, 1 + count % 5);
    }
    return 0;
}
