#pragma once
// CSV export and import of the memory channels (settings and VFOs are not part of it).
//
// Export: a header row and one row per channel in use, eleven quoted fields, CR LF.
// Import: scans the file field by field, so header rows and foreign fields are passed over, and
// merges every acceptable KT-V4 row into the table; channels the file does not name keep theirs.

#include "files/FileStatus.h"
#include "model/ChannelCodec.h"

#include <QByteArray>

namespace ktv4 {

QByteArray csvExportBytes(const ChannelTable &channels);
FileResult exportCsv(const QString &path, const ChannelTable &channels);

struct CsvImportResult {
    FileResult result;
    int rowsStored = 0;
};

// Rows stored before a failure stay in the table (the file is merged row by row).
CsvImportResult importCsv(const QString &path, ChannelTable &channels);
CsvImportResult importCsvBytes(const QByteArray &content, ChannelTable &channels);

// The CHANNEL field resolved to a table index: -1 drops the row, std::nullopt is an error
// (a bank letter alone, or a number outside 16-bit range).
std::optional<int> resolveCsvChannel(const QString &field);

// The number at the start of a text: blanks ignored, optional sign, digits and one decimal point;
// 0 when the text does not start with a number.
double leadingNumber(const QString &text);

} // namespace ktv4
