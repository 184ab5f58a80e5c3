// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes given to the importer of the other tool's CSV layout, onto an empty table and onto one
// whose channels are in use: it must not crash, must store only channels a record can hold, must
// count what it stored, and what it stored must export and import again to the same channels.

#include "files/ChirpCsv.h"

#include <cstdlib>

using namespace ktv4;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void checkStored(const ChannelRow &row)
{
    const auto &c = row.cells;
    require(row.inUse);
    require(isAcceptedFrequency(qint64(c[ColFrequency].value)));
    require(c[ColMode].value >= 0 && c[ColMode].value <= 5);
    require(c[ColName].text.size() <= 8);
    for (const QChar ch : c[ColName].text)
        require(isNameCodeChar(ch));
    // What the table shows is what a record of it shows.
    ChannelRow decoded;
    require(decodeMemoryData(makeMemoryData(row), decoded) && decoded == row);
}

ChannelTable busyTable()
{
    ChannelTable table{};
    for (int ch = 0; ch < kChannelCount; ch += 3) {
        ChannelRow &row = table[ch];
        row.inUse = true;
        auto &c = row.cells;
        c[ColFrequency] = {7050000, frequencyText(7050000)};
        c[ColMode] = {1, modeNames().at(1)};
        c[ColGain] = {7, gainText(7)};
        c[ColAgc] = {3, agcText(3)};
        c[ColPwr] = {2, powerText(2)};
        c[ColFilter] = {9, filterText(9)};
        c[ColTone] = {0x85, toneText(0x85)};
        c[ColNb] = {4, nbText(4)};
        c[ColSplit] = {-5, frequencyText(-5)};
        c[ColSkip] = {1, skipText(1)};
    }
    return table;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    static const ChannelTable empty{};
    static const ChannelTable busy = busyTable();
    const int toneIndex = data[0] % 64; // beyond the 39 tones too
    const QByteArray content(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const ChannelTable &start = data[0] & 0x80 ? busy : empty;

    const ChirpImport import = importChirpCsvBytes(content, start, toneIndex);
    if (!import.result.ok()) {
        require(import.changed.isEmpty() && import.channels == start);
        return 0;
    }
    require(import.report.imported == import.changed.size());
    for (int ch = 0; ch < kChannelCount; ++ch) {
        if (import.changed.contains(ch))
            checkStored(import.channels[ch]);
        else
            require(import.channels[ch] == start[ch]);
    }

    // Exported and imported again into an empty table: the same channels.
    const ChirpImport again =
        importChirpCsvBytes(chirpCsvExportBytes(import.channels, toneIndex), empty, toneIndex);
    require(again.result.ok() && again.report.dropped == 0 && again.report.notes.isEmpty());
    for (int ch = 0; ch < kChannelCount; ++ch)
        require(again.channels[ch] == (import.channels[ch].inUse ? import.channels[ch] : empty[ch]));
    return 0;
}
