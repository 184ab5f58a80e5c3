// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the program knows the radio holds: each record as it was last read from the radio or
// acknowledged by it, and the model and variant the radio last identified itself as. It is
// the baseline of the write preview and of Write Changes; records never read nor written are
// unknown, and a record whose write went out without an acknowledgement is uncertain: the radio
// may hold the record last known or the one sent.

#include "model/RadioImage.h"

#include <QList>
#include <bitset>
#include <optional>

namespace ktv4 {

struct RadioIdentity {
    int modelIndex = kStartupModelOption;
    bool variantA = false;
    bool operator==(const RadioIdentity &) const = default;
};

class RadioMemory {
public:
    // Nothing at all is known of the radio, not even an uncertain record.
    bool isEmpty() const { return m_held == 0; }
    // Records whose content in the radio is known for certain.
    int knownCount() const { return m_held - int(m_uncertain.count()); }
    bool isKnown(int address) const;
    bool isUncertain(int address) const;
    // The record as last received or acknowledged, also while uncertain; nothing when never known.
    std::optional<RecordBytes> record(int address) const;
    // Records the radio now holds `bytes` at `address` (an address outside the map is ignored).
    void setRecord(int address, const RecordBytes &bytes);
    // A write of `address` went out but was not acknowledged.
    void markUncertain(int address);
    void clear();

    const std::optional<RadioIdentity> &identity() const { return m_identity; }
    void setIdentity(const RadioIdentity &identity) { m_identity = identity; }

    // The image these records describe (the records last known, uncertain ones included), laid over
    // `rest`: unknown records (and the settings, unless both settings records are held) keep
    // rest's values. A record that does not decode also keeps rest's; changedRecords() still
    // counts it as different.
    RadioImage image(const RadioImage &rest) const;
    // Channels known to the radio, and how many of them are in use.
    int knownChannels() const;

    // The addresses, in address order, of the records in which a field of `image` differs from
    // the record last known (bytes no field covers do not count; a record that does not decode
    // differs, the two settings records both when they do not decode together). Uncertain records
    // are compared by their last known content; unknown ones are left out.
    QList<int> changedRecords(const RadioImage &image) const;
    // The record at `address` as the image's fields laid over the one last known, so that bytes
    // no field covers stay as the radio holds them; the image's own record where nothing is
    // known. The settings records lay the image's values over both records held.
    RecordBytes laidRecord(const RadioImage &image, int address) const;

private:
    std::array<std::optional<RecordBytes>, kRecordCount> m_records;
    std::bitset<kRecordCount> m_uncertain;
    int m_held = 0;
    std::optional<RadioIdentity> m_identity;
};

// What one transfer learned of the radio, in the order it learned it: records read or
// acknowledged, writes that went out without an acknowledgement, and how the radio identified
// itself. Applied in that order, it brings what the program knows of the radio up to date.
struct RadioUpdate {
    struct Record {
        int address = 0;
        std::optional<RecordBytes> bytes; // none: a write went out but was not acknowledged
        bool operator==(const Record &) const = default;
    };
    QList<Record> records;
    std::optional<RadioIdentity> identity;

    void applyTo(RadioMemory &radio) const;
};

// What Write Changes does, decided from what the radio is known to hold and the image; the write
// plan is made from it, and the preview, the engine and the command line use that plan.
//  - Records whose content in the radio is not known for certain are read first: records never
//    read, and records a transfer left uncertain. The two settings records go together.
//  - Written are the known records that differ, and the uncertain ones, each of these only when
//    its read shows that it still differs. A record never read is not written, even when its read
//    shows that it differs: the preview could not show what the write would replace. The next
//    Write Changes shows it and writes it.
struct ChangesPlan {
    QList<int> reads;  // address order
    QList<int> writes; // address order: the records this write may send
    bool isEmpty() const { return reads.isEmpty() && writes.isEmpty(); }
};
ChangesPlan planChanges(const RadioMemory &radio, const RadioImage &image);
// Once the reads are done: the records of `plan` to write, those that still differ.
QList<int> writesAfterReading(const ChangesPlan &plan, const RadioMemory &radio, const RadioImage &image);
// Records read first that differ from `image` but are not written (never read before).
QList<int> heldBackAfterReading(const ChangesPlan &plan, const RadioMemory &radio, const RadioImage &image);

} // namespace ktv4
