// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/ChannelArrange.h"

#include "files/ChannelEdits.h"
#include "model/Bands.h"
#include "model/ChannelNaming.h"
#include "model/ChannelOrder.h"

#include <algorithm>
#include <numeric>

namespace ktv4 {

namespace {

constexpr int kBankAFirst = 200;
constexpr int kBankBFirst = 402;
constexpr int kBankSize = 200; // numbered channels of a bank, the priority channels not counted

// The place of a frequency's band among the bands by frequency; past every band for none.
int bandRank(qint64 hz)
{
    const Band *band = bandOf(hz);
    if (!band)
        return int(hfBands().size());
    const auto bands = hfBands();
    return int(std::count_if(bands.begin(), bands.end(), [band](const Band &other) {
        return other.lowestHz < band->lowestHz || (other.lowestHz == band->lowestHz && &other < band);
    }));
}

bool comesBefore(const Channel &a, const Channel &b, ArrangeRule rule)
{
    int order = 0;
    switch (rule) {
    case ArrangeRule::Frequency:
        break;
    case ArrangeRule::ModeFrequency:
        order = compareByColumn(a, b, ColMode);
        break;
    case ArrangeRule::Name:
        order = compareByColumn(a, b, ColName);
        break;
    case ArrangeRule::BandFrequency:
        order = bandRank(a.frequency) - bandRank(b.frequency);
        break;
    }
    return (order != 0 ? order : compareByColumn(a, b, ColFrequency)) < 0;
}

// Whether the rule puts a gap between two neighbours.
bool startsGroup(const Channel &previous, const Channel &next, ArrangeRule rule)
{
    if (rule == ArrangeRule::Name)
        return false;
    if (rule == ArrangeRule::ModeFrequency && previous.mode != next.mode)
        return true;
    return bandOf(previous.frequency) != bandOf(next.frequency);
}

// For each place of `places`, the channel whose record goes there.
QList<int> newOrder(const RadioImage &image, const QList<int> &places, const ArrangeOptions &options,
                    bool &gapsLeftOut)
{
    QList<int> used, empty;
    for (int channel : places)
        (image.channels[channel].inUse ? used : empty) << channel;
    std::stable_sort(used.begin(), used.end(), [&](int a, int b) {
        return comesBefore(image.channels[a], image.channels[b], options.rule);
    });
    QList<int> order;
    if (!options.pack && !options.bandGaps) {
        auto nextUsed = used.cbegin();
        auto nextEmpty = empty.cbegin();
        for (int channel : places)
            order << (image.channels[channel].inUse ? *nextUsed++ : *nextEmpty++);
        return order;
    }
    QList<qsizetype> gapsBefore; // positions in `used` that start a new group
    if (options.bandGaps) {
        for (qsizetype i = 1; i < used.size(); ++i) {
            if (startsGroup(image.channels[used[i - 1]], image.channels[used[i]], options.rule))
                gapsBefore << i;
        }
        gapsLeftOut = gapsBefore.size() > empty.size();
        if (gapsLeftOut)
            gapsBefore.clear();
    }
    auto nextEmpty = empty.cbegin();
    for (qsizetype i = 0; i < used.size(); ++i) {
        if (gapsBefore.contains(i))
            order << *nextEmpty++;
        order << used[i];
    }
    while (nextEmpty != empty.cend())
        order << *nextEmpty++;
    return order;
}

} // namespace

QString arrangeRuleName(ArrangeRule rule)
{
    switch (rule) {
    case ArrangeRule::Frequency:
        return QStringLiteral("frequency");
    case ArrangeRule::ModeFrequency:
        return QStringLiteral("mode,frequency");
    case ArrangeRule::Name:
        return QStringLiteral("name");
    case ArrangeRule::BandFrequency:
        return QStringLiteral("band,frequency");
    }
    return {};
}

std::optional<ArrangeRule> arrangeRuleFromName(QStringView name)
{
    for (ArrangeRule rule : {ArrangeRule::Frequency, ArrangeRule::ModeFrequency, ArrangeRule::Name,
                             ArrangeRule::BandFrequency}) {
        if (name.compare(arrangeRuleName(rule), Qt::CaseInsensitive) == 0)
            return rule;
    }
    return std::nullopt;
}

ArrangeResult arrangeChannels(const RadioImage &image, const QList<int> &range, const ArrangeOptions &options,
                              const QString &text)
{
    ArrangeResult result;
    const QList<int> places = normalizedChannels(range);
    const QList<int> order = newOrder(image, places, options, result.gapsLeftOut);
    RadioImage after = image;
    for (qsizetype i = 0; i < places.size(); ++i) {
        after.channels[places[i]] = image.channels[order[i]];
        if (order[i] != places[i] && image.channels[order[i]].inUse)
            result.moves << ChannelMove{order[i], places[i]};
    }
    result.change = ImageChange::between(image, after, text);
    return result;
}

QString moveText(const ChannelMove &move)
{
    return csvChannelField(move.from) + QStringLiteral(" -> ") + csvChannelField(move.to);
}

QList<int> rangeChannels(ArrangeRange range)
{
    auto numbered = [](int first) {
        QList<int> channels(kBankSize);
        std::iota(channels.begin(), channels.end(), first);
        return channels;
    };
    switch (range) {
    case ArrangeRange::FirstBank:
        return numbered(0);
    case ArrangeRange::BankA:
        return numbered(kBankAFirst);
    case ArrangeRange::BankB:
        return numbered(kBankBFirst);
    case ArrangeRange::All:
        return numbered(0) + numbered(kBankAFirst) + numbered(kBankBFirst);
    }
    return {};
}

std::optional<QList<int>> channelsFromRange(QStringView text)
{
    std::optional<int> first = channelFromLabel(text);
    std::optional<int> last = first;
    // "A-P1" holds a dash of its own: every dash is tried as the one between the two labels.
    for (qsizetype dash = text.indexOf(QLatin1Char('-')); !first && dash >= 0;
         dash = text.indexOf(QLatin1Char('-'), dash + 1)) {
        first = channelFromLabel(text.left(dash));
        last = channelFromLabel(text.mid(dash + 1));
        if (!first || !last)
            first.reset();
    }
    if (!first || *last < *first)
        return std::nullopt;
    QList<int> channels(*last - *first + 1);
    std::iota(channels.begin(), channels.end(), *first);
    return channels;
}

} // namespace ktv4
