// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/MemoryFileKeys.h"

#include "model/ChannelNaming.h"

#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <cctype>

namespace ktv4::memoryfile {

namespace {

// "Key Speed(WPM)" -> "key_speed", "U / D Key Repeat" -> "u_d_key_repeat".
QByteArray snakeCase(QString caption)
{
    caption.remove(QRegularExpression(QStringLiteral("\\(.*\\)")));
    QByteArray key;
    bool gap = false;
    for (const QChar c : caption.toLower()) {
        if (c.isLetterOrNumber()) {
            if (gap && !key.isEmpty())
                key += '_';
            key += char(c.unicode());
            gap = false;
        } else {
            gap = true;
        }
    }
    return key;
}

bool isNumber(const QString &text)
{
    return !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); });
}

QString hexByte(int value)
{
    return QStringLiteral("0x") +
           QString::number(value & 0xFF, 16).toUpper().rightJustified(2, QLatin1Char('0'));
}

} // namespace

const std::vector<SettingKey> &settingKeys()
{
    static const std::vector<SettingKey> keys = [] {
        std::vector<SettingKey> all;
        for (const SettingDescriptor &d : settingDescriptors())
            all.push_back({snakeCase(d.caption), &d});
        all.push_back({QByteArrayLiteral("iq_shift"), nullptr});
        return all;
    }();
    return keys;
}

QByteArray settingValueText(const SettingDescriptor &setting, int value)
{
    if (value < 0 || value >= setting.items.size())
        return hexByte(value).toLatin1();
    const QString item = setting.items[value].trimmed();
    return isNumber(item) ? QByteArray::number(item.toInt()) : item.toLatin1();
}

std::optional<int> settingValueFrom(const SettingDescriptor &setting, const QString &text)
{
    static const QRegularExpression hex(QStringLiteral("^0[xX]([0-9A-Fa-f]{1,2})$"));
    if (const QRegularExpressionMatch m = hex.match(text); m.hasMatch() && setting.keepsUnlistedByte)
        return m.captured(1).toInt(nullptr, 16);
    QString wanted = text;
    // YAML 1.1 tools read On and Off as booleans and may write them back as true and false.
    if (setting.items.contains(QLatin1String("On")) && setting.items.contains(QLatin1String("Off"))) {
        if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            wanted = QStringLiteral("On");
        else if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            wanted = QStringLiteral("Off");
    }
    const bool number = isNumber(wanted) && wanted.size() <= 4;
    for (qsizetype i = 0; i < setting.items.size(); ++i) {
        const QString item = setting.items[i].trimmed();
        if (number ? isNumber(item) && item.toInt() == wanted.toInt()
                   : item.compare(wanted, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return std::nullopt;
}

QString acceptedSettingValues(const SettingDescriptor &setting)
{
    QStringList items;
    bool numbers = true;
    for (const QString &item : setting.items) {
        items << item.trimmed();
        numbers = numbers && isNumber(items.last());
    }
    QString accepted;
    if (numbers && items.size() > 4) {
        const int first = items.first().toInt(), step = items[1].toInt() - first;
        accepted = step == 1 ? QStringLiteral("a number from %1 to %2").arg(first).arg(items.last())
                             : QStringLiteral("a number from %1 to %2 in steps of %3")
                                   .arg(first)
                                   .arg(items.last())
                                   .arg(step);
    } else {
        accepted = QStringLiteral("one of ") + items.join(QStringLiteral(", "));
    }
    if (setting.keepsUnlistedByte)
        accepted += QStringLiteral(", or a byte from 0x00 to 0xFF");
    return accepted;
}

QByteArray iqShiftValueText(int shift)
{
    return iqShiftText(shift).toLatin1();
}

std::optional<int> iqShiftFrom(const QString &text)
{
    static const QRegularExpression decimal(QStringLiteral("^([+-]?)(\\d{1,2})(?:\\.(\\d{1,2}))?$"));
    const QRegularExpressionMatch m = decimal.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const int hundredths = m.captured(3).leftJustified(2, QLatin1Char('0')).toInt();
    const int magnitude = m.captured(2).toInt() * 100 + hundredths;
    if (magnitude > kIQShiftMax)
        return std::nullopt;
    return m.captured(1) == QLatin1String("-") ? -magnitude : magnitude;
}

QString rawOnlyReason(const RecordBytes &r, bool isChannel)
{
    if (isChannel && !isInUseStatus(r[0]))
        return QStringLiteral("a channel not in use, kept as it came");
    struct Code {
        const char *field;
        int offset;
        int count;
    };
    static const Code codes[] = {{"mode", 1, kModeCount}, {"gain", 2, 4},   {"agc", 3, 2},
                                 {"power", 4, 3},         {"filter", 6, 2}, {"nb", 9, 2}};
    for (const Code &code : codes) {
        if (r[code.offset] >= code.count)
            return QStringLiteral("%1 byte %2 is none of its codes")
                .arg(QLatin1String(code.field), hexByte(r[code.offset]));
    }
    const qint32 frequency = readInt32(r, 16);
    if (!isAcceptedFrequency(frequency))
        return QStringLiteral("frequency %1 Hz is outside 30000 to 34999999").arg(frequency);
    const qint32 split = readInt32(r, 28);
    if (isChannel && (split < 0 || split >= kSplitLimit))
        return QStringLiteral("split %1 Hz is outside 0 to 99999999").arg(split);
    return QString();
}

RecordBytes typedChannelRecord(const Channel &channel)
{
    Channel clean = channel;
    clean.base = {};
    clean.inUse = true;
    return encodeChannel(clean);
}

RecordBytes typedVfoRecord(const RadioFields &fields, int modelIndex)
{
    Vfo vfo = defaultVfo(modelIndex);
    static_cast<RadioFields &>(vfo) = fields;
    return encodeVfo(vfo);
}

RecordBytes typedSettingsRecord(const SettingsValues &values, int block)
{
    static const RadioSettings fresh = defaultSettings();
    RadioSettings settings = fresh;
    settings.values = values;
    return encodeSettings(settings, block);
}

QString differingBytes(const RecordBytes &a, const RecordBytes &b)
{
    QStringList ranges;
    for (int i = 0; i < kRecordBytes; ++i) {
        if (a[i] == b[i])
            continue;
        int last = i;
        while (last + 1 < kRecordBytes && a[last + 1] != b[last + 1])
            ++last;
        ranges << (last == i ? QString::number(i) : QStringLiteral("%1-%2").arg(i).arg(last));
        i = last;
    }
    return ranges.join(QStringLiteral(", "));
}

std::optional<RecordBytes> rawRecordFrom(const QString &text)
{
    if (text.size() != kRecordChars)
        return std::nullopt;
    for (const QChar c : text) {
        if (c.unicode() > 0x7F || !std::isxdigit(c.toLatin1()))
            return std::nullopt;
    }
    return parseRecordText(text);
}

int modelFromText(const QString &text)
{
    for (int option = 0; option < kModelOptionCount; ++option) {
        if (text.compare(modelOptionCaption(option), Qt::CaseInsensitive) == 0)
            return option;
    }
    return -1;
}

int channelFromLabel(const QString &label)
{
    static const QHash<QString, int> channels = [] {
        QHash<QString, int> all;
        for (int ch = 0; ch < kChannelCount; ++ch)
            all.insert(csvChannelField(ch), ch);
        return all;
    }();
    QString compact = label.toUpper();
    compact.remove(QLatin1Char(' '));
    return channels.value(compact, -1);
}

} // namespace ktv4::memoryfile
