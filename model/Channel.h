// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The memory channels and the two VFOs as typed values, and their 32-byte records.
//
// A value keeps the record it came from (`base`): encoding lays only the fields that differ from
// that record over it, so a record decoded and encoded again comes back byte for byte, bytes no
// field covers and odd codes included, while an edited field is written the way the radio
// expects it.

#include "model/RecordText.h"

#include <QString>
#include <array>
#include <optional>

namespace ktv4 {

constexpr int kChannelCount = 604;
constexpr int kVfoCount = 2;

enum class Mode : quint8 { USB, LSB, CWU, CWL, AM, FM }; // a mode byte above 5 does not decode
enum class Gain : quint8 { Zero, Minus10, Minus20, Plus10 };
enum class Agc : quint8 { Fast, Slow };
enum class Power : quint8 { High, Low, SLow };
enum class Filter : quint8 { Wide, Narrow };

constexpr int kModeCount = 6;

// What a channel record and a VFO record share: bytes 1..9 and the frequency at 16..19.
struct RadioFields {
    qint32 frequency = 0; // whole hertz
    Mode mode = Mode::USB;
    Gain gain = Gain::Zero;
    Agc agc = Agc::Fast;
    Power power = Power::High;
    Filter filter = Filter::Wide;
    bool tone = false; // bit 7 of the tone byte; its other bits stay as they came
    bool nb = false;   // noise blanker

    bool operator==(const RadioFields &) const = default;
};

struct Channel : RadioFields {
    bool inUse = false;
    qint32 split = 0; // transmit frequency, whole hertz
    QString name;     // up to 8 characters the radio can show
    bool skip = false;
    // The record as it came in. All zero for a channel the program made.
    RecordBytes base{};

    bool operator==(const Channel &) const = default;
};

struct Vfo : RadioFields {
    RecordBytes base{};
    bool operator==(const Vfo &) const = default;
};

using ChannelTable = std::array<Channel, kChannelCount>;
using VfoTable = std::array<Vfo, kVfoCount>;

// The frequencies a channel or VFO may be given: 30 000 Hz up to, not including, 35 000 000 Hz.
// The edit dialog refuses others, and the file importers drop rows with others.
constexpr qint64 kLowestFrequency = 30'000;
constexpr qint64 kFrequencyLimit = 35'000'000; // the first frequency refused
constexpr bool isAcceptedFrequency(qint64 hz)
{
    return hz >= kLowestFrequency && hz < kFrequencyLimit;
}

constexpr int kNameLength = 8;

// Name code: one byte per character, 0x30..0x5F.
int nameCodeFor(QChar c);     // -1 when the character has no code
QChar nameCharFor(int code);  // null QChar when the byte has no character
bool isNameCodeChar(QChar c); // digits, A-Z, space and * # + - / \ = ( ) $ _
// At most kNameLength characters, each one the radio can show.
bool isValidName(const QString &name);

// The tone byte's flag: the channel sends the tone. The byte's other bits stay as they came.
constexpr quint8 kToneOnBit = 0x80;

// A channel record's status byte: 0x80 (in use) or 0x88 (in use, skipped); anything else is an
// empty channel.
bool isInUseStatus(quint8 status);

// A channel record: status 0x80 (in use) or 0x88 (in use, skipped); anything else is an empty
// channel. Nothing when an in-use record's mode byte is above 5.
std::optional<Channel> decodeChannel(const RecordBytes &bytes);
RecordBytes encodeChannel(const Channel &channel);

// A VFO record (its status byte is not looked at). Nothing when the mode byte is above 5.
std::optional<Vfo> decodeVfo(const RecordBytes &bytes);
RecordBytes encodeVfo(const Vfo &vfo);

// The bytes of a channel record that hold a choice, as the record holds them: a file that carries
// whole bytes (unlisted codes, the tone byte's other bits) passes them through these.
enum class ChannelByte : quint8 { Gain, Agc, Power, Filter, Tone, Nb };
quint8 channelByte(const Channel &channel, ChannelByte which);
// The channel, in use, with `value` in that byte of its record and its fields read from it again.
Channel withChannelByte(const Channel &channel, ChannelByte which, quint8 value);

// What a channel coming into use gets where nothing else is said: gain 0, AGC Fast, power High,
// filter Wide, tone and noise blanker off, no name, not skipped, and a split that is its own
// frequency.
Channel newChannel(qint32 frequency, Mode mode);

// The VFO of a new image: 7 050 000 Hz for the J model option (0), 7 100 000 Hz otherwise, LSB,
// gain 0, AGC Slow, power High, filter Wide, tone and noise blanker off.
Vfo defaultVfo(int modelOption);

} // namespace ktv4
