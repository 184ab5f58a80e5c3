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

void checkStored(const Channel &c)
{
    require(c.inUse);
    require(isAcceptedFrequency(c.frequency));
    require(isValidName(c.name));
    // What the table holds is what its record holds.
    require(decodeChannel(encodeChannel(c)) == c);
}

// Every third channel in use, with codes no list names, a tone byte with other bits and a split
// below 0 Hz.
ChannelTable busyTable()
{
    ChannelTable table{};
    for (int ch = 0; ch < kChannelCount; ch += 3) {
        Channel c = newChannel(7'050'000, Mode::LSB);
        c.split = -5;
        c.skip = true;
        for (const auto &[byte, code] : {std::pair{ChannelByte::Gain, 7},
                                         {ChannelByte::Agc, 3},
                                         {ChannelByte::Power, 2},
                                         {ChannelByte::Filter, 9},
                                         {ChannelByte::Tone, 0x85},
                                         {ChannelByte::Nb, 4}})
            c = withChannelByte(c, byte, quint8(code));
        table[ch] = c;
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

    // Exported and imported again into an empty table: the same records (the busy table's
    // channels hold no byte the layout and its Comment do not carry).
    const ChirpImport again =
        importChirpCsvBytes(chirpCsvExportBytes(import.channels, toneIndex), empty, toneIndex);
    require(again.result.ok() && again.report.dropped == 0 && again.report.notes.isEmpty());
    for (int ch = 0; ch < kChannelCount; ++ch)
        require(import.channels[ch].inUse
                    ? encodeChannel(again.channels[ch]) == encodeChannel(import.channels[ch])
                    : again.channels[ch] == empty[ch]);
    return 0;
}
