// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What differs between two images: per record (which of the 608 records a write would have to
// send), and per field as the user knows them (channels by grid row label, the VFOs, settings by
// caption), old -> new. The write preview, Write Changes, the read-back check and `ktv4cli diff`
// all use it.

#include "model/RadioImage.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

namespace ktv4 {

// Addresses of the records that differ, in address order.
QList<int> differingRecords(const ImageRecords &before, const ImageRecords &after);

struct FieldChange {
    QString field; // column title or setting caption
    QString before;
    QString after;
    bool operator==(const FieldChange &) const = default;
};

struct ChannelChange {
    enum Kind { Added, Removed, Changed };
    int channel = 0;
    Kind kind = Changed;
    // Changed: the fields that differ. Added: every field of the new channel, `before` empty.
    // Removed: every field of the old channel, `after` empty.
    QList<FieldChange> fields;
};

struct VfoChange {
    int vfo = 0;
    QList<FieldChange> fields;
};

struct ImageDiff {
    QList<FieldChange> settings; // by caption, in the order of the settings lists, the I/Q shift last
    QList<VfoChange> vfos;
    QList<ChannelChange> channels;
    // Records whose bytes differ although no field the program shows does (bytes it does not edit).
    QList<int> otherRecords;

    bool isEmpty() const
    {
        return settings.isEmpty() && vfos.isEmpty() && channels.isEmpty() && otherRecords.isEmpty();
    }
};

// Compares every setting, both VFOs and all 604 channels by the texts their fields show; channels
// not in use on either side are equal whatever their records hold.
ImageDiff diffImages(const RadioImage &before, const RadioImage &after);

// The part of `diff` that the records at `addresses` carry (the settings with either settings
// record).
ImageDiff diffOfRecords(const ImageDiff &diff, const QList<int> &addresses);

// One line per change, for lists and the command line:
//   "Dimmer: 32 → 7", "VFO A: Mode LSB → USB", "A 10 added: Frequency 7.050.000, ...",
//   "A 11 removed", "12: Name ABC → XYZ", "Settings block 1: bytes the program does not edit".
QStringList describeDiff(const ImageDiff &diff);
QString describeFields(const QList<FieldChange> &fields);

// "a, b and c"
QString listed(const QStringList &items);
// Records named as the user knows them, in the order given: "settings block 1", "VFO A",
// "channel 12", "channels 0 to 79, 85 and A 3 to A 7". Channels that follow each other form one run.
QString describeRecords(const QList<int> &addresses);

} // namespace ktv4
