// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a memory file: every key checked, every fault named with its line, nothing applied
// before the whole file has passed.

#include "files/MemoryFile.h"
#include "files/MemoryFileKeys.h"
#include "files/YamlTree.h"
#include "model/ChannelNaming.h"
#include "model/FieldText.h"

#include <QHash>
#include <functional>

namespace ktv4 {

using namespace memoryfile;

namespace {

using Kind = YamlNode::Kind;

const QStringList kTopKeys{"format", "model", "variant", "settings", "vfo", "channels"};
const QStringList kVfoKeys{"frequency", "mode", "gain", "agc", "power", "filter", "tone", "nb", "raw"};
const QStringList kChannelKeys{"frequency", "mode", "gain",  "agc",  "power", "filter",
                               "tone",      "nb",   "split", "name", "skip",  "raw"};
const QStringList kBooleans{"true", "false"};

// The keys of one VFO or channel, as read; unset where the file says nothing.
struct EntryKeys {
    std::optional<qint32> frequency, split;
    std::optional<Mode> mode;
    std::optional<Gain> gain;
    std::optional<Agc> agc;
    std::optional<Power> power;
    std::optional<Filter> filter;
    std::optional<bool> tone, nb, skip;
    std::optional<QString> name;
    std::optional<RecordBytes> raw;
    int typedKeys = 0;

    void applyTo(RadioFields &f) const
    {
        f.frequency = frequency.value_or(f.frequency);
        f.mode = mode.value_or(f.mode);
        f.gain = gain.value_or(f.gain);
        f.agc = agc.value_or(f.agc);
        f.power = power.value_or(f.power);
        f.filter = filter.value_or(f.filter);
        f.tone = tone.value_or(f.tone);
        f.nb = nb.value_or(f.nb);
    }
};

class Reader {
public:
    Reader(const YamlTree &tree, const QString &name) : m_tree(tree), m_name(name) {}

    bool read(RadioImage &image, HeaderMatch &header);
    const QString &error() const { return m_error; }

private:
    using PairVisitor = std::function<bool(const QString &key, int keyNode, int value)>;

    bool fail(int node, const QString &text)
    {
        m_error = QStringLiteral("%1 line %2: %3").arg(m_name).arg(m_tree.node(node).line).arg(text);
        return false;
    }
    bool forEachPair(int map, const QString &where, const PairVisitor &visit);
    bool scalar(int node, const QString &key, QString &text);
    bool notOneOf(int node, const QString &key, const QString &text, const QStringList &accepted)
    {
        return fail(
            node,
            QStringLiteral("%1 \"%2\" is not one of %3").arg(key, text, accepted.join(QStringLiteral(", "))));
    }
    bool readTop(int root, QHash<QString, int> &sections);
    bool readHeader(const QHash<QString, int> &sections, HeaderMatch &header);
    bool readSettings(int node, RadioSettings &settings);
    bool readVfos(int node, RadioImage &image, int modelIndex);
    bool readChannels(int node, RadioImage &image);
    bool readChannel(int node, const QString &what, Channel &channel);
    bool readEntry(int node, const QString &what, bool isChannel, EntryKeys &keys);
    bool readEntryKey(const QString &key, int value, EntryKeys &keys);
    bool readFrequency(const QString &key, int value, qint64 limit, qint64 low, std::optional<qint32> &out);
    template <typename Field> bool readWord(const QString &key, int value, std::optional<Field> &out);
    bool readBool(const QString &key, int value, std::optional<bool> &out);
    bool readName(int value, std::optional<QString> &out);

    const YamlTree &m_tree;
    QString m_name;
    QString m_error;
};

bool Reader::forEachPair(int map, const QString &where, const PairVisitor &visit)
{
    const YamlNode &node = m_tree.node(map);
    if (node.kind == Kind::Null)
        return true;
    if (node.kind != Kind::Map)
        return fail(map, QStringLiteral("%1 must be a mapping of keys and values").arg(where));
    QHash<QString, int> seen;
    for (size_t i = 0; i + 1 < node.children.size(); i += 2) {
        const int key = node.children[i];
        if (m_tree.node(key).kind != Kind::Scalar)
            return fail(key, QStringLiteral("the keys of %1 must be words").arg(where));
        const QString text = m_tree.text(key);
        if (const auto first = seen.constFind(text); first != seen.cend())
            return fail(key, QStringLiteral("key \"%1\" of %2 appears twice (first on line %3)")
                                 .arg(text, where)
                                 .arg(m_tree.node(*first).line));
        seen.insert(text, key);
        if (!visit(text, key, node.children[i + 1]))
            return false;
    }
    return true;
}

bool Reader::scalar(int node, const QString &key, QString &text)
{
    const Kind kind = m_tree.node(node).kind;
    if (kind == Kind::Map || kind == Kind::Sequence)
        return fail(node, QStringLiteral("%1 takes a single value").arg(key));
    text = m_tree.text(node);
    return true;
}

bool Reader::read(RadioImage &image, HeaderMatch &header)
{
    if (m_tree.root < 0 || m_tree.node(m_tree.root).kind == Kind::Null) {
        m_error = QStringLiteral("%1: the file is empty").arg(m_name);
        return false;
    }
    QHash<QString, int> sections;
    if (!readTop(m_tree.root, sections) || !readHeader(sections, header))
        return false;
    installDefaults(image, header.modelIndex);
    image.channels.fill(Channel{});
    return (!sections.contains("settings") || readSettings(sections["settings"], image.settings)) &&
           (!sections.contains("vfo") || readVfos(sections["vfo"], image, header.modelIndex)) &&
           (!sections.contains("channels") || readChannels(sections["channels"], image));
}

bool Reader::readTop(int root, QHash<QString, int> &sections)
{
    if (m_tree.node(root).kind != Kind::Map)
        return fail(root, QStringLiteral("the file must be a mapping with the keys %1")
                              .arg(kTopKeys.join(QStringLiteral(", "))));
    return forEachPair(root, QStringLiteral("the file"), [&](const QString &key, int keyNode, int value) {
        if (!kTopKeys.contains(key))
            return fail(keyNode, QStringLiteral("unknown key \"%1\"; the keys are %2")
                                     .arg(key, kTopKeys.join(QStringLiteral(", "))));
        sections.insert(key, value);
        return true;
    });
}

bool Reader::readHeader(const QHash<QString, int> &sections, HeaderMatch &header)
{
    QString text;
    if (const int node = sections.value("format", -1); node >= 0) {
        if (!scalar(node, "format", text))
            return false;
        if (text != QString::number(kFormatVersion))
            return notOneOf(node, "format", text, {QString::number(kFormatVersion)});
    }
    header = HeaderMatch{kStartupModelOption, false};
    if (const int node = sections.value("model", -1); node >= 0) {
        if (!scalar(node, "model", text))
            return false;
        header.modelIndex = modelFromText(text);
        QStringList models;
        for (int option = 0; option < kModelOptionCount; ++option)
            models << modelOptionCaption(option);
        if (header.modelIndex < 0)
            return notOneOf(node, "model", text, models);
    }
    if (const int node = sections.value("variant", -1); node >= 0) {
        if (!scalar(node, "variant", text))
            return false;
        if (text.compare(QLatin1String("A"), Qt::CaseInsensitive) != 0 && text != QLatin1String("0"))
            return notOneOf(node, "variant", text, {"A", "0"});
        header.variantA = text != QLatin1String("0");
    }
    return true;
}

bool Reader::readSettings(int node, RadioSettings &settings)
{
    QStringList keys;
    for (const SettingKey &key : settingKeys())
        keys << QString::fromLatin1(key.key);
    keys << QStringLiteral("raw");
    QList<std::pair<const SettingKey *, int>> values;
    int raw = -1;
    const bool ok = forEachPair(node, "settings", [&](const QString &key, int keyNode, int value) {
        const qsizetype at = keys.indexOf(key);
        if (at < 0)
            return fail(keyNode, QStringLiteral("unknown key \"%1\" in settings; the keys are %2")
                                     .arg(key, keys.join(QStringLiteral(", "))));
        if (at == keys.size() - 1)
            raw = value;
        else
            values.append({&settingKeys()[size_t(at)], value});
        return true;
    });
    if (!ok)
        return false;
    if (raw >= 0) {
        const YamlNode &list = m_tree.node(raw);
        std::optional<RecordBytes> first, second;
        if (list.kind == Kind::Sequence && list.children.size() == 2) {
            first = rawRecordFrom(m_tree.text(list.children[0]));
            second = rawRecordFrom(m_tree.text(list.children[1]));
        }
        if (!first || !second)
            return fail(raw, QStringLiteral("settings raw must be two records of 64 hexadecimal digits"));
        const SettingsDecodeResult decoded = decodeSettings(*first, *second, settings);
        if (!decoded.ok)
            return fail(raw, QStringLiteral("settings raw holds a value outside the list of %1")
                                 .arg(findSetting(decoded.failedControl)
                                          ? findSetting(decoded.failedControl)->caption
                                          : QStringLiteral("IQ Shift(KHz)")));
    }
    for (const auto &[key, value] : std::as_const(values)) {
        const QString name = QString::fromLatin1(key->key);
        QString text;
        if (!scalar(value, name, text))
            return false;
        if (!key->setting) {
            const std::optional<int> shift = iqShiftFrom(text);
            if (!shift)
                return fail(value, QStringLiteral("iq_shift \"%1\" is not a shift from -24.00 to +24.00 "
                                                  "(kHz, at most two decimals)")
                                       .arg(text));
            settings.values.Slider1 = *shift;
            continue;
        }
        const std::optional<int> chosen = settingValueFrom(*key->setting, text);
        if (!chosen)
            return fail(
                value,
                QStringLiteral("%1 \"%2\" is not %3").arg(name, text, acceptedSettingValues(*key->setting)));
        settings.values.*key->setting->member = *chosen;
    }
    return true;
}

bool Reader::readVfos(int node, RadioImage &image, int modelIndex)
{
    return forEachPair(node, "vfo", [&](const QString &key, int keyNode, int value) {
        const int vfo = key == QLatin1String("A") ? 0 : key == QLatin1String("B") ? 1 : -1;
        if (vfo < 0)
            return fail(keyNode, QStringLiteral("unknown key \"%1\" in vfo; the keys are A, B").arg(key));
        const QString what = vfoLabel(vfo);
        EntryKeys keys;
        if (!readEntry(value, what, false, keys))
            return false;
        Vfo result = defaultVfo(modelIndex);
        if (keys.raw) {
            const std::optional<Vfo> decoded = decodeVfo(*keys.raw);
            if (!decoded)
                return fail(value, QStringLiteral("raw record of %1 has mode byte 0x%2, none of %3")
                                       .arg(what)
                                       .arg((*keys.raw)[1], 2, 16, QLatin1Char('0'))
                                       .arg(fieldNames<Mode>().join(QStringLiteral(", "))));
            result = *decoded;
        }
        keys.applyTo(result);
        image.vfos[vfo] = result;
        return true;
    });
}

bool Reader::readChannels(int node, RadioImage &image)
{
    QHash<int, int> listed; // channel -> its line
    return forEachPair(node, "channels", [&](const QString &key, int keyNode, int value) {
        const int ch = channelFromLabel(key);
        if (ch < 0)
            return fail(keyNode, QStringLiteral("\"%1\" is no channel; the channels are 0 to 199, A0 to "
                                                "A199, A-P1, A-P2, B0 to B199, B-P1, B-P2")
                                     .arg(key));
        if (listed.contains(ch))
            return fail(keyNode, QStringLiteral("channel %1 is listed twice (first on line %2)")
                                     .arg(csvChannelField(ch))
                                     .arg(listed[ch]));
        listed.insert(ch, m_tree.node(keyNode).line);
        return readChannel(value, QStringLiteral("channel ") + csvChannelField(ch), image.channels[ch]);
    });
}

bool Reader::readChannel(int node, const QString &what, Channel &channel)
{
    EntryKeys keys;
    if (!readEntry(node, what, true, keys))
        return false;
    if (keys.raw) {
        const std::optional<Channel> decoded = decodeChannel(*keys.raw);
        if (!decoded)
            return fail(node, QStringLiteral("raw record of %1 has mode byte 0x%2, none of %3")
                                  .arg(what)
                                  .arg((*keys.raw)[1], 2, 16, QLatin1Char('0'))
                                  .arg(fieldNames<Mode>().join(QStringLiteral(", "))));
        if (!decoded->inUse && keys.typedKeys > 0)
            return fail(node, QStringLiteral("raw record of %1 is a channel not in use, which takes no "
                                             "other keys")
                                  .arg(what));
        channel = *decoded;
    } else if (!keys.frequency || !keys.mode) {
        return fail(node, QStringLiteral("%1 has no %2").arg(what, keys.frequency ? "mode" : "frequency"));
    } else {
        channel = newChannel(*keys.frequency, *keys.mode);
    }
    if (!channel.inUse)
        return true;
    keys.applyTo(channel);
    channel.split = keys.split.value_or(channel.split);
    channel.name = keys.name.value_or(channel.name);
    channel.skip = keys.skip.value_or(channel.skip);
    return true;
}

bool Reader::readEntry(int node, const QString &what, bool isChannel, EntryKeys &keys)
{
    if (m_tree.node(node).kind != Kind::Map)
        return fail(node,
                    QStringLiteral("%1 must be a mapping such as {frequency: 7050000, mode: LSB}").arg(what));
    const QStringList &allowed = isChannel ? kChannelKeys : kVfoKeys;
    return forEachPair(node, what, [&](const QString &key, int keyNode, int value) {
        if (!allowed.contains(key))
            return fail(keyNode, QStringLiteral("unknown key \"%1\" in %2; the keys are %3")
                                     .arg(key, what, allowed.join(QStringLiteral(", "))));
        if (key == QLatin1String("raw")) {
            QString text;
            if (!scalar(value, key, text))
                return false;
            keys.raw = rawRecordFrom(text);
            return keys.raw ? true
                            : fail(value, QStringLiteral("raw \"%1\" is not a record of 64 "
                                                         "hexadecimal digits")
                                              .arg(text));
        }
        ++keys.typedKeys;
        return readEntryKey(key, value, keys);
    });
}

bool Reader::readEntryKey(const QString &key, int value, EntryKeys &keys)
{
    if (key == QLatin1String("frequency"))
        return readFrequency(key, value, kFrequencyLimit, kLowestFrequency, keys.frequency);
    if (key == QLatin1String("split"))
        return readFrequency(key, value, kSplitLimit, 0, keys.split);
    if (key == QLatin1String("mode"))
        return readWord(key, value, keys.mode);
    if (key == QLatin1String("gain"))
        return readWord(key, value, keys.gain);
    if (key == QLatin1String("agc"))
        return readWord(key, value, keys.agc);
    if (key == QLatin1String("power"))
        return readWord(key, value, keys.power);
    if (key == QLatin1String("filter"))
        return readWord(key, value, keys.filter);
    if (key == QLatin1String("name"))
        return readName(value, keys.name);
    return readBool(key, value,
                    key == QLatin1String("tone") ? keys.tone
                    : key == QLatin1String("nb") ? keys.nb
                                                 : keys.skip);
}

bool Reader::readFrequency(const QString &key, int value, qint64 limit, qint64 low,
                           std::optional<qint32> &out)
{
    QString text;
    if (!scalar(value, key, text))
        return false;
    const bool digits = !text.isEmpty() && text.size() <= 10 &&
                        std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); });
    if (!digits)
        return fail(value, QStringLiteral("%1 \"%2\" is not a whole number of hertz").arg(key, text));
    const qint64 hz = text.toLongLong();
    if (hz < low || hz >= limit)
        return fail(
            value,
            QStringLiteral("%1 %2 Hz is outside %3 to %4 Hz").arg(key).arg(hz).arg(low).arg(limit - 1));
    out = qint32(hz);
    return true;
}

template <typename Field> bool Reader::readWord(const QString &key, int value, std::optional<Field> &out)
{
    QString text;
    if (!scalar(value, key, text))
        return false;
    out = fieldFromText<Field>(text, Qt::CaseInsensitive);
    // A script may write the gain +10 as the number 10.
    if constexpr (std::is_same_v<Field, Gain>) {
        if (!out && text == QLatin1String("10"))
            out = Gain::Plus10;
    }
    return out ? true : notOneOf(value, key, text, fieldNames<Field>());
}

bool Reader::readBool(const QString &key, int value, std::optional<bool> &out)
{
    QString text;
    if (!scalar(value, key, text))
        return false;
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        out = true;
    else if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        out = false;
    else
        return notOneOf(value, key, text, kBooleans);
    return true;
}

bool Reader::readName(int value, std::optional<QString> &out)
{
    QString text;
    if (!scalar(value, QStringLiteral("name"), text))
        return false;
    if (text.size() > kNameLength)
        return fail(value, QStringLiteral("name \"%1\" is longer than the radio's %2 characters")
                               .arg(text)
                               .arg(kNameLength));
    if (!isValidName(text))
        return fail(value, QStringLiteral("name \"%1\" has characters the radio cannot show; it shows "
                                          "A-Z, 0-9, space and * # + - / \\ = ( ) $ _")
                               .arg(text));
    out = text;
    return true;
}

// The image as its records give it, so that a memory file and the clone file of the same records
// load to the very same image.
FileResult decodeRecords(const ImageRecords &records, const QString &name, RadioImage &image)
{
    const QString detail = QStringLiteral("%1: the records do not decode").arg(name);
    if (!putSettingsRecords(image, records[0], records[1]).ok)
        return {FileStatus::FileOpenError, detail};
    for (int v = 0; v < kVfoCount; ++v) {
        if (!putVfoRecord(image, v, records[2 + v]))
            return {FileStatus::FileOpenError, detail};
    }
    for (int ch = 0; ch < kChannelCount; ++ch) {
        if (!putChannelRecord(image, ch, records[kFirstChannelIndex + ch]))
            return {FileStatus::FileOpenError, detail};
    }
    return {};
}

} // namespace

CloneLoadResult parseMemoryFile(const QByteArray &content, const QString &name)
{
    CloneLoadResult load;
    const YamlParse parse = parseYaml(content);
    if (!parse.error.isEmpty()) {
        load.result = {
            FileStatus::FileOpenError,
            QStringLiteral("%1 line %2: not valid YAML: %3").arg(name).arg(parse.errorLine).arg(parse.error)};
        return load;
    }
    RadioImage image;
    HeaderMatch header;
    Reader reader(parse.tree, name);
    if (!reader.read(image, header)) {
        load.result = {FileStatus::FileOpenError, reader.error()};
        return load;
    }
    load.result = decodeRecords(imageRecords(image), name, load.image);
    if (load.result.ok())
        load.header = header;
    return load;
}

} // namespace ktv4
