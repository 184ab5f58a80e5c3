// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How channels are named: banks, captions, grid row labels, the CSV channel field, and where each
// record lies in the radio's clone memory.

#include <QString>
#include <optional>

namespace ktv4 {

// Channel index 0..603: 0..199 memory, 200..401 bank A (400, 401 = P1, P2), 402..603 bank B.
QString bankCaption(int channel);     // "Memory", "Memory A", "Memory B"
QString channelCaption(int channel);  // "15CH", "P1", "P2"
QString gridRowLabel(int channel);    // "0", "A  5", "A-P1", "B199"
QString csvChannelField(int channel); // "0", "A5", "A-P1", "B199"

// The channel a grid row label or CSV channel field names, in either case and with any spaces:
// "A  0", "A0", "b12", "A-P1", "150". Nothing for anything else.
std::optional<int> channelFromLabel(QStringView label);

constexpr int kFirstBankEnd = 200; // channels 0..199 form the first bank

// Addresses of the records in the clone memory.
constexpr int kSettings1Address = 0x0300;
constexpr int kSettings2Address = 0x0320;
constexpr int kVfoAAddress = 0x0400;
constexpr int kVfoBAddress = 0x0500;
constexpr int kChannelBaseAddress = 0x0600;
constexpr int kRecordSize = 32;

constexpr int channelAddress(int channel)
{
    return kChannelBaseAddress + kRecordSize * channel;
}
constexpr int blockNumber(int address)
{
    return address / 16;
}

// Four upper-case hex digits: the block number padded to three digits, then "0" (0600, 0FE0, 1000).
QString addressText(int address);

} // namespace ktv4
