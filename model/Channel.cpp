// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Channel.h"

#include <algorithm>

namespace ktv4 {

namespace {

constexpr quint8 kStatusInUse = 0x80;
constexpr quint8 kStatusSkipped = 0x88;
constexpr int kNameOffset = 20;
constexpr int kFrequencyOffset = 16;
constexpr int kSplitOffset = 28;

// The punctuation of the name code, from byte 0x54 up.
constexpr char16_t kNamePunctuation[] = u" *#+-/\\=()$_";

// Bytes 1..9 and 16..19, shared by channels and VFOs.
std::optional<RadioFields> decodeFields(const RecordBytes &b)
{
    if (b[1] >= kModeCount)
        return std::nullopt;
    RadioFields f;
    f.mode = Mode(b[1]);
    f.gain = b[2] <= 2 ? Gain(b[2]) : Gain::Plus10;
    f.agc = b[3] == 0 ? Agc::Fast : Agc::Slow;
    f.power = b[4] <= 1 ? Power(b[4]) : Power::SLow;
    f.filter = b[6] == 0 ? Filter::Wide : Filter::Narrow;
    f.tone = (b[7] & kToneOnBit) != 0;
    f.nb = b[9] != 0;
    f.frequency = readInt32(b, kFrequencyOffset);
    return f;
}

// Writes each field of `f` that differs from `was` (what `b` decodes to), leaving the rest of `b`.
void layFields(const RadioFields &f, const std::optional<RadioFields> &was, RecordBytes &b)
{
    const auto differs = [&was](auto member, const RadioFields &now) {
        return !was || (*was).*member != now.*member;
    };
    if (differs(&RadioFields::mode, f))
        b[1] = quint8(f.mode);
    if (differs(&RadioFields::gain, f))
        b[2] = quint8(f.gain);
    if (differs(&RadioFields::agc, f))
        b[3] = quint8(f.agc);
    if (differs(&RadioFields::power, f))
        b[4] = quint8(f.power);
    if (differs(&RadioFields::filter, f))
        b[6] = quint8(f.filter);
    if (differs(&RadioFields::tone, f))
        b[7] = quint8((b[7] & ~kToneOnBit) | (f.tone ? kToneOnBit : 0));
    if (differs(&RadioFields::nb, f))
        b[9] = f.nb ? 1 : 0;
    if (differs(&RadioFields::frequency, f))
        writeInt32(b, kFrequencyOffset, f.frequency);
}

QString decodeName(const RecordBytes &b)
{
    QString name;
    for (int i = 0; i < kNameLength; ++i) {
        const QChar c = nameCharFor(b[kNameOffset + i]);
        if (c.isNull())
            break;
        name += c;
    }
    return name;
}

// The name's codes up to its first character the radio cannot show, then zero bytes.
void encodeName(const QString &name, RecordBytes &b)
{
    bool ended = false;
    for (int i = 0; i < kNameLength; ++i) {
        const int code = !ended && i < name.size() ? nameCodeFor(name[i]) : -1;
        ended = code < 0;
        b[kNameOffset + i] = ended ? 0 : quint8(code);
    }
}

} // namespace

bool isInUseStatus(quint8 status)
{
    return status == kStatusInUse || status == kStatusSkipped;
}

int nameCodeFor(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u;
    if (u >= 'A' && u <= 'Z')
        return u - 7;
    for (int i = 0; kNamePunctuation[i]; ++i) {
        if (kNamePunctuation[i] == u)
            return 0x54 + i;
    }
    return -1;
}

QChar nameCharFor(int code)
{
    if (code >= 0x30 && code <= 0x39)
        return QChar(code);
    if (code >= 0x3A && code <= 0x53)
        return QChar(code + 7);
    if (code >= 0x54 && code <= 0x5F)
        return QChar(kNamePunctuation[code - 0x54]);
    return QChar();
}

bool isNameCodeChar(QChar c)
{
    return nameCodeFor(c) >= 0;
}

bool isValidName(const QString &name)
{
    return name.size() <= kNameLength && std::all_of(name.cbegin(), name.cend(), isNameCodeChar);
}

std::optional<Channel> decodeChannel(const RecordBytes &b)
{
    Channel channel;
    channel.base = b;
    if (!isInUseStatus(b[0]))
        return channel;
    const std::optional<RadioFields> fields = decodeFields(b);
    if (!fields)
        return std::nullopt;
    static_cast<RadioFields &>(channel) = *fields;
    channel.inUse = true;
    channel.skip = b[0] == kStatusSkipped;
    channel.split = readInt32(b, kSplitOffset);
    channel.name = decodeName(b);
    return channel;
}

RecordBytes encodeChannel(const Channel &channel)
{
    const bool baseInUse = isInUseStatus(channel.base[0]);
    if (!channel.inUse)
        return baseInUse ? RecordBytes{} : channel.base;

    // A channel coming into use starts from a clean record; one in use keeps its own.
    RecordBytes b = baseInUse ? channel.base : RecordBytes{};
    const std::optional<Channel> was = baseInUse ? decodeChannel(b) : std::nullopt;
    if (!was || was->skip != channel.skip)
        b[0] = channel.skip ? kStatusSkipped : kStatusInUse;
    layFields(channel, was ? std::optional<RadioFields>(*was) : std::nullopt, b);
    if (!was || was->split != channel.split)
        writeInt32(b, kSplitOffset, channel.split);
    if (!was || was->name != channel.name)
        encodeName(channel.name, b);
    return b;
}

std::optional<Vfo> decodeVfo(const RecordBytes &b)
{
    const std::optional<RadioFields> fields = decodeFields(b);
    if (!fields)
        return std::nullopt;
    Vfo vfo;
    static_cast<RadioFields &>(vfo) = *fields;
    vfo.base = b;
    return vfo;
}

RecordBytes encodeVfo(const Vfo &vfo)
{
    RecordBytes b = vfo.base;
    layFields(vfo, decodeFields(b), b);
    return b;
}

namespace {
int byteOffset(ChannelByte which)
{
    constexpr int offsets[] = {2, 3, 4, 6, 7, 9};
    return offsets[int(which)];
}
} // namespace

quint8 channelByte(const Channel &channel, ChannelByte which)
{
    return encodeChannel(channel)[byteOffset(which)];
}

Channel withChannelByte(const Channel &channel, ChannelByte which, quint8 value)
{
    Channel inUse = channel;
    inUse.inUse = true;
    RecordBytes b = encodeChannel(inUse);
    b[byteOffset(which)] = value;
    return *decodeChannel(b); // the mode byte is one of the six: the record decodes
}

Channel newChannel(qint32 frequency, Mode mode)
{
    Channel channel;
    channel.inUse = true;
    channel.frequency = frequency;
    channel.mode = mode;
    channel.split = frequency;
    return channel;
}

Vfo defaultVfo(int modelOption)
{
    Vfo vfo;
    vfo.base[0] = kStatusInUse;
    vfo.frequency = modelOption == 0 ? 7'050'000 : 7'100'000;
    vfo.mode = Mode::LSB;
    vfo.agc = Agc::Slow;
    vfo.base = encodeVfo(vfo);
    return vfo;
}

} // namespace ktv4
