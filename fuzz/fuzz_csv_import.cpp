// Any bytes given to the CSV importer: it must not crash, must only store rows it can describe,
// and what it stored must export and import again to the same texts.

#include "files/CsvExchange.h"

#include <cstdlib>

using namespace ktv4;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ChannelTable table{};
    const QByteArray content(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    importCsvBytes(content, table);
    for (const ChannelRow &row : table) {
        if (row.inUse && (row.cells[ColFrequency].value <= 0 || row.cells[ColName].text.size() > 7))
            std::abort();
    }
    ChannelTable again{};
    const CsvImportResult reimport = importCsvBytes(csvExportBytes(table), again);
    if (!reimport.result.ok())
        std::abort();
    for (int ch = 0; ch < kChannelCount; ++ch) {
        if (again[ch].inUse != table[ch].inUse)
            std::abort();
        // Double quotes cannot be written inside a quoted field and are left out.
        if (table[ch].inUse &&
            again[ch].cells[ColName].text != QString(table[ch].cells[ColName].text).remove('"'))
            std::abort();
    }
    return 0;
}
