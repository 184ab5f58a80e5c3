// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/MemoryFile.h"

#include "base/FileAccess.h"
#include "files/ImageFile.h"
#include "files/MemoryFileKeys.h"
#include "model/ChannelNaming.h"
#include "model/FieldText.h"

#include <QDir>
#include <QRegularExpression>

namespace ktv4 {

using namespace memoryfile;

namespace {

const QByteArray kHeaderComment =
    QByteArrayLiteral("# KT-V4 memory as text. A save writes this layout again and keeps no comments.\n");
constexpr int kChannelLabelWidth = 5; // "B199:"
constexpr int kVfoLabelWidth = 2;     // "A:"

QByteArray boolText(bool value)
{
    return value ? QByteArrayLiteral("true") : QByteArrayLiteral("false");
}

// Plain when every YAML reader takes it as this very text: a letter first, letters, digits and
// inner blanks only, and no word older readers take for a boolean or nothing. Else single-quoted
// (the radio's characters hold no quote to escape).
QByteArray nameText(const QString &name)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Z]([A-Z0-9 ]*[A-Z0-9])?$"));
    static const QRegularExpression special(QStringLiteral("^(Y|N|YES|NO|ON|OFF|TRUE|FALSE|NULL)$"));
    if (plain.match(name).hasMatch() && !special.match(name).hasMatch())
        return name.toLatin1();
    return '\'' + name.toLatin1() + '\'';
}

// A record's hex in single quotes: every YAML reader takes it as text (never as a number, as
// 64 digits without a letter would be), and yaml-cpp scans it faster than a plain word.
QByteArray rawText(const RecordBytes &record)
{
    return '\'' + recordHex(record) + '\'';
}

// "byte 0", "bytes 5, 10-15"
QByteArray bytesText(const RecordBytes &a, const RecordBytes &b)
{
    const QString offsets = differingBytes(a, b);
    const bool one = !offsets.contains(QLatin1Char(',')) && !offsets.contains(QLatin1Char('-'));
    return (one ? "byte " : "bytes ") + offsets.toLatin1();
}

QByteArray fieldsText(const RadioFields &f)
{
    return "frequency: " + QByteArray::number(f.frequency) + ", mode: " + fieldText(f.mode).toLatin1() +
           ", gain: " + fieldText(f.gain).toLatin1() + ", agc: " + fieldText(f.agc).toLatin1() +
           ", power: " + fieldText(f.power).toLatin1() + ", filter: " + fieldText(f.filter).toLatin1() +
           ", tone: " + boolText(f.tone) + ", nb: " + boolText(f.nb);
}

QByteArray channelText(const Channel &c)
{
    return fieldsText(c) + ", split: " + QByteArray::number(c.split) + ", name: " + nameText(c.name) +
           ", skip: " + boolText(c.skip);
}

// One VFO or channel on one line: typed keys where they say the record, `raw:` where they do not.
void appendEntry(QByteArray &out, const QString &label, int width, const RecordBytes &record,
                 const QByteArray &typed, const RecordBytes &typedRecord, const QString &rawReason)
{
    out += "  " + (label + QLatin1Char(':')).leftJustified(width).toLatin1() + " {";
    if (!rawReason.isEmpty()) {
        out += "raw: " + rawText(record) + "}  # " + rawReason.toLatin1() + '\n';
        return;
    }
    out += typed;
    if (typedRecord == record) {
        out += "}\n";
        return;
    }
    out += ", raw: " + rawText(record) + "}  # raw keeps " + bytesText(record, typedRecord) +
           " that no key covers\n";
}

void appendSettings(QByteArray &out, const RecordBytes &record1, const RecordBytes &record2)
{
    RadioSettings settings;
    decodeSettings(record1, record2, settings); // the records of an image always decode
    out += "settings:\n";
    for (const SettingKey &key : settingKeys()) {
        out += "  " + key.key + ": ";
        out += key.setting ? settingValueText(*key.setting, settings.values.*key.setting->member)
                           : iqShiftValueText(settings.values.Slider1);
        out += '\n';
    }
    const RecordBytes typed1 = typedSettingsRecord(settings.values, 1);
    const RecordBytes typed2 = typedSettingsRecord(settings.values, 2);
    if (typed1 == record1 && typed2 == record2)
        return;
    QStringList kept;
    if (typed1 != record1)
        kept << bytesText(record1, typed1) + " of the first record";
    if (typed2 != record2)
        kept << bytesText(record2, typed2) + " of the second";
    out += "  raw: [" + rawText(record1) + ", " + rawText(record2) + "]  # raw keeps " +
           kept.join(QStringLiteral(" and ")).toLatin1() + " that no setting covers\n";
}

void appendVfos(QByteArray &out, const ImageRecords &records, int modelIndex)
{
    out += "vfo:\n";
    for (int v = 0; v < kVfoCount; ++v) {
        const RecordBytes &record = records[2 + v];
        const QString label = v == 0 ? QStringLiteral("A") : QStringLiteral("B");
        const QString reason = rawOnlyReason(record, false);
        const std::optional<Vfo> vfo = decodeVfo(record);
        if (!reason.isEmpty() || !vfo) {
            appendEntry(out, label, kVfoLabelWidth, record, {}, {}, reason);
            continue;
        }
        appendEntry(out, label, kVfoLabelWidth, record, fieldsText(*vfo), typedVfoRecord(*vfo, modelIndex),
                    {});
    }
}

void appendChannels(QByteArray &out, const ImageRecords &records)
{
    const RecordBytes empty{};
    QByteArray lines;
    for (int ch = 0; ch < kChannelCount; ++ch) {
        const RecordBytes &record = records[kFirstChannelIndex + ch];
        if (record == empty)
            continue; // a channel not listed is empty
        const QString reason = rawOnlyReason(record, true);
        const std::optional<Channel> channel = decodeChannel(record);
        if (!reason.isEmpty() || !channel)
            appendEntry(lines, csvChannelField(ch), kChannelLabelWidth, record, {}, {}, reason);
        else
            appendEntry(lines, csvChannelField(ch), kChannelLabelWidth, record, channelText(*channel),
                        typedChannelRecord(*channel), {});
    }
    out += lines.isEmpty() ? QByteArrayLiteral("channels: {}\n") : "channels:\n" + lines;
}

} // namespace

QByteArray memoryFileBytes(const RadioImage &image, int modelIndex, bool variantA)
{
    const ImageRecords records = imageRecords(image);
    const int model = headerRowForModel(modelIndex);
    QByteArray out;
    out.reserve(128 * 1024);
    out += kHeaderComment;
    out += "format: " + QByteArray::number(kFormatVersion) + '\n';
    out += "model: " + modelOptionCaption(model).toLatin1() + '\n';
    if (variantA)
        out += "variant: A\n";
    appendSettings(out, records[0], records[1]);
    appendVfos(out, records, model);
    appendChannels(out, records);
    return out;
}

CloneLoadResult readMemoryFile(const QString &path)
{
    FileRead read = readWholeFile(path, kMemoryFileSizeLimit, FileStatus::FileOpenError);
    if (!read.result.ok()) {
        CloneLoadResult load;
        load.result = read.result;
        return load;
    }
    return parseMemoryFile(read.bytes, QDir::toNativeSeparators(path));
}

QStringList yamlComments(const QByteArray &content)
{
    QStringList comments;
    char quote = 0; // the quote a scalar is open in, across lines
    for (const QByteArray &line : content.split('\n')) {
        for (qsizetype i = 0; i < line.size(); ++i) {
            const char c = line[i];
            if (quote) {
                if (quote == '"' && c == '\\')
                    ++i;
                else if (c == quote && !(quote == '\'' && i + 1 < line.size() && line[i + 1] == '\''))
                    quote = 0;
                else if (c == quote)
                    ++i; // '' inside single quotes
            } else if ((c == '"' || c == '\'') &&
                       (i == 0 || QByteArrayLiteral(" \t{[,:").contains(line[i - 1]))) {
                quote = c;
            } else if (c == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t')) {
                comments << QString::fromUtf8(line.mid(i + 1)).trimmed();
                break;
            }
        }
    }
    return comments;
}

bool memoryFileHasOwnComments(const QString &path)
{
    if (imageFormatForPath(path) != ImageFormat::MemoryFile)
        return false;
    const FileRead read = readWholeFile(path, kMemoryFileSizeLimit, FileStatus::FileOpenError);
    if (!read.result.ok())
        return false;
    QStringList written = yamlComments(kHeaderComment);
    const CloneLoadResult load = parseMemoryFile(read.bytes, path);
    if (load.result.ok())
        written = yamlComments(memoryFileBytes(load.image, load.header->modelIndex, load.header->variantA));
    for (const QString &comment : yamlComments(read.bytes)) {
        if (!written.removeOne(comment))
            return true;
    }
    return false;
}

} // namespace ktv4
