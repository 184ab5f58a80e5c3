// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/ChannelEdits.h"

#include "model/ChannelNaming.h"

#include <algorithm>

namespace ktv4 {

namespace {

constexpr int kBankAEnd = 402;

// A channel cleared: one in use becomes empty; an empty one stays as it is, record and all.
Channel emptied(const Channel &channel)
{
    return channel.inUse ? Channel{} : channel;
}

} // namespace

ChannelRange bankOf(int channel)
{
    if (channel < kFirstBankEnd)
        return {0, kFirstBankEnd - 1};
    if (channel < kBankAEnd)
        return {kFirstBankEnd, kBankAEnd - 1};
    return {kBankAEnd, kChannelCount - 1};
}

QList<int> normalizedChannels(QList<int> channels)
{
    channels.removeIf([](int channel) { return channel < 0 || channel >= kChannelCount; });
    std::sort(channels.begin(), channels.end());
    channels.erase(std::unique(channels.begin(), channels.end()), channels.end());
    return channels;
}

QList<int> firstBankChannels(const QList<int> &channels)
{
    QList<int> inside = normalizedChannels(channels);
    inside.removeIf([](int channel) { return channel >= kFirstBankEnd; });
    return inside;
}

ImageChange clearChannels(const RadioImage &image, const QList<int> &channels, const QString &text)
{
    RadioImage after = image;
    for (int channel : normalizedChannels(channels))
        after.channels[channel] = emptied(image.channels[channel]);
    return ImageChange::between(image, after, text);
}

ImageChange insertChannels(const RadioImage &image, int at, int count, const QString &text)
{
    if (at < 0 || at >= kFirstBankEnd || count <= 0)
        return ImageChange::between(image, image, text);
    count = std::min(count, kFirstBankEnd - at);
    RadioImage after = image;
    for (int i = kFirstBankEnd - 1; i >= at + count; --i)
        after.channels[i] = image.channels[i - count];
    for (int i = at; i < at + count; ++i)
        after.channels[i] = Channel{};
    return ImageChange::between(image, after, text);
}

ImageChange deleteChannels(const RadioImage &image, const QList<int> &channels, const QString &text)
{
    const QList<int> removed = firstBankChannels(channels);
    RadioImage after = image;
    int to = removed.isEmpty() ? kFirstBankEnd : removed.first();
    for (int from = to; from < kFirstBankEnd; ++from) {
        if (!removed.contains(from))
            after.channels[to++] = image.channels[from];
    }
    for (; to < kFirstBankEnd; ++to)
        after.channels[to] = Channel{};
    return ImageChange::between(image, after, text);
}

int movedTo(const QList<int> &channels, int before)
{
    const QList<int> moved = normalizedChannels(channels);
    const auto ahead = std::count_if(moved.cbegin(), moved.cend(), [before](int c) { return c < before; });
    return before - int(ahead);
}

ImageChange moveChannels(const RadioImage &image, const QList<int> &channels, int before, const QString &text)
{
    const QList<int> moved = normalizedChannels(channels);
    if (moved.isEmpty())
        return ImageChange::between(image, image, text);
    const ChannelRange bank = bankOf(moved.first());
    const bool oneBank =
        std::all_of(moved.cbegin(), moved.cend(), [&bank](int c) { return bank.contains(c); });
    if (!oneBank || before < bank.first || before > bank.last + 1)
        return ImageChange::between(image, image, text);

    QList<Channel> rest;
    for (int channel = bank.first; channel <= bank.last; ++channel) {
        if (!moved.contains(channel))
            rest << image.channels[channel];
    }
    QList<Channel> movedChannels;
    for (int channel : moved)
        movedChannels << image.channels[channel];
    const int at = movedTo(moved, before) - bank.first;
    for (qsizetype i = 0; i < movedChannels.size(); ++i)
        rest.insert(at + i, movedChannels[i]);
    return ImageChange::channels(image, bank.first, rest, text);
}

} // namespace ktv4
