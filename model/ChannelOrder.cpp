// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ChannelOrder.h"

#include <QSet>
#include <compare>

namespace ktv4 {

namespace {

int sign(std::strong_ordering order)
{
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

// Gain codes by the level they set: -20, -10, 0, +10 dB.
int gainLevel(Gain gain)
{
    switch (gain) {
    case Gain::Minus20:
        return 0;
    case Gain::Minus10:
        return 1;
    case Gain::Zero:
        return 2;
    case Gain::Plus10:
        return 3;
    }
    return 2;
}

int compareNames(const QString &a, const QString &b)
{
    if (a.isEmpty() != b.isEmpty())
        return a.isEmpty() ? 1 : -1;
    return QString::compare(a, b);
}

} // namespace

int compareByColumn(const Channel &a, const Channel &b, ChannelColumn column)
{
    switch (column) {
    case ColFrequency:
        return sign(a.frequency <=> b.frequency);
    case ColMode:
        return sign(int(a.mode) <=> int(b.mode));
    case ColGain:
        return sign(gainLevel(a.gain) <=> gainLevel(b.gain));
    case ColAgc:
        return sign(int(a.agc) <=> int(b.agc));
    case ColPwr:
        return sign(int(a.power) <=> int(b.power));
    case ColFilter:
        return sign(int(a.filter) <=> int(b.filter));
    case ColTone:
        return sign(a.tone <=> b.tone);
    case ColNb:
        return sign(a.nb <=> b.nb);
    case ColSplit:
        return sign(a.split <=> b.split);
    case ColName:
        return compareNames(a.name, b.name);
    case ColSkip:
        return sign(a.skip <=> b.skip);
    }
    return 0;
}

QList<int> duplicateChannels(const ChannelTable &channels)
{
    QList<int> duplicates;
    QSet<std::pair<qint32, int>> seen;
    for (int channel = 0; channel < kChannelCount; ++channel) {
        const Channel &c = channels[channel];
        if (!c.inUse)
            continue;
        const std::pair<qint32, int> key{c.frequency, int(c.mode)};
        if (seen.contains(key))
            duplicates << channel;
        else
            seen.insert(key);
    }
    return duplicates;
}

} // namespace ktv4
