// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes given to the CSV importer: it must not crash, must only store rows a channel record
// can hold, every stored row must come back from the channel record encoder column by column,
// and what it stored must export and import again to the same texts.

#include "files/CsvExchange.h"

#include <cstdlib>
#include <span>

using namespace ktv4;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// The name as a record keeps it: up to its first character that has no name code.
QString recordName(const QString &name)
{
    qsizetype n = 0;
    while (n < name.size() && nameCodeFor(name[n]) >= 0)
        ++n;
    return name.left(n);
}

void checkThroughRecord(const Channel &c)
{
    require(isAcceptedFrequency(c.frequency));
    // The table starts empty: a channel's first row gives it High, Off and its own frequency as
    // split, and later rows for the same channel keep them.
    require(isAcceptedFrequency(c.split));
    require(c.power == Power::High && !c.tone);
    require(c.name.size() <= 8); // the 8 name characters a record holds

    const std::optional<Channel> decoded = decodeChannel(encodeChannel(c));
    require(decoded && decoded->inUse);
    Channel expected = c;
    expected.name = recordName(c.name);
    expected.base = decoded->base;
    require(*decoded == expected);
}

// Two empty tables kept from run to run: building and freeing 604 rows of texts twice a run cost
// more than importing most inputs. The importer writes only the rows it stores into, and marks
// them in use; those are emptied again at the end of a run.
ChannelTable g_table{};
ChannelTable g_again{};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ChannelTable &table = g_table;
    ChannelTable &again = g_again;
    const QByteArray content = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    importCsvBytes(content, table);
    int inUse[kChannelCount];
    int count = 0;
    for (int ch = 0; ch < kChannelCount; ++ch) {
        if (table[ch].inUse) {
            checkThroughRecord(table[ch]);
            inUse[count++] = ch;
        }
    }

    // The export brings back the same channels: each is written once, so `count` stores that
    // include every channel in use are exactly those channels.
    const CsvImportResult reimport = importCsvBytes(csvExportBytes(table), again);
    require(reimport.result.ok() && reimport.rowsStored == count);
    for (const int ch : std::span(inUse, count)) {
        require(again[ch].inUse);
        // Double quotes cannot be written inside a quoted field and are left out.
        const QString &name = table[ch].name;
        require(again[ch].name == (name.contains('"') ? QString(name).remove('"') : name));
        table[ch] = Channel{};
        again[ch] = Channel{};
    }
    return 0;
}
