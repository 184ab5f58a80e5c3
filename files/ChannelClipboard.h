// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Channels on the clipboard, and dragged: tab-separated text in the CSV file's columns, which a
// spreadsheet takes and gives back, and a private form that keeps each channel's record. Pasting
// fills channels from a place onwards: the private form exactly, text by the rules of a CSV import
// (a row the import would drop is skipped and counted).

#include "files/ImageChange.h"

#include <QByteArray>

class QMimeData;

namespace ktv4 {

inline constexpr char kChannelsMimeType[] = "application/x-ktv4clone-channels";

// One line per selected channel in use, the CSV file's eleven columns separated by tabs, CR LF.
QString channelsText(const ChannelTable &channels, const QList<int> &selection);
// The selected channels' records.
QByteArray channelsData(const ChannelTable &channels, const QList<int> &selection);
// Both forms, as the clipboard and a drag carry them.
QMimeData *channelsMimeData(const ChannelTable &channels, const QList<int> &selection);

struct PasteResult {
    ImageChange change; // without its text, which the caller gives
    int pasted = 0;     // channels filled
    int dropped = 0;    // rows an import would drop, and rows past the last channel
};

// Fills channels `at`, `at` + 1, ... from `data`: its private form when it has one, else its
// text, where a header row is passed over and lines may end in CR LF or LF.
PasteResult pasteChannels(const RadioImage &image, int at, const QMimeData &data);
PasteResult pasteChannelsText(const RadioImage &image, int at, const QString &text);

} // namespace ktv4
