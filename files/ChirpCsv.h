// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Channel lists in the generic CSV layout of the CHIRP radio-programming tool, the format radio
// amateurs use to share nets, beacons and broadcast stations between radios and programs.
//
// Export writes one row per channel in use: Location is the channel index 0..603 in the grid's
// order, frequencies are in MHz with six decimals, and the Comment carries, after "KTV4", what
// the layout has no column for. Import reads the columns by their header name (any order, any
// case, unknown columns ignored), merges each usable row into its channel and reports every row
// it could not store, or stored with a value changed to fit the radio. Exported and imported
// again, into any table, the channels come back as they were. The mapping of every column is
// tabled in the README.

#include "base/FileStatus.h"
#include "model/Channel.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QStringList>
#include <optional>

namespace ktv4 {

// The header row the export writes.
const QStringList &chirpCsvHeader();

// `toneIndex` is the radio's Tone Frequency setting (a position in ToneNames): the one tone every
// channel with its tone flag on sends, written as rToneFreq.
QByteArray chirpCsvExportBytes(const ChannelTable &channels, int toneIndex);
FileResult exportChirpCsv(const QString &path, const ChannelTable &channels, int toneIndex);

// "7.050000" for 7050000 Hz.
QString chirpFrequencyText(qint64 hz);
// MHz text to Hz, exactly: digits, an optional point and up to six decimals (more only when they
// are zeros). Nothing for anything else.
std::optional<qint64> parseChirpFrequency(const QString &text);

// What happened to one row of the file that was not stored as it stood.
struct ChirpRowNote {
    int line = 0;     // the file's line on which the row starts
    QString location; // the row's Location field as written
    bool dropped = false;
    QStringList reasons;
};

struct ChirpImportReport {
    Q_DECLARE_TR_FUNCTIONS(ktv4::ChirpImportReport)

public:
    int imported = 0; // channels rows were stored into, the adjusted ones included
    int adjusted = 0; // rows stored with at least one value changed to fit the radio
    int dropped = 0;  // rows not stored
    int replaced = 0; // rows stored over an earlier row of the file for the same channel
    QList<ChirpRowNote> notes;

    // "Imported 12 channel(s) (2 adjusted), dropped 1 row(s)." and, when some rows named a channel
    // an earlier row named, ", 3 row(s) replaced an earlier row for the same channel".
    QString summary() const;
    // One line per note: "Line 4, Location 17: dropped: mode "DV" has no counterpart on the radio".
    QStringList noteLines() const;
};

struct ChirpImport {
    FileResult result; // a file that cannot be read, or is not in the layout, stores nothing
    ChirpImportReport report;
    ChannelTable channels; // the table with every stored row merged in
    QList<int> changed;    // the channels rows were stored into, ascending
};

// Merges the rows of `content` into a copy of `current`. A row whose Comment is this program's
// gives the channel its gain, AGC, power, filter, noise blanker and whole tone byte; from any
// other row a channel in use keeps its own, and an empty one takes defaults.
ChirpImport importChirpCsvBytes(const QByteArray &content, const ChannelTable &current, int toneIndex);
ChirpImport importChirpCsv(const QString &path, const ChannelTable &current, int toneIndex);

} // namespace ktv4
