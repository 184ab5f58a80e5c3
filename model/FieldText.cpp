// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/FieldText.h"

namespace ktv4 {

template <> const QStringList &fieldNames<Mode>()
{
    static const QStringList names{"USB", "LSB", "CWU", "CWL", "AM", "FM"};
    return names;
}

template <> const QStringList &fieldNames<Gain>()
{
    static const QStringList names{"0", "-10", "-20", "+10"};
    return names;
}

template <> const QStringList &fieldNames<Agc>()
{
    static const QStringList names{"Fast", "Slow"};
    return names;
}

template <> const QStringList &fieldNames<Power>()
{
    static const QStringList names{"High", "Low", "S-Low"};
    return names;
}

template <> const QStringList &fieldNames<Filter>()
{
    static const QStringList names{"Wide", "Narrow"};
    return names;
}

QString onOffText(bool on)
{
    return on ? QStringLiteral("On") : QStringLiteral("Off");
}

QString skipText(bool skip)
{
    return skip ? QStringLiteral("Skip") : QString();
}

QString frequencyText(qint64 hz)
{
    const bool negative = hz < 0;
    auto n = negative ? 0 - static_cast<quint64>(hz) : static_cast<quint64>(hz);
    // Digits from the right, a dot after the third and the sixth, at least 7 digits.
    char buffer[32];
    int pos = sizeof buffer;
    for (int digit = 0; digit < 7 || n > 0; ++digit) {
        if (digit == 3 || digit == 6)
            buffer[--pos] = '.';
        buffer[--pos] = char('0' + n % 10);
        n /= 10;
    }
    if (negative)
        buffer[--pos] = '-';
    return QString::fromLatin1(buffer + pos, qsizetype(sizeof buffer) - pos);
}

const QStringList &channelColumnTitles()
{
    static const QStringList titles{"Frequency", "Mode", "Gain",        "AGC",  "Pwr", "Filter",
                                    "Tone",      "NB",   "Split Freq.", "Name", "Skip"};
    return titles;
}

QString vfoFieldText(const RadioFields &f, ChannelColumn column)
{
    switch (column) {
    case ColFrequency:
        return frequencyText(f.frequency);
    case ColMode:
        return fieldText(f.mode);
    case ColGain:
        return fieldText(f.gain);
    case ColAgc:
        return fieldText(f.agc);
    case ColPwr:
        return fieldText(f.power);
    case ColFilter:
        return fieldText(f.filter);
    case ColTone:
        return onOffText(f.tone);
    case ColNb:
        return onOffText(f.nb);
    default:
        return QString();
    }
}

QString channelFieldText(const Channel &channel, ChannelColumn column)
{
    if (!channel.inUse)
        return QString();
    switch (column) {
    case ColSplit:
        return frequencyText(channel.split);
    case ColName:
        return channel.name;
    case ColSkip:
        return skipText(channel.skip);
    default:
        return vfoFieldText(channel, column);
    }
}

QString vfoLabel(int vfo)
{
    return vfo == 0 ? QStringLiteral("VFO A") : QStringLiteral("VFO B");
}

} // namespace ktv4
