// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Memory channels: the channel table the program edits, and the conversion of a 32-byte channel
// record to a table row (decodeMemoryData) and back (makeMemoryData).

#include "model/RecordText.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>

namespace ktv4 {

constexpr int kChannelCount = 604;

// Column of the channel table; also the memory grid's data column minus 1.
enum ChannelColumn : int {
    ColFrequency = 0,
    ColMode,
    ColGain,
    ColAgc,
    ColPwr,
    ColFilter,
    ColTone,
    ColNb,
    ColSplit,
    ColName,
    ColSkip,
};
constexpr int kChannelColumns = 11;

// One field: its code as the record stores it, and the text the grid shows.
struct Cell {
    double value = 0;
    QString text;
    bool operator==(const Cell &) const = default;
};

struct ChannelRow {
    bool inUse = false;
    std::array<Cell, kChannelColumns> cells;

    void clear() { *this = ChannelRow{}; }
    bool operator==(const ChannelRow &) const = default;
};

using ChannelTable = std::array<ChannelRow, kChannelCount>;

// Grid titles of the 11 columns ("Frequency" ... "Skip").
const QStringList &channelColumnTitles();

// The six mode texts by mode code: USB, LSB, CWU, CWL, AM, FM.
const QStringList &modeNames();

// The display texts that go with a code; the same words in the grid, the dialog and CSV.
QString gainText(int code);   // "0", "-10", "-20", "+10" for anything else
QString agcText(int code);    // "Fast" for 0, "Slow" otherwise
QString powerText(int code);  // "High", "Low", "S-Low" for anything else
QString filterText(int code); // "Wide" for 0, "Narrow" otherwise
QString toneText(int code);   // "On" from 0x80 up, "Off" below
QString nbText(int code);     // "On" when nonzero
QString skipText(int code);   // "Skip" when nonzero, "" otherwise

// The frequencies a channel or VFO may be given: 30 000 Hz up to, not including, 35 000 000 Hz.
// The edit dialog refuses others, and CSV import drops rows with others.
constexpr long long kLowestFrequency = 30'000;
constexpr long long kFrequencyLimit = 35'000'000; // the first frequency refused
constexpr bool isAcceptedFrequency(long long hz)
{
    return hz >= kLowestFrequency && hz < kFrequencyLimit;
}

// 7050000 -> "7.050.000", 14200000 -> "14.200.000"; at least 7 digits, two dots.
QString frequencyText(double hz);

// Name code: one byte per character, 0x30..0x5F.
int nameCodeFor(QChar c);     // -1 when the character has no code
QChar nameCharFor(int code);  // null QChar when the byte has no character
bool isNameCodeChar(QChar c); // digits, A-Z, space and * # + - / \ = ( ) $ _

// The fields a channel record and a VFO record share, in the first eight cells: mode to noise
// blanker (bytes 1..9) and the frequency (bytes 16..19). Decoding fails, with only the Mode value
// written, when the mode byte is above 5.
bool decodeRadioFields(const RecordBytes &bytes, Cell *cells);
void encodeRadioFields(const Cell *cells, RecordBytes &bytes);

// Fills `row` from a record text. Returns false when the mode byte is above 5; the row is then
// left half-written, as the radio read leaves it (in use, Skip set, Mode value set).
bool decodeMemoryData(QStringView data, ChannelRow &row);

// The record text of a row, 64 upper-case hex digits.
QString makeMemoryData(const ChannelRow &row);

} // namespace ktv4
