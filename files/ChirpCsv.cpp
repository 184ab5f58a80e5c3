// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/ChirpCsv.h"

#include "files/FieldReader.h"

#include "files/CloneFile.h"
#include "model/ChannelNaming.h"
#include "model/FieldText.h"
#include "model/SettingsCodec.h"

#include <QCoreApplication>
#include <QHash>
#include <algorithm>
#include <array>
#include <limits>

namespace ktv4 {

namespace {

// The reasons of the import report, in the window's language; the command line loads no
// translation and prints them as written here. The context is the one the translation tools give
// a tr() outside any class in this namespace.
QString tr(const char *text)
{
    return QCoreApplication::translate("ktv4", text);
}

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

// The radio's Tone Frequency setting may hold a byte that is none of its 39 tones.
bool isListedTone(int toneIndex)
{
    return toneIndex >= 0 && toneIndex < toneNames().size();
}

// The tone the other tool is told the radio sends: the setting, or the layout's default 88.5 when
// the setting is no listed tone (the Comment of a channel with its tone on then says which byte).
QString toneWord(int toneIndex)
{
    QString text = toneNames().at(isListedTone(toneIndex) ? toneIndex : 8);
    text.chop(2); // "Hz"
    return text;
}

QString hexByte(int value)
{
    return QStringLiteral("0x%1").arg(value & 0xFF, 2, 16, QLatin1Char('0'));
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

bool isBlank(const FieldRow &row)
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

// ---- the Comment: what the layout has no column for ----
//
// Export writes "KTV4 gain=1 agc=1 pwr=2 filter=1 nb=1 tone=0x85 txtone=0x40 split=35000000; Memory
// A 15CH": the mark, then each value the columns cannot say (bytes of the record, given when not 0;
// the whole tone byte when bits other than the tone flag are set; the Tone Frequency setting when
// it is no listed tone and the channel sends it; the split when the radio could not send on it),
// then the channel's caption for people. Import takes such a Comment as the channel's own values.

const QString kCommentMark = QStringLiteral("KTV4");

struct ByteKey {
    const char *key;
    ChannelByte byte;
};
constexpr ByteKey kByteKeys[] = {{"gain", ChannelByte::Gain},
                                 {"agc", ChannelByte::Agc},
                                 {"pwr", ChannelByte::Power},
                                 {"filter", ChannelByte::Filter},
                                 {"nb", ChannelByte::Nb}};

struct CommentValues {
    bool ours = false;                                // the Comment starts with the mark
    std::array<int, std::size(kByteKeys)> bytes = {}; // 0 when not given
    std::optional<int> tone;
    std::optional<int> txTone;
    std::optional<qint64> split;
    QStringList unknown; // tokens not understood
};

QString exportComment(int ch, const Channel &c, int toneIndex)
{
    QStringList tokens{kCommentMark};
    for (const ByteKey &k : kByteKeys) {
        if (const int value = channelByte(c, k.byte); value != 0)
            tokens << QStringLiteral("%1=%2").arg(QLatin1String(k.key)).arg(value);
    }
    const int tone = channelByte(c, ChannelByte::Tone);
    if ((tone & ~kToneOnBit) != 0)
        tokens << QStringLiteral("tone=") + hexByte(tone);
    if ((tone & kToneOnBit) != 0 && !isListedTone(toneIndex))
        tokens << QStringLiteral("txtone=") + hexByte(toneIndex);
    if (!isAcceptedFrequency(c.split))
        tokens << QStringLiteral("split=%1").arg(c.split);
    return tokens.join(QLatin1Char(' ')) + QStringLiteral("; ") + bankCaption(ch) + QLatin1Char(' ') +
           channelCaption(ch);
}

bool readCommentValue(CommentValues &values, const QString &key, const QString &value)
{
    bool ok = false;
    if (key == QLatin1String("split")) {
        const qint64 hz = value.toLongLong(&ok);
        ok = ok && hz >= std::numeric_limits<std::int32_t>::min() &&
             hz <= std::numeric_limits<std::int32_t>::max();
        if (ok)
            values.split = hz;
        return ok;
    }
    if (key == QLatin1String("tone") || key == QLatin1String("txtone")) {
        const int byte = value.startsWith(QLatin1String("0x")) ? value.mid(2).toInt(&ok, 16) : -1;
        if (!ok || byte < 0 || byte > 0xFF)
            return false;
        (key == QLatin1String("tone") ? values.tone : values.txTone) = byte;
        return true;
    }
    for (std::size_t i = 0; i < std::size(kByteKeys); ++i) {
        if (key == QLatin1String(kByteKeys[i].key)) {
            const int byte = value.toInt(&ok);
            if (!ok || byte < 0 || byte > 0xFF)
                return false;
            values.bytes[i] = byte;
            return true;
        }
    }
    return false;
}

// A Comment that does not start with the mark is someone else's and says nothing.
CommentValues readComment(const QString &comment)
{
    CommentValues values;
    const QStringList tokens =
        comment.section(QLatin1Char(';'), 0, 0).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (tokens.value(0) != kCommentMark)
        return values;
    values.ours = true;
    for (const QString &token : tokens.mid(1)) {
        if (!readCommentValue(values, token.section(QLatin1Char('='), 0, 0),
                              token.section(QLatin1Char('='), 1)))
            values.unknown << token;
    }
    return values;
}

// ---- import of one row ----

// The name as the radio can show it: upper case, accents taken off, characters without a code
// left out, at most eight characters.
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

std::optional<Mode> modeOf(const QString &field, QStringList &reasons)
{
    const QString word = field.toUpper();
    if (word.isEmpty()) {
        reasons << tr("no mode: FM, the other tool's default");
        return Mode::FM;
    }
    for (int m = 0; m < kModeCount; ++m) {
        if (word == QLatin1String(kModeWords[m]))
            return Mode(m);
    }
    for (const NearMode &near : kNearModes) {
        if (word == QLatin1String(near.word)) {
            reasons << tr("mode %1 stored as %2").arg(word, fieldText(Mode(near.mode)));
            return Mode(near.mode);
        }
    }
    return std::nullopt;
}

// Where the channel transmits: where Duplex and Offset say when the radio can send there, else
// on the split the Comment carries, else on the receive frequency.
qint64 transmitFrequency(const Columns &cols, const QStringList &f, qint64 frequency,
                         const CommentValues &comment, QStringList &reasons)
{
    const QString duplex = cols.field(f, "duplex").toLower();
    const QString offsetField = cols.field(f, "offset");
    if (duplex == QLatin1String("split") || duplex == QLatin1String("+") || duplex == QLatin1String("-")) {
        const std::optional<qint64> offset = parseChirpFrequency(offsetField);
        const std::optional<qint64> tx = !offset                            ? std::nullopt
                                         : duplex == QLatin1String("split") ? offset
                                         : duplex == QLatin1String("+") ? std::optional(frequency + *offset)
                                                                        : std::optional(frequency - *offset);
        if (tx && isAcceptedFrequency(*tx))
            return *tx;
        if (comment.split)
            return *comment.split;
        if (!tx)
            reasons << tr("offset \"%1\" is not a frequency: transmits on the receive frequency")
                           .arg(offsetField);
        else
            reasons << tr("transmit frequency %1 MHz is outside the radio's range: transmits on the receive "
                          "frequency")
                           .arg(chirpFrequencyText(*tx));
    } else if (duplex == QLatin1String("off")) {
        reasons << tr("receive only (Duplex off) is not carried: transmits on the receive frequency");
    } else if (!duplex.isEmpty()) {
        reasons << tr("Duplex \"%1\" not understood: transmits on the receive frequency")
                       .arg(cols.field(f, "duplex"));
    }
    return frequency;
}

// Whether the channel sends the tone. The radio sends one tone, its Tone Frequency setting, on
// every channel with the tone flag on; a row that sends another is reported.
bool toneOf(const Columns &cols, const QStringList &f, int toneIndex, const CommentValues &comment,
            QStringList &reasons)
{
    const QString toneMode = cols.field(f, "tone");
    const QString toneModeLower = toneMode.toLower();
    const QString crossMode = cols.field(f, "crossmode");
    QString sentTone; // the column holding the tone the row sends
    if (toneModeLower == QLatin1String("tone")) {
        sentTone = cols.field(f, "rtonefreq");
    } else if (toneModeLower == QLatin1String("tsql")) {
        sentTone = cols.field(f, "ctonefreq");
        reasons << tr("tone squelch (TSQL) is not carried: the tone is sent, reception is not squelched");
    } else if (toneModeLower == QLatin1String("cross") && crossMode.startsWith(QLatin1String("Tone->"))) {
        sentTone = cols.field(f, "rtonefreq");
        reasons << tr("cross mode %1 is not carried: only the sent tone is kept").arg(crossMode);
    } else {
        if (!toneMode.isEmpty())
            reasons << tr("tone mode %1 is not carried: no tone").arg(toneMode);
        return false;
    }
    if (sentTone.isEmpty())
        return true;
    if (!isListedTone(toneIndex)) {
        // The setting names no tone: only a row of this program, saying so, sends what it sends.
        if (comment.txTone != toneIndex)
            reasons << tr("tone %1 Hz: the radio sends its Tone Frequency setting, byte %2, which is no "
                          "listed tone")
                           .arg(sentTone, hexByte(toneIndex));
    } else if (toneTenths(sentTone) != toneTenths(toneWord(toneIndex))) {
        reasons << tr("tone %1 Hz: the radio sends its Tone Frequency setting, %2 Hz")
                       .arg(sentTone, toneWord(toneIndex));
    }
    return true;
}

struct RowOutcome {
    std::optional<int> channel; // nothing: the row is dropped
    Channel stored;
    QStringList reasons;
};

// The channel before the row's own columns are laid over it. The values the layout has no
// column for come from the Comment when it is this program's, else as the channel holds them;
// an empty channel comes into use as a new one. The tone byte's other bits likewise.
Channel uncarried(const Channel &before, const CommentValues &comment, qint32 frequency, Mode mode)
{
    Channel c = before.inUse ? before : newChannel(frequency, mode);
    if (comment.ours) {
        for (std::size_t i = 0; i < std::size(kByteKeys); ++i)
            c = withChannelByte(c, kByteKeys[i].byte, quint8(comment.bytes[i]));
        c = withChannelByte(c, ChannelByte::Tone,
                            quint8((comment.tone.value_or(0) & ~kToneOnBit) |
                                   (channelByte(c, ChannelByte::Tone) & kToneOnBit)));
    }
    return c;
}

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
    const std::optional<Mode> mode = modeOf(cols.field(f, "mode"), out.reasons);
    if (!mode)
        return drop(tr("mode \"%1\" has no counterpart on the radio").arg(cols.field(f, "mode")));

    const CommentValues comment = readComment(cols.field(f, "comment"));
    for (const QString &token : comment.unknown)
        out.reasons << tr("Comment value \"%1\" not understood: left out").arg(token);
    const qint64 split = transmitFrequency(cols, f, *frequency, comment, out.reasons);
    const bool toneOn = toneOf(cols, f, toneIndex, comment, out.reasons);

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

    Channel &c = out.stored;
    c = uncarried(table[channel], comment, qint32(*frequency), *mode);
    c.frequency = qint32(*frequency);
    c.mode = *mode;
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
        // A split below 0 Hz has no offset the other tool can hold; the Comment carries it.
        appendRow(out, {QString::number(ch),
                        c.name,
                        chirpFrequencyText(c.frequency),
                        splitOn ? QStringLiteral("split") : QString(),
                        chirpFrequencyText(splitOn ? std::max<qint64>(c.split, 0) : 0),
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
                        exportComment(ch, c, toneIndex),
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
    QString text = tr("Imported %n channel(s)", nullptr, imported) + QStringLiteral(" (") +
                   tr("%n adjusted", nullptr, adjusted) + QStringLiteral("), ") +
                   tr("dropped %n row(s)", nullptr, dropped);
    if (replaced > 0)
        text += QStringLiteral(", ") +
                tr("%n row(s) replaced an earlier row for the same channel", nullptr, replaced);
    return text + QLatin1Char('.');
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
    const QList<FieldRow> rows = splitSharedRows(text, QLatin1Char(','));
    qsizetype first = 0;
    while (first < rows.size() && isBlank(rows.at(first)))
        ++first;
    const Columns cols(first < rows.size() ? rows.at(first).fields : QStringList());
    if (!cols.has("location") || !cols.has("frequency")) {
        import.result = {FileStatus::DataError,
                         tr("the first row is not a CHIRP header: it needs Location and Frequency columns")};
        return import;
    }

    QHash<int, int> storedOnLine; // channel -> line of the row stored into it
    for (qsizetype r = first + 1; r < rows.size(); ++r) {
        const FieldRow &csvRow = rows.at(r);
        if (isBlank(csvRow))
            continue;
        RowOutcome outcome;
        if (csvRow.unclosed)
            outcome.reasons << tr("a quoted field is never closed: the row ends with its line");
        else
            outcome = mapRow(cols, csvRow.fields, import.channels, toneIndex);
        ChirpRowNote note{csvRow.line, cols.field(csvRow.fields, "location"), !outcome.channel,
                          outcome.reasons};
        if (!outcome.channel) {
            ++import.report.dropped;
        } else {
            const int ch = *outcome.channel;
            if (!note.reasons.isEmpty())
                ++import.report.adjusted;
            if (storedOnLine.contains(ch)) {
                note.reasons << tr("replaces the row of line %1 for the same channel").arg(storedOnLine[ch]);
                ++import.report.replaced;
            }
            storedOnLine[ch] = csvRow.line;
            import.channels[ch] = outcome.stored;
        }
        if (!note.reasons.isEmpty())
            import.report.notes << note;
    }
    import.report.imported = int(storedOnLine.size());
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
