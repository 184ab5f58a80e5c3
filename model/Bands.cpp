// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Bands.h"

namespace ktv4 {

namespace {

constexpr long long kKhz = 1000;

// Broadcast bands by their common edges (the ITU allocations, with the parts broadcasters use
// outside them in the tropical and 49 m bands); amateur bands as wide as any ITU region has them.
constexpr Band kBands[] = {
    {"120m", BandKind::Broadcast, 2300 * kKhz, 2495 * kKhz},
    {"90m", BandKind::Broadcast, 3200 * kKhz, 3400 * kKhz},
    {"75m", BandKind::Broadcast, 3900 * kKhz, 4000 * kKhz},
    {"60m", BandKind::Broadcast, 4750 * kKhz, 5060 * kKhz},
    {"49m", BandKind::Broadcast, 5900 * kKhz, 6200 * kKhz},
    {"41m", BandKind::Broadcast, 7200 * kKhz, 7450 * kKhz},
    {"31m", BandKind::Broadcast, 9400 * kKhz, 9900 * kKhz},
    {"25m", BandKind::Broadcast, 11600 * kKhz, 12100 * kKhz},
    {"22m", BandKind::Broadcast, 13570 * kKhz, 13870 * kKhz},
    {"19m", BandKind::Broadcast, 15100 * kKhz, 15800 * kKhz},
    {"16m", BandKind::Broadcast, 17480 * kKhz, 17900 * kKhz},
    {"15m", BandKind::Broadcast, 18900 * kKhz, 19020 * kKhz},
    {"13m", BandKind::Broadcast, 21450 * kKhz, 21850 * kKhz},
    {"11m", BandKind::Broadcast, 25670 * kKhz, 26100 * kKhz},
    {"160m", BandKind::Amateur, 1800 * kKhz, 2000 * kKhz},
    {"80m", BandKind::Amateur, 3500 * kKhz, 4000 * kKhz},
    {"60m", BandKind::Amateur, 5351500, 5366500},
    {"40m", BandKind::Amateur, 7000 * kKhz, 7300 * kKhz},
    {"30m", BandKind::Amateur, 10100 * kKhz, 10150 * kKhz},
    {"20m", BandKind::Amateur, 14000 * kKhz, 14350 * kKhz},
    {"17m", BandKind::Amateur, 18068 * kKhz, 18168 * kKhz},
    {"15m", BandKind::Amateur, 21000 * kKhz, 21450 * kKhz},
    {"12m", BandKind::Amateur, 24890 * kKhz, 24990 * kKhz},
    {"10m", BandKind::Amateur, 28000 * kKhz, 29700 * kKhz},
};

} // namespace

std::span<const Band> hfBands()
{
    return kBands;
}

const Band *bandOf(long long hz, BandKind kind)
{
    for (const Band &band : kBands) {
        if (band.kind == kind && hz >= band.lowestHz && hz <= band.highestHz)
            return &band;
    }
    return nullptr;
}

const Band *bandOf(long long hz)
{
    if (const Band *broadcast = bandOf(hz, BandKind::Broadcast))
        return broadcast;
    return bandOf(hz, BandKind::Amateur);
}

const Band *bandNamed(QStringView name)
{
    for (const Band &band : kBands) {
        if (name.compare(QLatin1String(band.name), Qt::CaseInsensitive) == 0)
            return &band;
    }
    return nullptr;
}

} // namespace ktv4
