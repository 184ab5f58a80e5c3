// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The image the benchmarks work on: every channel in use with a name, odd bytes included, so
// that codecs, grids and files all have their most work to do.

#include "model/RadioImage.h"

namespace ktv4::bench {

inline RadioImage fullImage()
{
    RadioImage image = startupImage();
    for (int ch = 0; ch < kChannelCount; ++ch) {
        ChannelRow &row = image.channels[ch];
        row.inUse = true;
        const double hz = 1'800'000 + ch * 25'000;
        row.cells[ColFrequency] = {hz, frequencyText(hz)};
        row.cells[ColMode] = {double(ch % 6), modeNames().at(ch % 6)};
        row.cells[ColGain] = {double(ch % 4), gainText(ch % 4)};
        row.cells[ColAgc] = {1, agcText(1)};
        row.cells[ColPwr] = {0, powerText(0)};
        row.cells[ColFilter] = {double(ch % 2), filterText(ch % 2)};
        row.cells[ColTone] = {0x85, toneText(0x85)};
        row.cells[ColNb] = {0, nbText(0)};
        row.cells[ColSplit] = {hz, frequencyText(hz)};
        row.cells[ColName] = {0, QStringLiteral("CH%1").arg(ch)};
        row.cells[ColSkip] = {double(ch % 3 == 0), skipText(ch % 3 == 0)};
    }
    return image;
}

} // namespace ktv4::bench
