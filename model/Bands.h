// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The short-wave bands within the radio's range: the broadcast bands and the amateur HF bands,
// with their edges in whole hertz. Schedule import picks stations by band, and channels can be
// arranged band by band.

#include <QString>
#include <QStringView>
#include <span>

namespace ktv4 {

enum class BandKind { Broadcast, Amateur };

struct Band {
    const char *name; // "41m"; a broadcast and an amateur band may share a name (60m, 15m)
    BandKind kind;
    long long lowestHz; // both edges belong to the band
    long long highestHz;
};

// Every band, in order of frequency within each kind: the broadcast bands first.
std::span<const Band> hfBands();

// The band holding `hz`, or nullptr. Where a broadcast band lies within an amateur band (75m in
// 80m, 41m overlapping 40m), the broadcast band is the one returned.
const Band *bandOf(long long hz);
// The same among the bands of one kind.
const Band *bandOf(long long hz, BandKind kind);

// The band of that name ("41m", "41M"), the broadcast band when both kinds use the name; nullptr
// for an unknown name.
const Band *bandNamed(QStringView name);

} // namespace ktv4
