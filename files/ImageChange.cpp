// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/ImageChange.h"

namespace ktv4 {

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
            QList<Channel>(from.channels.begin() + first, from.channels.begin() + last + 1);
        change.after.channels = QList<Channel>(to.channels.begin() + first, to.channels.begin() + last + 1);
    }
    for (int v = 0; v < kVfoCount; ++v) {
        if (from.vfos[v] != to.vfos[v]) {
            change.before.vfos[v] = from.vfos[v];
            change.after.vfos[v] = to.vfos[v];
        }
    }
    if (from.settings != to.settings) {
        change.before.settings = from.settings;
        change.after.settings = to.settings;
    }
    return change;
}

ImageChange ImageChange::channels(const RadioImage &image, int first, const QList<Channel> &channels,
                                  const QString &text)
{
    RadioImage to = image;
    for (qsizetype i = 0; i < channels.size() && first + i < kChannelCount; ++i)
        to.channels[first + i] = channels[i];
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
    if (part.settings)
        image.settings = *part.settings;
}

} // namespace ktv4
