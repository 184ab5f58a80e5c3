// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/CsvExchange.h"

#include "files/CloneFile.h"
#include "files/FieldReader.h"
#include "model/ChannelNaming.h"
#include "model/FieldText.h"

#include <QCoreApplication>
#include <bitset>
#include <cmath>
#include <variant>

namespace ktv4 {

namespace {

const QStringList kHeader{"MODEL", "BANK",   "CHANNEL", "FREQUENCY", "MODE", "GAIN",
                          "AGC",   "FILTER", "NB",      "NAME",      "SKIP"};

constexpr int kFirstA = 200;
constexpr int kCsvNameLength = 8;
constexpr int kFirstB = 402;

void appendRow(QByteArray &out, const QStringList &fields)
{
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i)
            out += ',';
        out += '"';
        // A double quote cannot stand inside a quoted field; a name imported from a foreign
        // file may hold one, and writing it would cut the row apart when read back.
        QByteArray field = fields[i].toLatin1();
        if (field.contains('"'))
            field.replace('"', QByteArray());
        out += field;
        out += '"';
    }
    out += "\r\n";
}

// Rounds to the nearest integer, halves to even; nothing when outside 16-bit signed range.
std::optional<int> toInt16(double value)
{
    const double r = std::nearbyint(value);
    if (!std::isfinite(r) || r < -32768 || r > 32767)
        return std::nullopt;
    return static_cast<int>(r);
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The frequency code of a FREQUENCY field: its digits in order, as one decimal number. Nothing
// when there is none, or when it is not an accepted frequency; a number of any length is judged
// without wrapping around, and a minus sign before the first digit makes it negative.
std::optional<long long> frequencyCode(const QString &field)
{
    long long code = 0;
    bool seenDigit = false;
    for (const QChar c : field) {
        if (c == QLatin1Char('-') && !seenDigit)
            return std::nullopt;
        if (!isDigit(c))
            continue;
        seenDigit = true;
        code = code * 10 + (c.unicode() - '0');
        if (code >= kFrequencyLimit)
            return std::nullopt;
    }
    if (!isAcceptedFrequency(code))
        return std::nullopt;
    return code;
}

// Upper case for the a-z of the file only: other bytes keep their value, so every text the
// importer stores can be exported as it is.
QString upperAscii(QByteArrayView bytes)
{
    QString text = QString::fromLatin1(bytes.data(), bytes.size());
    for (QChar &c : text) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
    }
    return text;
}

// Whether the field, upper-cased as above, is `upper`; looked at in place, since most fields of
// a file are not the row start this asks about.
bool isUpperAscii(QByteArrayView field, QByteArrayView upper)
{
    if (field.size() != upper.size())
        return false;
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field[i] >= 'a' && field[i] <= 'z' ? char(field[i] - 32) : field[i];
        if (c != upper[i])
            return false;
    }
    return true;
}

// Bank rows: "A12", "A-P1"; `offset` 200 or 402, `priority` the index of P1, `last` the highest row.
std::optional<int> resolveBank(const QString &field, int offset, int priority, int last)
{
    if (field.size() == 1)
        return std::nullopt;
    if (field.mid(1, 2) == QLatin1String("-P")) {
        const QChar which = field.size() > 3 ? field[3] : QChar();
        if (which == QLatin1Char('1'))
            return priority;
        if (which == QLatin1Char('2'))
            return priority + 1;
        return -1;
    }
    if (!isDigit(field[1]))
        return -1;
    const std::optional<int> r = toInt16(leadingNumber(field.mid(1)) + offset);
    if (!r)
        return std::nullopt;
    return *r > last ? -1 : *r;
}

} // namespace

double leadingNumber(const QString &text)
{
    QString number;
    bool seenDigit = false, seenPoint = false, seenSign = false;
    for (const QChar c : text) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t'))
            continue;
        if ((c == QLatin1Char('-') || c == QLatin1Char('+')) && !seenSign && !seenDigit && !seenPoint) {
            seenSign = true;
            number += c;
        } else if (isDigit(c)) {
            seenDigit = true;
            number += c;
        } else if (c == QLatin1Char('.') && !seenPoint) {
            seenPoint = true;
            number += c;
        } else {
            break;
        }
    }
    if (!seenDigit)
        return 0;
    return number.toDouble();
}

std::optional<int> resolveCsvChannel(const QString &field)
{
    const QChar first = field.at(0);
    if (first == QLatin1Char('A'))
        return resolveBank(field, kFirstA, 400, 399);
    if (first == QLatin1Char('B'))
        return resolveBank(field, kFirstB, 602, 603);
    if (isDigit(first)) {
        const std::optional<int> r = toInt16(leadingNumber(field));
        if (!r)
            return std::nullopt;
        return *r > 199 ? -1 : *r;
    }
    return -1;
}

QByteArray csvExportBytes(const ChannelTable &channels)
{
    QByteArray out;
    appendRow(out, kHeader);
    for (int ch = 0; ch < kChannelCount; ++ch) {
        const Channel &c = channels[ch];
        if (!c.inUse)
            continue;
        appendRow(out, {"KT-V4", "MEMORY", csvChannelField(ch), frequencyText(c.frequency), fieldText(c.mode),
                        fieldText(c.gain), fieldText(c.agc), fieldText(c.filter), onOffText(c.nb), c.name,
                        skipText(c.skip)});
    }
    return out;
}

FileResult exportCsv(const QString &path, const ChannelTable &channels)
{
    return saveWholeFile(path, csvExportBytes(channels));
}

namespace {

// The eight fields after CHANNEL, upper case: FREQUENCY, MODE, GAIN, AGC, FILTER, NB, NAME, SKIP.
using RowFields = std::array<QString, 8>;

// Stores one row into `row`, or says why it is dropped; a gain outside 16 bits fails the import.
std::variant<std::monostate, CsvDropReason, FileResult> storeRow(const RowFields &f, Channel &c)
{
    const QString &frequencyField = f[0], &modeField = f[1], &gainField = f[2], &agcField = f[3],
                  &filterField = f[4], &nbField = f[5], &skipField = f[7];

    const std::optional<long long> code = frequencyCode(frequencyField);
    if (!code)
        return CsvDropReason::Frequency;
    const auto frequency = qint32(*code);

    std::optional<Mode> mode = fieldFromText<Mode>(modeField);
    if (modeField == QLatin1String("IQ"))
        mode = Mode::FM;
    if (!mode)
        return CsvDropReason::Mode;

    const std::optional<int> g = toInt16(leadingNumber(gainField));
    if (!g)
        return FileResult{FileStatus::FileOpenError,
                          QStringLiteral("gain \"%1\" is out of range").arg(gainField)};
    const Gain gain = *g < -10 ? Gain::Minus20 : *g < 0 ? Gain::Minus10 : *g == 0 ? Gain::Zero : Gain::Plus10;

    // The words are compared in upper case.
    const std::optional<Agc> agc = fieldFromText<Agc>(agcField, Qt::CaseInsensitive);
    if (!agc)
        return CsvDropReason::Agc;
    const std::optional<Filter> filter = fieldFromText<Filter>(filterField, Qt::CaseInsensitive);
    if (!filter)
        return CsvDropReason::Filter;

    // The file has no power, tone or split: a channel in use keeps its own; an empty one comes
    // into use as a new one, on High, tone off and its own frequency.
    if (!c.inUse)
        c = newChannel(frequency, *mode);
    c.frequency = frequency;
    c.mode = *mode;
    c.gain = gain;
    c.agc = *agc;
    c.filter = *filter;
    c.nb = nbField == QLatin1String("ON");
    // The record holds 8 name characters; an exported name comes back whole.
    c.name = f[6].left(kCsvNameLength);
    c.skip = skipField == QLatin1String("SKIP") || skipField == QLatin1String("ON");
    return std::monostate();
}

enum class RowEnd { Complete, Unclosed, Truncated };

// The row's fields after its channel, upper-cased. Unclosed: its line ended inside a field, so
// the row's other fields are not on it; Truncated: the file ended inside the row.
RowEnd readRowFields(FieldReader &reader, RowFields &fields)
{
    for (QString &text : fields) {
        const std::optional<QByteArrayView> field = reader.readFieldBytes();
        if (!field)
            return RowEnd::Truncated;
        text = upperAscii(*field);
        if (reader.lastFieldUnclosed())
            return RowEnd::Unclosed;
    }
    return RowEnd::Complete;
}

} // namespace

CsvImportResult importCsvBytes(const QByteArray &content, ChannelTable &channels)
{
    CsvImportResult import;
    FieldReader reader(content, FieldReader::Quotes::WithinLine);
    auto fail = [&import](const FileResult &why) {
        import.result = why;
        return import;
    };
    const FileResult truncated{FileStatus::FileOpenError, QStringLiteral("the file ends inside a row")};
    auto drop = [&import](CsvDropReason why) { ++import.dropped[int(why)]; };
    std::bitset<kChannelCount> stored;

    while (!reader.atEnd()) {
        const std::optional<QByteArrayView> model = reader.readFieldBytes();
        if (!model)
            continue;
        if (reader.lastFieldUnclosed()) {
            // A row of this radio whose first quote never closed; anything else is a foreign line.
            if (upperAscii(*model).startsWith(QLatin1String("KT-V4")))
                drop(CsvDropReason::Quote);
            continue;
        }
        if (!isUpperAscii(*model, "KT-V4"))
            continue;
        const std::optional<QByteArrayView> bank = reader.readFieldBytes();
        if (!bank)
            return fail(truncated);
        if (reader.lastFieldUnclosed()) {
            drop(CsvDropReason::Quote);
            continue;
        }
        if (!isUpperAscii(*bank, "MEMORY"))
            continue;
        const std::optional<QByteArrayView> channel = reader.readFieldBytes();
        if (!channel)
            return fail(truncated);
        if (reader.lastFieldUnclosed()) {
            drop(CsvDropReason::Quote);
            continue;
        }
        if (channel->isEmpty()) {
            drop(CsvDropReason::Channel);
            continue;
        }
        const std::optional<int> r = resolveCsvChannel(upperAscii(*channel));
        if (!r)
            return fail(
                {FileStatus::FileOpenError, QStringLiteral("channel \"%1\" is not a channel number")
                                                .arg(QString::fromLatin1(channel->data(), channel->size()))});
        if (*r < 0) {
            drop(CsvDropReason::Channel);
            continue;
        }

        RowFields f;
        const RowEnd end = readRowFields(reader, f);
        if (end == RowEnd::Truncated)
            return fail(truncated);
        if (end == RowEnd::Unclosed) {
            drop(CsvDropReason::Quote);
            continue;
        }
        const auto outcome = storeRow(f, channels[*r]);
        if (const auto *failure = std::get_if<FileResult>(&outcome))
            return fail(*failure);
        if (const auto *why = std::get_if<CsvDropReason>(&outcome)) {
            drop(*why);
            continue;
        }
        ++import.rowsStored;
        stored.set(std::size_t(*r));
        import.channelsStored = int(stored.count());
    }
    return import;
}

int CsvImportResult::rowsDropped() const
{
    int n = 0;
    for (const int d : dropped)
        n += d;
    return n;
}

QString csvImportSummary(const CsvImportResult &import)
{
    auto count = [](const char *text, int n) {
        return QCoreApplication::translate("ktv4::CsvImport", text, nullptr, n);
    };
    QString imported =
        import.channelsStored == 0
            ? QCoreApplication::translate("ktv4::CsvImport", "No channel was imported")
            : count(QT_TRANSLATE_N_NOOP("ktv4::CsvImport", "%n channel(s) imported"), import.channelsStored);
    if (const int replaced = import.rowsStored - import.channelsStored; replaced > 0)
        imported += QStringLiteral(" (%1)").arg(count(
            QT_TRANSLATE_N_NOOP("ktv4::CsvImport", "%n row(s) replaced an earlier row for the same channel"),
            replaced));
    const int dropped = import.rowsDropped();
    if (dropped == 0) {
        if (import.rowsStored == 0)
            return QCoreApplication::translate(
                "ktv4::CsvImport", "No channel was imported: the file holds no KT-V4 memory row.");
        return imported + QLatin1Char('.');
    }
    static const char *const reasons[kCsvDropReasons] = {
        QT_TRANSLATE_N_NOOP("ktv4::CsvImport", "%n naming no channel"),
        QT_TRANSLATE_N_NOOP("ktv4::CsvImport", "%n with no frequency or one outside 30 kHz to 35 MHz"),
        QT_TRANSLATE_N_NOOP("ktv4::CsvImport", "%n with an unknown mode"),
        QT_TRANSLATE_N_NOOP("ktv4::CsvImport", "%n with an unknown AGC"),
        QT_TRANSLATE_N_NOOP("ktv4::CsvImport", "%n with an unknown filter"),
        QT_TRANSLATE_N_NOOP("ktv4::CsvImport", "%n with a quote left open at the end of its line"),
    };
    QStringList why;
    for (int i = 0; i < kCsvDropReasons; ++i) {
        if (import.dropped[i])
            why << count(reasons[i], import.dropped[i]);
    }
    return imported + QStringLiteral("; ") +
           count(QT_TRANSLATE_N_NOOP("ktv4::CsvImport", "%n row(s) dropped"), dropped) +
           QStringLiteral(": ") + why.join(QStringLiteral(", ")) + QLatin1Char('.');
}

CsvImportResult importCsv(const QString &path, ChannelTable &channels)
{
    const FileRead read = readWholeFile(path, kCsvSizeLimit, FileStatus::FileOpenError);
    if (!read.result.ok()) {
        CsvImportResult import;
        import.result = read.result;
        return import;
    }
    return importCsvBytes(read.bytes, channels);
}

} // namespace ktv4
