// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text form in which every 32-byte record of the radio travels and is stored:
// 64 hexadecimal digits, two per byte, lowest address first, high digit first.

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>

namespace ktv4 {

constexpr int kRecordBytes = 32;
constexpr int kRecordChars = 64;

using RecordBytes = std::array<std::uint8_t, kRecordBytes>;

// Splits a record text into its 32 bytes the lenient way the radio's records have always been
// read: each pair is read as a hexadecimal number up to its first non-hex character (either
// letter case); a pair that has no leading digit, or lies beyond a short text, is 0.
RecordBytes parseRecordText(QStringView text);

// 64 upper-case hexadecimal digits.
QString recordText(const RecordBytes &bytes);
QByteArray recordHex(const RecordBytes &bytes);

// Little-endian 32-bit two's-complement field at `offset`.
std::int32_t readInt32(const RecordBytes &bytes, int offset);
void writeInt32(RecordBytes &bytes, int offset, std::int32_t value);

} // namespace ktv4
