// Any bytes given to the CSV importer: it must not crash, must only store rows a channel record
// can hold, every stored row must come back from the channel record encoder column by column,
// and what it stored must export and import again to the same texts.

#include "files/CsvExchange.h"

#include <cstdlib>
#include <limits>

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

void checkThroughRecord(const ChannelRow &row)
{
    const auto &c = row.cells;
    const double frequency = c[ColFrequency].value;
    require(frequency > 0 && frequency <= std::numeric_limits<std::int32_t>::max());
    require(c[ColSplit].value == frequency);
    require(c[ColName].text.size() <= 7);

    ChannelRow decoded;
    require(decodeMemoryData(makeMemoryData(row), decoded));
    require(decoded.inUse);
    for (int col = 0; col < kChannelColumns; ++col) {
        if (col != ColName)
            require(decoded.cells[col].value == c[col].value);
    }
    for (const int col : {ColMode, ColGain, ColAgc, ColFilter, ColNb, ColSkip})
        require(decoded.cells[col].text == c[col].text);
    require(decoded.cells[ColFrequency].text == frequencyText(frequency));
    require(decoded.cells[ColName].text == recordName(c[ColName].text));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ChannelTable table{};
    const QByteArray content(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    importCsvBytes(content, table);
    for (const ChannelRow &row : table) {
        if (row.inUse)
            checkThroughRecord(row);
    }
    ChannelTable again{};
    const CsvImportResult reimport = importCsvBytes(csvExportBytes(table), again);
    require(reimport.result.ok());
    for (int ch = 0; ch < kChannelCount; ++ch) {
        require(again[ch].inUse == table[ch].inUse);
        // Double quotes cannot be written inside a quoted field and are left out.
        if (table[ch].inUse)
            require(again[ch].cells[ColName].text == QString(table[ch].cells[ColName].text).remove('"'));
    }
    return 0;
}
