// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The words of the memory file that its writer and its reader share: the settings' keys and
// values, the channel keys, and the rules that decide when a record is carried as `raw:`.

#include "model/RadioImage.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace ktv4::memoryfile {

constexpr int kFormatVersion = 1;

// Splits a channel may be given: what the edit dialog's three split fields can hold.
constexpr qint64 kSplitLimit = 100'000'000; // the first split refused

// A settings key: the snake_case of its caption without the unit in brackets ("Key Speed(WPM)"
// -> key_speed). `setting` is null for iq_shift, the slider.
struct SettingKey {
    QByteArray key;
    const SettingDescriptor *setting;
};
// The 27 lists in record order, then iq_shift.
const std::vector<SettingKey> &settingKeys();

// A setting's value as the file says it: the item's text without its blanks, a number for an item
// that is one ("03" -> 3), and for a transmit-side byte outside its list the byte as 0xFF.
QByteArray settingValueText(const SettingDescriptor &setting, int value);
// The value a text names (either letter case; a number for a numbered item; true and false for
// Off and On; 0x00..0xFF for a transmit-side byte). Nothing when it names none.
std::optional<int> settingValueFrom(const SettingDescriptor &setting, const QString &text);
// "one of ..." / "a number from 0 to 64": what settingValueFrom() takes, for a message.
QString acceptedSettingValues(const SettingDescriptor &setting);

// The I/Q shift as the panel's caption shows it ("-01.50", kHz); read back as any decimal of at
// most two places from -24.00 to +24.00, without floating point.
QByteArray iqShiftValueText(int shift);
std::optional<int> iqShiftFrom(const QString &text);

// Why the typed keys cannot say this channel or VFO record (a frequency, split or code the edit
// dialog refuses, a channel not in use); empty when they can.
QString rawOnlyReason(const RecordBytes &record, bool isChannel);

// The records the typed keys alone make: laid over a clean channel record, over the new image's
// VFO for `modelIndex`, over the new image's settings records.
RecordBytes typedChannelRecord(const Channel &channel);
RecordBytes typedVfoRecord(const RadioFields &fields, int modelIndex);
RecordBytes typedSettingsRecord(const SettingsValues &values, int block);

// "5, 10-15": the offsets at which two records differ.
QString differingBytes(const RecordBytes &a, const RecordBytes &b);

// The 64 hexadecimal digits of a raw record, either letter case; nothing for anything else.
std::optional<RecordBytes> rawRecordFrom(const QString &text);

// Model captions as the file names them ("KT-V4E"); -1 for none.
int modelFromText(const QString &text);

// "0", "A12", "A-P1", and "A 12" as the grid writes it: the channel index, or -1.
int channelFromLabel(const QString &label);

} // namespace ktv4::memoryfile
