// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ImageDiff.h"

#include "model/ChannelNaming.h"
#include "model/FieldText.h"

#include <QCoreApplication>
#include <QSet>
#include <algorithm>

namespace ktv4 {

namespace {

// The window shows these lines in the user's language; the command line, which loads no
// translation, prints them as written here. The context is the one the translation tools give a
// tr() outside any class in this namespace.
QString tr(const char *text, const char *disambiguation = nullptr, int n = -1)
{
    return QCoreApplication::translate("ktv4", text, disambiguation, n);
}

QString settingText(const SettingDescriptor &d, int position)
{
    return position >= 0 && position < d.items.size() ? d.items[position] : QString::number(position);
}

// The fields whose texts differ, by column title.
template <typename Value, typename TextOf>
QList<FieldChange> fieldChanges(const Value &before, const Value &after, int columns, TextOf textOf)
{
    QList<FieldChange> changes;
    const QStringList &titles = channelColumnTitles();
    for (int c = 0; c < columns; ++c) {
        const QString b = textOf(before, ChannelColumn(c));
        const QString a = textOf(after, ChannelColumn(c));
        if (b != a)
            changes.append({titles[c], b, a});
    }
    return changes;
}

// Every field a channel shows, as the one side of a change.
QList<FieldChange> channelFields(const Channel &channel, bool asBefore)
{
    QList<FieldChange> fields;
    const QStringList &titles = channelColumnTitles();
    for (int c = 0; c < kChannelColumns; ++c) {
        const QString text = channelFieldText(channel, ChannelColumn(c));
        if (text.isEmpty())
            continue;
        fields.append(asBefore ? FieldChange{titles[c], text, QString()}
                               : FieldChange{titles[c], QString(), text});
    }
    return fields;
}

} // namespace

QList<int> differingRecords(const ImageRecords &before, const ImageRecords &after)
{
    QList<int> addresses;
    for (int i = 0; i < kRecordCount; ++i) {
        if (before[i] != after[i])
            addresses.append(recordAddress(i));
    }
    return addresses;
}

ImageDiff diffImages(const RadioImage &before, const RadioImage &after)
{
    ImageDiff diff;
    for (const SettingDescriptor &d : settingDescriptors()) {
        const int b = before.settings.values.*d.member;
        const int a = after.settings.values.*d.member;
        if (a != b)
            diff.settings.append({d.caption, settingText(d, b), settingText(d, a)});
    }
    const int shiftBefore = before.settings.values.Slider1;
    const int shiftAfter = after.settings.values.Slider1;
    if (shiftBefore != shiftAfter)
        diff.settings.append(
            {QStringLiteral("IQ Shift(KHz)"), iqShiftText(shiftBefore), iqShiftText(shiftAfter)});

    for (int v = 0; v < kVfoCount; ++v) {
        const QList<FieldChange> fields =
            fieldChanges<RadioFields>(before.vfos[v], after.vfos[v], kVfoColumns, vfoFieldText);
        if (!fields.isEmpty())
            diff.vfos.append({v, fields});
    }

    for (int n = 0; n < kChannelCount; ++n) {
        const Channel &b = before.channels[n];
        const Channel &a = after.channels[n];
        if (!b.inUse && !a.inUse)
            continue;
        if (!b.inUse) {
            diff.channels.append({n, ChannelChange::Added, channelFields(a, false)});
        } else if (!a.inUse) {
            diff.channels.append({n, ChannelChange::Removed, channelFields(b, true)});
        } else if (QList<FieldChange> fields = fieldChanges(b, a, kChannelColumns, channelFieldText);
                   !fields.isEmpty()) {
            diff.channels.append({n, ChannelChange::Changed, std::move(fields)});
        }
    }

    // Bytes that no shown field explains: bytes no field covers, or odd codes that show as the
    // same word.
    const QList<int> records = differingRecords(imageRecords(before), imageRecords(after));
    for (const int address : records) {
        const int index = recordIndex(address);
        bool explained = false;
        if (index < 2)
            explained = !diff.settings.isEmpty();
        else if (index < kFirstChannelIndex)
            explained = std::any_of(diff.vfos.cbegin(), diff.vfos.cend(),
                                    [index](const VfoChange &c) { return c.vfo == index - 2; });
        else
            explained =
                std::any_of(diff.channels.cbegin(), diff.channels.cend(), [index](const ChannelChange &c) {
                    return c.channel == index - kFirstChannelIndex;
                });
        if (!explained)
            diff.otherRecords.append(address);
    }
    return diff;
}

QString describeFields(const QList<FieldChange> &fields)
{
    QStringList parts;
    for (const FieldChange &f : fields) {
        if (f.before.isEmpty() && !f.after.isEmpty())
            parts << QStringLiteral("%1 %2").arg(f.field, f.after);
        else if (f.after.isEmpty() && !f.before.isEmpty())
            parts << QStringLiteral("%1 %2").arg(f.field, f.before);
        else
            parts << QStringLiteral("%1 %2 → %3").arg(f.field, f.before, f.after);
    }
    return parts.join(QStringLiteral(", "));
}

ImageDiff diffOfRecords(const ImageDiff &diff, const QList<int> &addresses)
{
    const QSet<int> sent(addresses.cbegin(), addresses.cend());
    ImageDiff part;
    if (sent.contains(kSettings1Address) || sent.contains(kSettings2Address))
        part.settings = diff.settings;
    for (const VfoChange &v : diff.vfos) {
        if (sent.contains(v.vfo == 0 ? kVfoAAddress : kVfoBAddress))
            part.vfos << v;
    }
    for (const ChannelChange &c : diff.channels) {
        if (sent.contains(channelAddress(c.channel)))
            part.channels << c;
    }
    for (const int address : diff.otherRecords) {
        if (sent.contains(address))
            part.otherRecords << address;
    }
    return part;
}

QStringList describeDiff(const ImageDiff &diff)
{
    QStringList lines;
    for (const FieldChange &s : diff.settings)
        lines << QStringLiteral("%1: %2 → %3").arg(s.field, s.before, s.after);
    for (const VfoChange &v : diff.vfos)
        lines << QStringLiteral("%1: %2").arg(vfoLabel(v.vfo), describeFields(v.fields));
    for (const ChannelChange &c : diff.channels) {
        const QString label = gridRowLabel(c.channel).simplified();
        switch (c.kind) {
        case ChannelChange::Added:
            lines << tr("%1 added: %2").arg(label, describeFields(c.fields));
            break;
        case ChannelChange::Removed:
            lines << tr("%1 removed (was %2)").arg(label, describeFields(c.fields));
            break;
        case ChannelChange::Changed:
            lines << QStringLiteral("%1: %2").arg(label, describeFields(c.fields));
            break;
        }
    }
    for (const int address : diff.otherRecords)
        lines << tr("%1: bytes the program does not edit").arg(recordLabel(address).simplified());
    return lines;
}

QString listed(const QStringList &items)
{
    if (items.size() < 2)
        return items.value(0);
    return tr("%1 and %2").arg(items.mid(0, items.size() - 1).join(QStringLiteral(", ")), items.last());
}

QString describeRecords(const QList<int> &addresses)
{
    QStringList parts;
    QStringList runs;
    int channels = 0;
    for (qsizetype i = 0; i < addresses.size(); ++i) {
        const int index = recordIndex(addresses[i]);
        if (index < kFirstChannelIndex) {
            parts << (index < 2 ? tr("settings block %1").arg(index + 1) : recordLabel(addresses[i]));
            continue;
        }
        const int first = index - kFirstChannelIndex;
        int last = first;
        while (i + 1 < addresses.size() && recordIndex(addresses[i + 1]) == last + kFirstChannelIndex + 1) {
            ++last;
            ++i;
        }
        channels += last - first + 1;
        runs << (last == first
                     ? gridRowLabel(first).simplified()
                     : tr("%1 to %2").arg(gridRowLabel(first).simplified(), gridRowLabel(last).simplified()));
    }
    if (!runs.isEmpty())
        parts << tr("channel(s) %1", nullptr, channels).arg(listed(runs));
    return listed(parts);
}

} // namespace ktv4
