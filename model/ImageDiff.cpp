// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ImageDiff.h"

#include "model/ChannelNaming.h"

#include <QCoreApplication>

namespace ktv4 {

namespace {

// The window shows these lines in the user's language; the command line, which loads no
// translation, prints them as written here. The context is the one the translation tools give a
// tr() outside any class in this namespace.
QString tr(const char *text)
{
    return QCoreApplication::translate("ktv4", text);
}

QString settingText(const SettingDescriptor &d, int position)
{
    return position >= 0 && position < d.items.size() ? d.items[position] : QString::number(position);
}

// A cell's text, with its code when the text alone cannot tell two values apart.
QList<FieldChange> cellChanges(const Cell *before, const Cell *after, int columns)
{
    QList<FieldChange> changes;
    const QStringList &titles = channelColumnTitles();
    for (int c = 0; c < columns; ++c) {
        const Cell &b = before[c];
        const Cell &a = after[c];
        if (b == a)
            continue;
        if (b.text == a.text)
            changes.append({titles[c], QStringLiteral("%1 (%2)").arg(b.text).arg(b.value),
                            QStringLiteral("%1 (%2)").arg(a.text).arg(a.value)});
        else
            changes.append({titles[c], b.text, a.text});
    }
    return changes;
}

QList<FieldChange> cellList(const Cell *cells, int columns, bool asBefore)
{
    QList<FieldChange> fields;
    const QStringList &titles = channelColumnTitles();
    for (int c = 0; c < columns; ++c) {
        if (cells[c].text.isEmpty())
            continue;
        fields.append(asBefore ? FieldChange{titles[c], cells[c].text, QString()}
                               : FieldChange{titles[c], QString(), cells[c].text});
    }
    return fields;
}

} // namespace

int recordAddress(int index)
{
    switch (index) {
    case 0:
        return kSettings1Address;
    case 1:
        return kSettings2Address;
    case 2:
        return kVfoAAddress;
    case 3:
        return kVfoBAddress;
    default:
        return channelAddress(index - kFirstChannelIndex);
    }
}

int recordIndex(int address)
{
    switch (address) {
    case kSettings1Address:
        return 0;
    case kSettings2Address:
        return 1;
    case kVfoAAddress:
        return 2;
    case kVfoBAddress:
        return 3;
    default:
        break;
    }
    const int offset = address - kChannelBaseAddress;
    if (offset < 0 || offset % kRecordSize != 0 || offset / kRecordSize >= kChannelCount)
        return -1;
    return kFirstChannelIndex + offset / kRecordSize;
}

QString recordLabel(int address)
{
    const int index = recordIndex(address);
    if (index < 0)
        return addressText(address);
    if (index < 2)
        return QStringLiteral("Settings block %1").arg(index + 1);
    if (index < kFirstChannelIndex)
        return vfoLabel(index - 2);
    return gridRowLabel(index - kFirstChannelIndex);
}

QString imageRecord(const RadioImage &image, int address)
{
    const int index = recordIndex(address);
    switch (index) {
    case 0:
        return image.SettingsData1;
    case 1:
        return image.SettingsData2;
    case 2:
    case 3:
        return makeVfoData(image.vfos[index - 2]);
    default:
        return index < 0 ? QString() : makeMemoryData(image.channels[index - kFirstChannelIndex]);
    }
}

ImageRecords imageRecords(const RadioImage &image)
{
    ImageRecords records;
    for (int i = 0; i < kRecordCount; ++i)
        records[i] = imageRecord(image, recordAddress(i));
    return records;
}

bool sameRecord(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QList<int> differingRecords(const ImageRecords &before, const ImageRecords &after)
{
    QList<int> addresses;
    for (int i = 0; i < kRecordCount; ++i) {
        if (!sameRecord(before[i], after[i]))
            addresses.append(recordAddress(i));
    }
    return addresses;
}

ImageDiff diffImages(const RadioImage &before, const RadioImage &after)
{
    ImageDiff diff;
    for (const SettingDescriptor &d : settingDescriptors()) {
        const int b = before.settings.*d.member;
        const int a = after.settings.*d.member;
        if (a != b)
            diff.settings.append({d.caption, settingText(d, b), settingText(d, a)});
    }
    if (before.settings.Slider1 != after.settings.Slider1)
        diff.settings.append({QStringLiteral("IQ Shift(KHz)"), iqShiftText(before.settings.Slider1),
                              iqShiftText(after.settings.Slider1)});

    for (int v = 0; v < kVfoCount; ++v) {
        const QList<FieldChange> fields =
            cellChanges(before.vfos[v].cells.data(), after.vfos[v].cells.data(), kVfoColumns);
        if (!fields.isEmpty())
            diff.vfos.append({v, fields});
    }

    for (int n = 0; n < kChannelCount; ++n) {
        const ChannelRow &b = before.channels[n];
        const ChannelRow &a = after.channels[n];
        if (!b.inUse && !a.inUse)
            continue;
        if (!b.inUse) {
            diff.channels.append({n, ChannelChange::Added, cellList(a.cells.data(), kChannelColumns, false)});
        } else if (!a.inUse) {
            diff.channels.append(
                {n, ChannelChange::Removed, cellList(b.cells.data(), kChannelColumns, true)});
        } else if (b != a) {
            diff.channels.append(
                {n, ChannelChange::Changed, cellChanges(b.cells.data(), a.cells.data(), kChannelColumns)});
        }
    }

    // Bytes that no shown field explains: the settings texts' fixed bytes, or cells that hold the
    // same values but encode differently.
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
        parts << (channels == 1 ? tr("channel %1") : tr("channels %1")).arg(listed(runs));
    return listed(parts);
}

int channelsInUse(const ChannelTable &channels)
{
    return int(
        std::count_if(channels.cbegin(), channels.cend(), [](const ChannelRow &r) { return r.inUse; }));
}

} // namespace ktv4
