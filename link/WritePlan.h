// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a write sends, decided once before anything goes on the line: the preview shows it, the
// engine sends exactly it, and the command line makes it the same way.

#include "model/ImageDiff.h"
#include "model/RadioImage.h"
#include "model/RadioMemory.h"

#include <QList>

namespace ktv4 {

enum class Operation {
    Identify,     // "Auto Select"
    ReadSettings, // settings 1, settings 2, VFO A, VFO B
    ReadMemory,   // channels 0..603
    ReadAll,      // settings, then memory if the settings were read completely
    WriteSettings,
    WriteMemory,
    WriteAll,
    // Only the records that differ from what the radio is known to hold, in address order, with
    // Write ALL's write-enable line and closing line.
    WriteChanges,
    // The read-back check after a write: a phase of the writes, not an operation of its own.
    VerifyWritten,
    // The reads Write Changes makes before it writes, of the records whose content in the radio
    // is not known: a phase, not an operation of its own. What it reads goes to what the radio is
    // known to hold, not into the image.
    ReadBeforeWrite,
};

bool isWriteOperation(Operation operation);
bool isReadOperation(Operation operation); // Read Settings, Read Memory, Read ALL

struct PlannedRecord {
    int address = 0;
    // What goes out. Write Changes lays the image's fields over the record the radio is known to
    // hold; a record read first is laid again over what its read brings.
    RecordBytes bytes{};
    // Write Changes: the radio may hold this record or the one last sent (a write that was not
    // acknowledged). It is read first and written only if it still differs.
    bool readFirst = false;
    bool operator==(const PlannedRecord &) const = default;
};

struct WritePlan {
    Operation operation = Operation::WriteAll;
    RadioImage image;  // the image the write sends from, as it stood when planned
    RadioMemory radio; // what the radio was known to hold when planned
    // Write Changes: the records read before anything is written, in address order: those not
    // known for certain. A record never read is not written, even when it differs.
    QList<int> reads;
    QList<PlannedRecord> records; // in the order sent

    // What the preview shows: the changes of the records this write may send, field by field,
    // from what the radio is known to hold to the image; and the records sent whose content in
    // the radio is not known (Write Settings, Memory and ALL send every record regardless).
    ImageDiff changes;
    QList<int> unknownRecords;

    // Write Changes finds nothing to read nor write.
    bool isEmpty() const { return reads.isEmpty() && records.isEmpty(); }
    QList<int> addresses() const; // of the records, in the order sent
};

// The plan of a write (`operation` is one of the four writes) of `image` to a radio known to hold
// what `radio` says.
WritePlan planWrite(Operation operation, const RadioImage &image, const RadioMemory &radio);

// Write Changes, once the records of plan.reads are in `radio`: the planned records still to
// send, each laid over what the radio now holds; and the records read first that differ from
// the image but are not written, as they had never been read.
QList<PlannedRecord> recordsAfterReading(const WritePlan &plan, const RadioMemory &radio);
QList<int> heldBackAfterReading(const WritePlan &plan, const RadioMemory &radio);

} // namespace ktv4
