// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The order of channels by a field, as the memory grid sorts its view and Arrange lays channels
// out, and the channels that repeat an earlier one.

#include "model/FieldText.h"

#include <QList>

namespace ktv4 {

// Negative, zero or positive as `a` comes before, with or after `b` by the field of `column`:
// frequencies in hertz, gain by its level (-20, -10, 0, +10), the other choices in the radio's
// order of codes, names as text with channels without a name after those with one, not skipped
// before skipped. Both channels are taken to be in use.
int compareByColumn(const Channel &a, const Channel &b, ChannelColumn column);

// The channels in use whose frequency and mode repeat those of an earlier channel in use, in
// channel order: each first occurrence stays out, every later one is listed.
QList<int> duplicateChannels(const ChannelTable &channels);

} // namespace ktv4
