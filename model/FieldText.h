// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The words and numbers in which channel and VFO fields are shown and read back: the grid, the
// edit dialog, CSV, CHIRP, the clipboard, the write preview, the command line, printouts and the
// text memory file all use these, so a field has one text wherever it appears. The words are the
// radio's own and stay English in every interface language.

#include "model/Channel.h"

#include <QStringList>
#include <optional>

namespace ktv4 {

// The words of each field's values, by value: Mode "USB" ... "FM", Gain "0" "-10" "-20" "+10",
// Agc "Fast" "Slow", Power "High" "Low" "S-Low", Filter "Wide" "Narrow".
template <typename Field> const QStringList &fieldNames();
template <> const QStringList &fieldNames<Mode>();
template <> const QStringList &fieldNames<Gain>();
template <> const QStringList &fieldNames<Agc>();
template <> const QStringList &fieldNames<Power>();
template <> const QStringList &fieldNames<Filter>();

template <typename Field> QString fieldText(Field value)
{
    return fieldNames<Field>().value(int(value));
}

// The value a word names; nothing for any other word.
template <typename Field>
std::optional<Field> fieldFromText(QStringView text, Qt::CaseSensitivity cs = Qt::CaseSensitive)
{
    const QStringList &names = fieldNames<Field>();
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (text.compare(names[i], cs) == 0)
            return Field(i);
    }
    return std::nullopt;
}

QString onOffText(bool on);  // "On", "Off": tone and noise blanker
QString skipText(bool skip); // "Skip", or nothing

// 7050000 -> "7.050.000", 14200000 -> "14.200.000": at least 7 digits, a dot before the last
// three and the three before them; a negative value keeps its sign.
QString frequencyText(qint64 hz);

// Columns of the memory grid, in its order; the VFO grid shows the first eight.
enum ChannelColumn : int {
    ColFrequency = 0,
    ColMode,
    ColGain,
    ColAgc,
    ColPwr,
    ColFilter,
    ColTone,
    ColNb,
    ColSplit,
    ColName,
    ColSkip,
};
constexpr int kChannelColumns = 11;
constexpr int kVfoColumns = 8;

// "Frequency", "Mode", "Gain", "AGC", "Pwr", "Filter", "Tone", "NB", "Split Freq.", "Name", "Skip".
const QStringList &channelColumnTitles();

// A field as the grid shows it. A channel not in use shows nothing.
QString channelFieldText(const Channel &channel, ChannelColumn column);
QString vfoFieldText(const RadioFields &vfo, ChannelColumn column); // columns up to ColNb

// "VFO A", "VFO B"
QString vfoLabel(int vfo);

} // namespace ktv4
