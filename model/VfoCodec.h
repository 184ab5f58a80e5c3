// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two VFOs: a table of two rows with the first eight channel cells, and the conversion of a
// 32-byte VFO record to a row (decodeVfoData) and back (makeVfoData).

#include "model/ChannelCodec.h"

#include <QStringList>
#include <array>

namespace ktv4 {

constexpr int kVfoCount = 2;
constexpr int kVfoColumns = 8; // Frequency .. NB, the ChannelColumn indices 0..7

struct VfoRow {
    std::array<Cell, kVfoColumns> cells;
    bool operator==(const VfoRow &) const = default;
};

using VfoTable = std::array<VfoRow, kVfoCount>;

// "VFO A", "VFO B"
QString vfoLabel(int vfo);

// Fills `row` from a record text. Returns false when the mode byte is above 5; the Mode value
// then already holds that byte, and every other cell keeps what it had.
bool decodeVfoData(QStringView data, VfoRow &row);

// The record text of a row: status 0x80, the codes, the frequency; 64 upper-case hex digits.
QString makeVfoData(const VfoRow &row);

// The VFO of a new image: 7.050.000 for the J model option (0), 7.100.000 otherwise, LSB, gain 0,
// AGC slow, power high, filter wide, tone and noise blanker off. Both rows get it.
void defaultVfoData(int modelOption, VfoTable &vfos);

} // namespace ktv4
