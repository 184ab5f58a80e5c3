// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/CloneFile.h"

#include "files/FieldReader.h"
#include "model/FieldText.h"

namespace ktv4 {

namespace {

const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

FileResult failure(FileStatus status, const QString &detail)
{
    return {status, detail};
}

} // namespace

const QString &appTitle()
{
    static const QString title = QStringLiteral("Orvane KT-V4 Clone Utility");
    return title;
}

QString cloneHeaders(int row, int variant)
{
    static const char regions[] = {'J', 'T', 'E', 'A'};
    if (row < 0 || row > 3)
        return QString();
    return QStringLiteral("Orvane KT-V4 %1 Clone %2 FileStart")
        .arg(QLatin1Char(regions[row]))
        .arg(variant == 1 ? QLatin1Char('A') : QLatin1Char('0'));
}

const QString &cloneEndLine()
{
    static const QString line = QStringLiteral("Orvane  KT-V4   Clone  File  End");
    return line;
}

int headerRowForModel(int modelIndex)
{
    return modelIndex >= 0 && modelIndex <= 3 ? modelIndex : 3;
}

CloneLoadResult parseCloneFile(const QByteArray &content)
{
    CloneLoadResult load;
    FieldReader reader(content);
    QStringList records;
    records.reserve(kCloneFileLines);
    for (int line = 1; line <= kCloneFileLines; ++line) {
        std::optional<QString> field = reader.readField();
        if (!field) {
            load.result = failure(
                FileStatus::FileOpenError,
                QStringLiteral("the file ends after %1 of %2 lines").arg(line - 1).arg(kCloneFileLines));
            return load;
        }
        const int expected = (line == 1 || line == kCloneFileLines) ? 32 : 64;
        if (field->size() != expected) {
            load.result =
                failure(FileStatus::DataError, QStringLiteral("line %1 has %2 characters instead of %3")
                                                   .arg(line)
                                                   .arg(field->size())
                                                   .arg(expected));
            return load;
        }
        records << *field;
    }

    for (int row = 0; row < 4 && !load.header; ++row) {
        for (int variant = 0; variant < 2; ++variant) {
            if (records[0] == cloneHeaders(row, variant)) {
                load.header = HeaderMatch{row, variant == 1};
                break;
            }
        }
    }
    if (!load.header) {
        load.result = failure(FileStatus::DataError, QStringLiteral("unknown header line"));
        return load;
    }
    if (records.last() != cloneEndLine()) {
        load.result = failure(FileStatus::DataError, QStringLiteral("the end line is damaged"));
        return load;
    }

    // Every record is put into a fresh image, so nothing of the current image carries over.
    RadioImage &image = load.image;
    const SettingsDecodeResult settings =
        putSettingsRecords(image, parseRecordText(records[1]), parseRecordText(records[2]));
    if (!settings.ok) {
        load.result =
            failure(FileStatus::FileOpenError,
                    QStringLiteral("settings value out of range for %1").arg(settings.failedControl));
        return load;
    }
    for (int vfo = 0; vfo < kVfoCount; ++vfo) {
        if (!putVfoRecord(image, vfo, parseRecordText(records[3 + vfo]))) {
            load.result =
                failure(FileStatus::FileOpenError,
                        QStringLiteral("%1 (line %2) has an unknown mode").arg(vfoLabel(vfo)).arg(4 + vfo));
            return load;
        }
    }
    for (int ch = 0; ch < kChannelCount; ++ch) {
        if (!putChannelRecord(image, ch, parseRecordText(records[5 + ch]))) {
            load.result =
                failure(FileStatus::FileOpenError,
                        QStringLiteral("channel %1 (line %2) has an unknown mode").arg(ch).arg(6 + ch));
            return load;
        }
    }
    return load;
}

CloneLoadResult readCloneFile(const QString &path)
{
    FileRead read = readWholeFile(path, kCloneFileSizeLimit, FileStatus::DataError);
    if (!read.result.ok()) {
        CloneLoadResult load;
        load.result = read.result;
        if (read.result.status == FileStatus::DataError)
            load.result.detail += QStringLiteral("; a clone file has %1").arg(kCloneFileSize);
        return load;
    }
    return parseCloneFile(read.bytes);
}

QByteArray cloneFileBytes(const RadioImage &image, int modelIndex, bool variantA)
{
    QByteArray out;
    out.reserve(kCloneFileSize);
    auto line = [&out](QByteArrayView text) {
        out += text;
        out += kLineEnd;
    };
    line(cloneHeaders(headerRowForModel(modelIndex), variantA ? 1 : 0).toLatin1());
    for (const RecordBytes &record : imageRecords(image))
        line(recordHex(record));
    line(cloneEndLine().toLatin1());
    return out;
}

FileResult writeCloneFile(const QString &path, const RadioImage &image, int modelIndex, bool variantA)
{
    return saveWholeFile(path, cloneFileBytes(image, modelIndex, variantA));
}

} // namespace ktv4
