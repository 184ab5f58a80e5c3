// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/RecordText.h"

#include <cmath>

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

QString recordText(const RecordBytes &bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    QString text(kRecordChars, Qt::Uninitialized);
    QChar *out = text.data();
    for (int i = 0; i < kRecordBytes; ++i) {
        out[2 * i] = QLatin1Char(digits[bytes[i] >> 4]);
        out[2 * i + 1] = QLatin1Char(digits[bytes[i] & 0x0F]);
    }
    return text;
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

std::int32_t roundToInt32(double value)
{
    if (!std::isfinite(value))
        return 0;
    if (std::fabs(value) < 2147483648.0)
        return static_cast<std::int32_t>(std::nearbyint(value));
    const double r = std::nearbyint(std::fmod(value, 4294967296.0));
    const auto wide = static_cast<std::int64_t>(r);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(wide));
}

std::uint8_t roundToByte(double value)
{
    return static_cast<std::uint8_t>(static_cast<std::uint32_t>(roundToInt32(value)) & 0xFF);
}

} // namespace ktv4
