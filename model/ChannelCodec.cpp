// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ChannelCodec.h"

#include "model/RecordText.h"

#include <cmath>

namespace ktv4 {

namespace {

constexpr int kStatusInUse = 0x80;
constexpr int kStatusSkipped = 0x88;
constexpr int kNameOffset = 20;
constexpr int kNameLength = 8;

void setCell(Cell &cell, double value, QString text)
{
    cell.value = value;
    cell.text = std::move(text);
}

// The punctuation of the name code, from byte 0x54 up.
constexpr char16_t kNamePunctuation[] = u" *#+-/\\=()$_";

} // namespace

const QStringList &channelColumnTitles()
{
    static const QStringList titles{"Frequency", "Mode", "Gain",        "AGC",  "Pwr", "Filter",
                                    "Tone",      "NB",   "Split Freq.", "Name", "Skip"};
    return titles;
}

const QStringList &modeNames()
{
    static const QStringList names{"USB", "LSB", "CWU", "CWL", "AM", "FM"};
    return names;
}

QString gainText(int code)
{
    switch (code) {
    case 0:
        return QStringLiteral("0");
    case 1:
        return QStringLiteral("-10");
    case 2:
        return QStringLiteral("-20");
    default:
        return QStringLiteral("+10");
    }
}

QString agcText(int code)
{
    return code == 0 ? QStringLiteral("Fast") : QStringLiteral("Slow");
}

QString powerText(int code)
{
    switch (code) {
    case 0:
        return QStringLiteral("High");
    case 1:
        return QStringLiteral("Low");
    default:
        return QStringLiteral("S-Low");
    }
}

QString filterText(int code)
{
    return code == 0 ? QStringLiteral("Wide") : QStringLiteral("Narrow");
}
QString toneText(int code)
{
    return code >= 0x80 ? QStringLiteral("On") : QStringLiteral("Off");
}
QString nbText(int code)
{
    return code != 0 ? QStringLiteral("On") : QStringLiteral("Off");
}
QString skipText(int code)
{
    return code != 0 ? QStringLiteral("Skip") : QString();
}

QString frequencyText(double hz)
{
    // The radio and the dialog only produce 0..34 999 999; larger values keep every digit
    // (megahertz before the first dot) and negative ones their sign.
    const double rounded = std::nearbyint(hz);
    if (!std::isfinite(rounded) || std::fabs(rounded) >= 1e18)
        return QString::number(rounded, 'f', 0);
    const bool negative = rounded < 0;
    auto n = static_cast<unsigned long long>(std::fabs(rounded));
    // Digits from the right, a dot after every third of the last six, at least 7 digits.
    char buffer[32];
    int pos = sizeof buffer;
    for (int digit = 0; digit < 7 || n > 0; ++digit) {
        if (digit == 3 || digit == 6)
            buffer[--pos] = '.';
        buffer[--pos] = char('0' + n % 10);
        n /= 10;
    }
    if (negative)
        buffer[--pos] = '-';
    return QString::fromLatin1(buffer + pos, qsizetype(sizeof buffer) - pos);
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

bool decodeRadioFields(const RecordBytes &b, Cell *cells)
{
    cells[ColMode].value = b[1];
    if (b[1] > 5)
        return false;
    cells[ColMode].text = modeNames().at(b[1]);
    setCell(cells[ColGain], b[2], gainText(b[2]));
    setCell(cells[ColAgc], b[3], agcText(b[3]));
    setCell(cells[ColPwr], b[4], powerText(b[4]));
    setCell(cells[ColFilter], b[6], filterText(b[6]));
    setCell(cells[ColTone], b[7], toneText(b[7]));
    setCell(cells[ColNb], b[9], nbText(b[9]));
    const std::int32_t frequency = readInt32(b, 16);
    setCell(cells[ColFrequency], frequency, frequencyText(frequency));
    return true;
}

void encodeRadioFields(const Cell *cells, RecordBytes &b)
{
    b[1] = roundToByte(cells[ColMode].value);
    b[2] = roundToByte(cells[ColGain].value);
    b[3] = roundToByte(cells[ColAgc].value);
    b[4] = roundToByte(cells[ColPwr].value);
    b[6] = roundToByte(cells[ColFilter].value);
    b[7] = roundToByte(cells[ColTone].value);
    b[9] = roundToByte(cells[ColNb].value);
    writeInt32(b, 16, roundToInt32(cells[ColFrequency].value));
}

bool decodeMemoryData(QStringView data, ChannelRow &row)
{
    const RecordBytes b = parseRecordText(data);
    auto &cells = row.cells;

    if (b[0] == kStatusInUse) {
        row.inUse = true;
        setCell(cells[ColSkip], 0, QString());
    } else if (b[0] == kStatusSkipped) {
        row.inUse = true;
        setCell(cells[ColSkip], 1, skipText(1));
    } else {
        row.clear();
        return true;
    }

    if (!decodeRadioFields(b, cells.data()))
        return false;
    const std::int32_t split = readInt32(b, 28);
    setCell(cells[ColSplit], split, frequencyText(split));

    QChar name[kNameLength];
    int length = 0;
    while (length < kNameLength) {
        const QChar c = nameCharFor(b[kNameOffset + length]);
        if (c.isNull())
            break;
        name[length++] = c;
    }
    setCell(cells[ColName], 0, QString(name, length));
    return true;
}

QString makeMemoryData(const ChannelRow &row)
{
    const auto &cells = row.cells;
    RecordBytes b{};
    if (row.inUse)
        b[0] = cells[ColSkip].value == 0 ? kStatusInUse : kStatusSkipped;
    encodeRadioFields(cells.data(), b);

    const QString &name = cells[ColName].text;
    for (int i = 0; i < kNameLength && i < name.size(); ++i) {
        const int code = nameCodeFor(name[i]);
        if (code < 0)
            break;
        b[kNameOffset + i] = static_cast<std::uint8_t>(code);
    }
    writeInt32(b, 28, roundToInt32(cells[ColSplit].value));
    return recordText(b);
}

} // namespace ktv4
