// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/ImageChange.h"

namespace ktv4 {

SettingsState settingsState(const RadioImage &image)
{
    return {image.SettingsData1, image.SettingsData2, image.settings};
}

ImageChange ImageChange::between(const RadioImage &from, const RadioImage &to, const QString &text)
{
    ImageChange change;
    change.text = text;
    int first = 0;
    while (first < kChannelCount && from.channels[first] == to.channels[first])
        ++first;
    if (first < kChannelCount) {
        int last = kChannelCount - 1;
        while (from.channels[last] == to.channels[last])
            --last;
        change.before.firstChannel = change.after.firstChannel = first;
        change.before.channels =
            QList<ChannelRow>(from.channels.begin() + first, from.channels.begin() + last + 1);
        change.after.channels =
            QList<ChannelRow>(to.channels.begin() + first, to.channels.begin() + last + 1);
    }
    for (int v = 0; v < kVfoCount; ++v) {
        if (from.vfos[v] != to.vfos[v]) {
            change.before.vfos[v] = from.vfos[v];
            change.after.vfos[v] = to.vfos[v];
        }
    }
    const SettingsState settingsFrom = settingsState(from);
    const SettingsState settingsTo = settingsState(to);
    if (settingsFrom != settingsTo) {
        change.before.settings = settingsFrom;
        change.after.settings = settingsTo;
    }
    return change;
}

ImageChange ImageChange::channels(const RadioImage &image, int first, const QList<ChannelRow> &rows,
                                  const QString &text)
{
    RadioImage to = image;
    for (qsizetype i = 0; i < rows.size() && first + i < kChannelCount; ++i)
        to.channels[first + i] = rows[i];
    return between(image, to, text);
}

ImageChange ImageChange::model(int from, int to, const QString &text)
{
    ImageChange change;
    change.text = text;
    if (from != to) {
        change.before.modelIndex = from;
        change.after.modelIndex = to;
    }
    return change;
}

void applyPart(RadioImage &image, const ImagePart &part)
{
    for (qsizetype i = 0; i < part.channels.size(); ++i)
        image.channels[part.firstChannel + i] = part.channels[i];
    for (int v = 0; v < kVfoCount; ++v) {
        if (part.vfos[v])
            image.vfos[v] = *part.vfos[v];
    }
    if (part.settings) {
        image.SettingsData1 = part.settings->SettingsData1;
        image.SettingsData2 = part.settings->SettingsData2;
        image.settings = part.settings->values;
    }
}

} // namespace ktv4
