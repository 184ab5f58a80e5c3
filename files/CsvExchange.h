// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CSV export and import of the memory channels (settings and VFOs are not part of it).
//
// Export: a header row and one row per channel in use, eleven quoted fields, CR LF.
// Import: scans the file field by field, so header rows and foreign fields are passed over, and
// merges every acceptable KT-V4 row into the table; channels the file does not name keep theirs.
// A quoted field ends with its line at the latest: a row whose quote is left open is dropped,
// and the next line is read as a row of its own.

#include "base/FileStatus.h"
#include "model/Channel.h"

#include <QByteArray>
#include <array>

namespace ktv4 {

QByteArray csvExportBytes(const ChannelTable &channels);
FileResult exportCsv(const QString &path, const ChannelTable &channels);

// Why a row of this radio ("KT-V4", "MEMORY") was dropped.
enum class CsvDropReason {
    Channel,   // CHANNEL names no channel
    Frequency, // no frequency, or one outside 30 000 Hz .. 35 000 000 Hz
    Mode,      // MODE is none of USB, LSB, CWU, CWL, AM, FM, IQ
    Agc,       // AGC is neither FAST nor SLOW
    Filter,    // FILTER is neither WIDE nor NARROW
    Quote,     // a quoted field that its line does not close
};
constexpr int kCsvDropReasons = 6;

struct CsvImportResult {
    FileResult result;
    int rowsStored = 0;     // rows stored into a channel
    int channelsStored = 0; // channels those rows went to: fewer when a later row replaced an earlier one
    std::array<int, kCsvDropReasons> dropped{}; // by CsvDropReason

    int rowsDropped() const;
};

// What an import did, for the status bar and stderr: "12 channel(s) imported; 3 row(s) dropped: 2
// with no frequency or one outside 30 kHz to 35 MHz, 1 with an unknown mode." It counts channels,
// and says how many rows replaced an earlier row for the same channel. A file with nothing
// importable says so.
QString csvImportSummary(const CsvImportResult &import);

// Rows stored before a failure stay in the table (the file is merged row by row). Onto a channel
// in use a row keeps the channel's Pwr, Tone and Split Freq., which the file does not carry; an
// empty channel gets High, Off and the row's frequency. The frequency text is the program's own.
CsvImportResult importCsv(const QString &path, ChannelTable &channels);
CsvImportResult importCsvBytes(const QByteArray &content, ChannelTable &channels);

// The CHANNEL field resolved to a table index: -1 drops the row, std::nullopt is an error
// (a bank letter alone, or a number outside 16-bit range).
std::optional<int> resolveCsvChannel(const QString &field);

// The number at the start of a text: blanks ignored, optional sign, digits and one decimal point;
// 0 when the text does not start with a number.
double leadingNumber(const QString &text);

} // namespace ktv4
