// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The memory grid's edits as changes of the image: clear, insert, delete and move a set of
// channels. Each computes the new channels on a copy and returns the difference as one change, so
// the document applies it and the history can take it back in one step.
//
// Insert and delete work inside the first bank (channels 0..199) only: channels of banks A and B
// are never moved by them. Moving keeps channels inside their own bank.

#include "files/ImageChange.h"

namespace ktv4 {

// The bank a channel belongs to: 0..199, 200..401 (A with its P1, P2), 402..603 (B).
struct ChannelRange {
    int first = 0;
    int last = -1;
    bool contains(int channel) const { return channel >= first && channel <= last; }
};
ChannelRange bankOf(int channel);

// Channels sorted, without repeats, inside 0..603.
QList<int> normalizedChannels(QList<int> channels);
// The channels of `channels` in the first bank.
QList<int> firstBankChannels(const QList<int> &channels);

// Every channel of `channels` emptied.
ImageChange clearChannels(const RadioImage &image, const QList<int> &channels, const QString &text);
// `count` empty channels before channel `at` of the first bank; the last `count` channels of the
// bank fall off its end. Empty when `at` lies outside the first bank.
ImageChange insertChannels(const RadioImage &image, int at, int count, const QString &text);
// The first-bank channels of `channels` removed; the channels after them move up and empty
// channels come in at the bank's end.
ImageChange deleteChannels(const RadioImage &image, const QList<int> &channels, const QString &text);
// `channels` (all in one bank) moved to stand before channel `before` (at most the bank's last
// channel + 1), in their order; the other channels of the bank close up around them. Empty when
// the channels or the place lie in different banks.
ImageChange moveChannels(const RadioImage &image, const QList<int> &channels, int before,
                         const QString &text);
// Where the first moved channel stands after moveChannels().
int movedTo(const QList<int> &channels, int before);

} // namespace ktv4
