// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/RecordText.h"

namespace ktv4 {

namespace {

// Value of each ASCII character as a hex digit, -1 for the rest.
constexpr std::array<std::int8_t, 128> kHexDigits = [] {
    std::array<std::int8_t, 128> table{};
    for (auto &v : table)
        v = -1;
    for (int c = '0'; c <= '9'; ++c)
        table[c] = std::int8_t(c - '0');
    for (int c = 'A'; c <= 'F'; ++c)
        table[c] = table[c + 32] = std::int8_t(c - 'A' + 10);
    return table;
}();

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    return u < 128 ? kHexDigits[u] : -1;
}

} // namespace

RecordBytes parseRecordText(QStringView text)
{
    RecordBytes bytes{};
    const qsizetype size = text.size();
    const QChar *in = text.data();
    for (int i = 0; i < kRecordBytes; ++i) {
        int value = 0;
        for (int k = 0; k < 2; ++k) {
            const qsizetype pos = 2 * i + k;
            if (pos >= size)
                break;
            const int d = hexDigit(in[pos]);
            if (d < 0)
                break;
            value = value * 16 + d;
        }
        bytes[i] = static_cast<std::uint8_t>(value);
    }
    return bytes;
}

QByteArray recordHex(const RecordBytes &bytes)
{
    const QByteArray raw =
        QByteArray::fromRawData(reinterpret_cast<const char *>(bytes.data()), kRecordBytes);
    return raw.toHex().toUpper();
}

QString recordText(const RecordBytes &bytes)
{
    return QString::fromLatin1(recordHex(bytes));
}

std::int32_t readInt32(const RecordBytes &bytes, int offset)
{
    const std::uint32_t u = std::uint32_t(bytes[offset]) | std::uint32_t(bytes[offset + 1]) << 8 |
                            std::uint32_t(bytes[offset + 2]) << 16 | std::uint32_t(bytes[offset + 3]) << 24;
    return static_cast<std::int32_t>(u);
}

void writeInt32(RecordBytes &bytes, int offset, std::int32_t value)
{
    const auto u = static_cast<std::uint32_t>(value);
    for (int k = 0; k < 4; ++k)
        bytes[offset + k] = static_cast<std::uint8_t>(u >> (8 * k));
}

} // namespace ktv4
