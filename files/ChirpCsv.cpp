// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/ChirpCsv.h"

#include "files/CloneFile.h"
#include "model/ChannelNaming.h"
#include "model/FieldText.h"
#include "model/SettingsCodec.h"

#include <QCoreApplication>
#include <QHash>
#include <algorithm>

namespace ktv4 {

namespace {

// The reasons of the import report, in the window's language; the command line loads no
// translation and prints them as written here. The context is the one the translation tools give
// a tr() outside any class in this namespace.
QString tr(const char *text)
{
    return QCoreApplication::translate("ktv4", text);
}

constexpr int kNameLength = 7;

// The radio's modes (by mode code) and the words the other tool uses for them.
constexpr const char *kModeWords[] = {"USB", "LSB", "CW", "CWR", "AM", "FM"};

// Words of the other tool that the radio has only in a wider form: stored as that mode, and said so.
struct NearMode {
    const char *word;
    int mode;
};
constexpr NearMode kNearModes[] = {{"NFM", 5}, {"NAM", 4}};

// "88.5Hz" or "88.5" to tenths of a hertz; nothing when it is no tone.
std::optional<int> toneTenths(QString text)
{
    text = text.trimmed();
    if (text.endsWith(QLatin1String("Hz"), Qt::CaseInsensitive))
        text.chop(2);
    const std::optional<qint64> hz = parseChirpFrequency(text); // same digits rule, six decimals
    if (!hz || *hz % 100000 != 0)
        return std::nullopt;
    return int(*hz / 100000);
}

QString toneWord(int toneIndex)
{
    QString text = toneNames().value(toneIndex, toneNames().at(8));
    text.chop(2); // "Hz"
    return text;
}

// ---- CSV text: fields by RFC 4180 (quotes, doubled quotes, line ends inside quotes) ----

QByteArray csvField(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    if (bytes.contains(',') || bytes.contains('"') || bytes.contains('\n') || bytes.contains('\r'))
        bytes = '"' + bytes.replace("\"", "\"\"") + '"';
    return bytes;
}

void appendRow(QByteArray &out, const QStringList &fields)
{
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i)
            out += ',';
        out += csvField(fields[i]);
    }
    out += "\r\n";
}

struct CsvRow {
    int line = 0;
    QStringList fields;
};

// Splits the text into rows; fails with the line of a quoted field that never closes.
std::optional<QList<CsvRow>> splitRows(const QString &text, int &unclosedLine)
{
    QList<CsvRow> rows;
    CsvRow row;
    QString field;
    int line = 1;
    row.line = 1;
    bool quoted = false, fieldStarted = false;
    const qsizetype n = text.size();
    auto endField = [&] {
        row.fields << field;
        field.clear();
        fieldStarted = false;
    };
    auto endRow = [&] {
        endField();
        rows << row;
        row = CsvRow{};
        row.line = line;
    };
    int quoteLine = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == QLatin1Char('\n') || (c == QLatin1Char('\r') && (i + 1 >= n || text[i + 1] != '\n')))
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == QLatin1Char('"') && !fieldStarted) {
            quoted = fieldStarted = true;
            quoteLine = line;
        } else if (c == QLatin1Char(',')) {
            endField();
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
                ++i;
            ++line;
            endRow();
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (quoted) {
        unclosedLine = quoteLine;
        return std::nullopt;
    }
    if (fieldStarted || !field.isEmpty() || !row.fields.isEmpty())
        endRow();
    return rows;
}

bool isBlank(const CsvRow &row)
{
    return std::all_of(row.fields.cbegin(), row.fields.cend(),
                       [](const QString &f) { return f.trimmed().isEmpty(); });
}

// ---- import of one row ----

// The header's columns by lower-case name.
class Columns {
public:
    explicit Columns(const QStringList &header)
    {
        for (qsizetype i = 0; i < header.size(); ++i) {
            const QString name = header[i].trimmed().toLower();
            if (!m_index.contains(name)) // the first of two equal names counts
                m_index.insert(name, int(i));
        }
    }
    bool has(const char *name) const { return m_index.contains(QLatin1String(name)); }
    // The field trimmed; `raw` keeps the blanks (a name may end in one).
    QString field(const QStringList &fields, const char *name, bool raw = false) const
    {
        const int i = m_index.value(QLatin1String(name), -1);
        const QString f = i >= 0 && i < fields.size() ? fields[i] : QString();
        return raw ? f : f.trimmed();
    }

private:
    QHash<QString, int> m_index;
};

// The name as the radio can show it: upper case, accents taken off, characters without a code
// left out, at most seven characters.
QString radioName(const QString &name)
{
    QString out;
    for (const QChar c : name) {
        QChar u = c.toUpper();
        if (!isNameCodeChar(u) && !c.decomposition().isEmpty()) // "é" shows as "E"
            u = c.decomposition().at(0).toUpper();
        if (isNameCodeChar(u))
            out += u;
    }
    return out.left(kNameLength);
}

struct RowOutcome {
    std::optional<int> channel; // nothing: the row is dropped
    Channel stored;
    QStringList reasons;
};

RowOutcome mapRow(const Columns &cols, const QStringList &f, const ChannelTable &table, int toneIndex)
{
    RowOutcome out;
    auto drop = [&out](const QString &why) {
        out.channel.reset();
        out.reasons = {why};
        return out;
    };

    const QString location = cols.field(f, "location");
    bool ok = false;
    const int channel = location.toInt(&ok);
    if (!ok || channel < 0 || channel >= kChannelCount)
        return drop(tr("Location \"%1\" is not a channel 0 to 603").arg(location));

    const QString frequencyField = cols.field(f, "frequency");
    const std::optional<qint64> frequency = parseChirpFrequency(frequencyField);
    if (!frequency)
        return drop(
            tr("frequency \"%1\" is not a frequency in MHz with up to 6 decimals").arg(frequencyField));
    if (!isAcceptedFrequency(*frequency))
        return drop(tr("frequency %1 MHz is outside the radio's range, 0.030000 to 34.999999 MHz")
                        .arg(chirpFrequencyText(*frequency)));

    const QString modeField = cols.field(f, "mode").toUpper();
    int mode = -1;
    if (modeField.isEmpty()) {
        mode = 5;
        out.reasons << tr("no mode: FM, the other tool's default");
    }
    for (int m = 0; m < 6 && mode < 0; ++m) {
        if (modeField == QLatin1String(kModeWords[m]))
            mode = m;
    }
    for (const NearMode &near : kNearModes) {
        if (mode < 0 && modeField == QLatin1String(near.word)) {
            mode = near.mode;
            out.reasons << tr("mode %1 stored as %2").arg(modeField, fieldText(Mode(mode)));
        }
    }
    if (mode < 0)
        return drop(tr("mode \"%1\" has no counterpart on the radio").arg(cols.field(f, "mode")));

    // Transmit frequency: the same as the receive one unless the row says otherwise and the
    // radio can send there.
    qint64 split = *frequency;
    const QString duplex = cols.field(f, "duplex").toLower();
    const QString offsetField = cols.field(f, "offset");
    if (duplex == QLatin1String("split") || duplex == QLatin1String("+") || duplex == QLatin1String("-")) {
        const std::optional<qint64> offset = parseChirpFrequency(offsetField);
        if (!offset) {
            out.reasons << tr("offset \"%1\" is not a frequency: transmits on the receive frequency")
                               .arg(offsetField);
        } else {
            const qint64 tx = duplex == QLatin1String("split") ? *offset
                              : duplex == QLatin1String("+")   ? *frequency + *offset
                                                               : *frequency - *offset;
            if (isAcceptedFrequency(tx))
                split = tx;
            else
                out.reasons << tr("transmit frequency %1 MHz is outside the radio's range: transmits on the "
                                  "receive frequency")
                                   .arg(chirpFrequencyText(tx));
        }
    } else if (duplex == QLatin1String("off")) {
        out.reasons << tr("receive only (Duplex off) is not carried: transmits on the receive frequency");
    } else if (!duplex.isEmpty()) {
        out.reasons << tr("Duplex \"%1\" not understood: transmits on the receive frequency")
                           .arg(cols.field(f, "duplex"));
    }

    // The radio sends one tone, its Tone Frequency setting, on channels with the tone flag on.
    const QString toneMode = cols.field(f, "tone");
    const QString toneModeLower = toneMode.toLower();
    const QString crossMode = cols.field(f, "crossmode");
    bool toneOn = false;
    QString sentTone; // the column holding the tone the row sends
    if (toneModeLower == QLatin1String("tone")) {
        toneOn = true;
        sentTone = cols.field(f, "rtonefreq");
    } else if (toneModeLower == QLatin1String("tsql")) {
        toneOn = true;
        sentTone = cols.field(f, "ctonefreq");
        out.reasons << tr("tone squelch (TSQL) is not carried: the tone is sent, reception is not squelched");
    } else if (toneModeLower == QLatin1String("cross") && crossMode.startsWith(QLatin1String("Tone->"))) {
        toneOn = true;
        sentTone = cols.field(f, "rtonefreq");
        out.reasons << tr("cross mode %1 is not carried: only the sent tone is kept").arg(crossMode);
    } else if (!toneMode.isEmpty()) {
        out.reasons << tr("tone mode %1 is not carried: no tone").arg(toneMode);
    }
    if (toneOn && !sentTone.isEmpty()) {
        const std::optional<int> tenths = toneTenths(sentTone);
        if (tenths != toneTenths(toneWord(toneIndex)))
            out.reasons << tr("tone %1 Hz: the radio sends its Tone Frequency setting, %2 Hz")
                               .arg(sentTone, toneWord(toneIndex));
    }

    const QString skipField = cols.field(f, "skip");
    bool skip = false;
    if (skipField.compare(QLatin1String("S"), Qt::CaseInsensitive) == 0)
        skip = true;
    else if (skipField.compare(QLatin1String("P"), Qt::CaseInsensitive) == 0)
        out.reasons << tr("priority scan (P) is not carried: scanned like any channel");
    else if (!skipField.isEmpty())
        out.reasons << tr("Skip \"%1\" not understood: not skipped").arg(skipField);

    const QString nameField = cols.field(f, "name", true);
    const QString name = radioName(nameField);
    if (name != nameField.toUpper())
        out.reasons << tr("name \"%1\" stored as \"%2\"").arg(nameField, name);

    // The fields the layout has no column for stay as the channel holds them.
    // An empty channel comes into use as a new one.
    const Channel &before = table[channel];
    Channel &c = out.stored;
    c = before.inUse ? before : newChannel(qint32(*frequency), Mode(mode));
    c.frequency = qint32(*frequency);
    c.mode = Mode(mode);
    c.tone = toneOn;
    c.split = qint32(split);
    c.name = name;
    c.skip = skip;
    out.channel = channel;
    return out;
}

} // namespace

const QStringList &chirpCsvHeader()
{
    static const QStringList header{
        "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
        "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
        "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE"};
    return header;
}

QString chirpFrequencyText(qint64 hz)
{
    const QString sign = hz < 0 ? QStringLiteral("-") : QString();
    hz = qAbs(hz);
    return sign + QStringLiteral("%1.%2").arg(hz / 1000000).arg(hz % 1000000, 6, 10, QLatin1Char('0'));
}

std::optional<qint64> parseChirpFrequency(const QString &text)
{
    const QString t = text.trimmed();
    const qsizetype point = t.indexOf(QLatin1Char('.'));
    const QString whole = point < 0 ? t : t.left(point);
    QString decimals = point < 0 ? QString() : t.mid(point + 1);
    auto digitsOnly = [](const QString &s) {
        return std::all_of(s.cbegin(), s.cend(), [](QChar c) { return c >= '0' && c <= '9'; });
    };
    if ((whole.isEmpty() && decimals.isEmpty()) || !digitsOnly(whole) || !digitsOnly(decimals))
        return std::nullopt;
    while (decimals.size() > 6 && decimals.endsWith(QLatin1Char('0')))
        decimals.chop(1);
    if (decimals.size() > 6 || whole.size() > 9)
        return std::nullopt;
    qint64 hz = whole.isEmpty() ? 0 : whole.toLongLong();
    hz *= 1000000;
    if (!decimals.isEmpty())
        hz += decimals.leftJustified(6, QLatin1Char('0')).toLongLong();
    return hz;
}

QByteArray chirpCsvExportBytes(const ChannelTable &channels, int toneIndex)
{
    QByteArray out;
    appendRow(out, chirpCsvHeader());
    const QString tone = toneWord(toneIndex);
    for (int ch = 0; ch < kChannelCount; ++ch) {
        const Channel &c = channels[ch];
        if (!c.inUse)
            continue;
        const bool splitOn = c.split != c.frequency;
        appendRow(out, {QString::number(ch),
                        c.name,
                        chirpFrequencyText(c.frequency),
                        splitOn ? QStringLiteral("split") : QString(),
                        chirpFrequencyText(splitOn ? c.split : 0),
                        c.tone ? QStringLiteral("Tone") : QString(),
                        tone,
                        QStringLiteral("88.5"),
                        QStringLiteral("023"),
                        QStringLiteral("NN"),
                        QStringLiteral("023"),
                        QStringLiteral("Tone->Tone"),
                        QLatin1String(kModeWords[int(c.mode)]),
                        QStringLiteral("1.00"),
                        c.skip ? QStringLiteral("S") : QString(),
                        QString(),
                        bankCaption(ch) + QLatin1Char(' ') + channelCaption(ch),
                        QString(),
                        QString(),
                        QString(),
                        QString()});
    }
    return out;
}

FileResult exportChirpCsv(const QString &path, const ChannelTable &channels, int toneIndex)
{
    return saveWholeFile(path, chirpCsvExportBytes(channels, toneIndex));
}

QString ChirpImportReport::summary() const
{
    return tr("Imported %1 channel(s) (%2 adjusted), dropped %3 row(s).")
        .arg(imported)
        .arg(adjusted)
        .arg(dropped);
}

QStringList ChirpImportReport::noteLines() const
{
    QStringList lines;
    for (const ChirpRowNote &note : notes) {
        lines << tr("Line %1, Location %2: %3%4")
                     .arg(note.line)
                     .arg(note.location.isEmpty() ? tr("(none)") : note.location,
                          note.dropped ? tr("dropped: ") : QString(),
                          note.reasons.join(QStringLiteral("; ")));
    }
    return lines;
}

ChirpImport importChirpCsvBytes(const QByteArray &content, const ChannelTable &current, int toneIndex)
{
    ChirpImport import;
    import.channels = current;
    QString text = QString::fromUtf8(content);
    if (text.startsWith(QChar(0xFEFF))) // spreadsheets put a byte-order mark in front
        text.remove(0, 1);
    int unclosedLine = 0;
    const std::optional<QList<CsvRow>> rows = splitRows(text, unclosedLine);
    if (!rows) {
        import.result = {FileStatus::DataError,
                         tr("line %1: a quoted field is never closed").arg(unclosedLine)};
        return import;
    }
    qsizetype first = 0;
    while (first < rows->size() && isBlank(rows->at(first)))
        ++first;
    const Columns cols(first < rows->size() ? rows->at(first).fields : QStringList());
    if (!cols.has("location") || !cols.has("frequency")) {
        import.result = {FileStatus::DataError,
                         tr("the first row is not a CHIRP header: it needs Location and Frequency columns")};
        return import;
    }

    QHash<int, int> storedOnLine; // channel -> line of the row stored into it
    for (qsizetype r = first + 1; r < rows->size(); ++r) {
        const CsvRow &csvRow = rows->at(r);
        if (isBlank(csvRow))
            continue;
        RowOutcome outcome = mapRow(cols, csvRow.fields, import.channels, toneIndex);
        ChirpRowNote note{csvRow.line, cols.field(csvRow.fields, "location"), !outcome.channel,
                          outcome.reasons};
        if (!outcome.channel) {
            ++import.report.dropped;
        } else {
            const int ch = *outcome.channel;
            if (storedOnLine.contains(ch))
                note.reasons << tr("replaces the row of line %1 for the same channel").arg(storedOnLine[ch]);
            storedOnLine[ch] = csvRow.line;
            import.channels[ch] = outcome.stored;
            ++import.report.imported;
            if (!note.reasons.isEmpty())
                ++import.report.adjusted;
        }
        if (!note.reasons.isEmpty())
            import.report.notes << note;
    }
    import.changed = storedOnLine.keys();
    std::sort(import.changed.begin(), import.changed.end());
    return import;
}

ChirpImport importChirpCsv(const QString &path, const ChannelTable &current, int toneIndex)
{
    const FileRead read = readWholeFile(path, kCsvSizeLimit, FileStatus::FileOpenError);
    if (!read.result.ok()) {
        ChirpImport import;
        import.channels = current;
        import.result = read.result;
        return import;
    }
    return importChirpCsvBytes(read.bytes, current, toneIndex);
}

} // namespace ktv4
