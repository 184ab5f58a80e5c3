// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/ChannelClipboard.h"

#include "files/FieldReader.h"

#include "files/CsvExchange.h"
#include "model/ChannelNaming.h"

#include <QDataStream>
#include <QIODevice>
#include <QMimeData>

namespace ktv4 {

namespace {

// The private form: this version, the number of channels, then each channel's record as 64 hex
// digits, so a channel comes back exactly as it was copied.
constexpr quint32 kDataVersion = 2;

// The CSV export's rows of the selected channels, as lists of fields.
QList<QStringList> exportedRows(const ChannelTable &channels, const QList<int> &selection)
{
    ChannelTable selected;
    for (int channel : selection) {
        if (channel >= 0 && channel < kChannelCount)
            selected[channel] = channels[channel];
    }
    // Every field of an exported row is quoted and holds no quote, so the rows split plainly.
    QList<QStringList> rows;
    const QList<QByteArray> lines = csvExportBytes(selected).split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QByteArray line = lines[i].trimmed();
        if (line.size() < 2)
            continue;
        rows << QString::fromLatin1(line.mid(1, line.size() - 2)).split(QStringLiteral("\",\""));
    }
    return rows;
}

// The rows of text copied from a spreadsheet or a text editor: cells between tabs, quoted as
// spreadsheets quote them; blank lines and the header row left out.
QList<QStringList> textRows(const QString &text)
{
    QList<QStringList> rows;
    for (const FieldRow &row : splitSharedRows(text, QLatin1Char('\t'))) {
        const QStringList &cells = row.fields;
        if (cells.join(QString()).trimmed().isEmpty())
            continue;
        if (cells.first().trimmed().compare(QLatin1String("MODEL"), Qt::CaseInsensitive) == 0)
            continue; // the header row
        rows << cells;
    }
    return rows;
}

// The row as a one-row CSV file naming `channel`, for the importer.
QByteArray csvRow(const QStringList &cells, int channel)
{
    QByteArray out;
    for (int i = 0; i < 11; ++i) {
        if (i)
            out += ',';
        const QString field = i == 2 ? csvChannelField(channel) : cells.value(i);
        out += '"' + field.toLatin1().replace('"', QByteArray()) + '"';
    }
    return out + "\r\n";
}

std::optional<QList<Channel>> decodeData(const QByteArray &data)
{
    QDataStream in(data);
    quint32 version = 0, count = 0;
    in >> version >> count;
    if (version != kDataVersion || count > quint32(kChannelCount))
        return std::nullopt;
    QList<Channel> channels;
    for (quint32 i = 0; i < count; ++i) {
        QByteArray hex;
        in >> hex;
        std::optional<Channel> channel = decodeChannel(parseRecordText(QString::fromLatin1(hex)));
        if (hex.size() != kRecordChars || !channel)
            return std::nullopt;
        channels << *channel;
    }
    if (in.status() != QDataStream::Ok)
        return std::nullopt;
    return channels;
}

} // namespace

QString channelsText(const ChannelTable &channels, const QList<int> &selection)
{
    QString text;
    for (const QStringList &row : exportedRows(channels, selection))
        text += row.join(QLatin1Char('\t')) + QStringLiteral("\r\n");
    return text;
}

QByteArray channelsData(const ChannelTable &channels, const QList<int> &selection)
{
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out << kDataVersion << quint32(selection.size());
    for (int channel : selection)
        out << recordHex(encodeChannel(channels[channel]));
    return data;
}

QMimeData *channelsMimeData(const ChannelTable &channels, const QList<int> &selection)
{
    auto *mime = new QMimeData;
    mime->setText(channelsText(channels, selection));
    mime->setData(QLatin1String(kChannelsMimeType), channelsData(channels, selection));
    return mime;
}

PasteResult pasteChannelsText(const RadioImage &image, int at, const QString &text)
{
    PasteResult result;
    RadioImage after = image;
    int channel = at;
    for (const QStringList &cells : textRows(text)) {
        if (channel >= kChannelCount) {
            ++result.dropped;
            continue;
        }
        // The importer's own rules decide; a row it refuses changes nothing.
        ChannelTable trial = after.channels;
        const CsvImportResult import = importCsvBytes(csvRow(cells, channel), trial);
        if (!import.result.ok() || import.rowsStored != 1) {
            ++result.dropped;
            continue;
        }
        after.channels[channel] = trial[channel];
        ++channel;
        ++result.pasted;
    }
    result.change = ImageChange::between(image, after, QString());
    return result;
}

PasteResult pasteChannels(const RadioImage &image, int at, const QMimeData &data)
{
    const std::optional<QList<Channel>> copied = data.hasFormat(QLatin1String(kChannelsMimeType))
                                                     ? decodeData(data.data(QLatin1String(kChannelsMimeType)))
                                                     : std::nullopt;
    if (!copied)
        return pasteChannelsText(image, at, data.text());
    PasteResult result;
    const int fits = std::clamp(kChannelCount - at, 0, int(copied->size()));
    result.pasted = fits;
    result.dropped = int(copied->size()) - fits;
    result.change = ImageChange::channels(image, at, copied->mid(0, fits), QString());
    return result;
}

} // namespace ktv4
