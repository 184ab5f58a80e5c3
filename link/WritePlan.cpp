// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/WritePlan.h"

#include "model/ChannelNaming.h"

#include <algorithm>

namespace ktv4 {

bool isWriteOperation(Operation operation)
{
    return operation == Operation::WriteSettings || operation == Operation::WriteMemory ||
           operation == Operation::WriteAll || operation == Operation::WriteChanges;
}

bool isReadOperation(Operation operation)
{
    return operation == Operation::ReadSettings || operation == Operation::ReadMemory ||
           operation == Operation::ReadAll;
}

QList<int> WritePlan::addresses() const
{
    QList<int> list;
    list.reserve(records.size());
    for (const PlannedRecord &record : records)
        list << record.address;
    return list;
}

namespace {

// The records Write Settings, Memory and ALL send, in the order sent.
QList<int> wholeWrite(Operation operation)
{
    QList<int> records;
    if (operation != Operation::WriteMemory)
        records << kSettings1Address << kSettings2Address << kVfoAAddress << kVfoBAddress;
    if (operation != Operation::WriteSettings) {
        for (int n = 0; n < kChannelCount; ++n)
            records << channelAddress(n);
    }
    return records;
}

ChangesPlan changesPlanOf(const WritePlan &plan)
{
    return {plan.reads, plan.addresses()};
}

} // namespace

WritePlan planWrite(Operation operation, const RadioImage &image, const RadioMemory &radio)
{
    WritePlan plan;
    plan.operation = operation;
    plan.image = image;
    plan.radio = radio;
    if (operation == Operation::WriteChanges) {
        const ChangesPlan changes = planChanges(radio, image);
        plan.reads = changes.reads;
        for (const int address : changes.writes)
            plan.records << PlannedRecord{address, radio.laidRecord(image, address),
                                          changes.reads.contains(address)};
    } else {
        const ImageRecords records = imageRecords(image);
        for (const int address : wholeWrite(operation)) {
            plan.records << PlannedRecord{address, records[recordIndex(address)], false};
            if (!radio.isKnown(address))
                plan.unknownRecords << address;
        }
    }
    // Nothing known of the radio: the preview sums up what is sent instead.
    if (!radio.isEmpty())
        plan.changes = diffOfRecords(diffImages(radio.image(image), image), plan.addresses());
    return plan;
}

QList<PlannedRecord> recordsAfterReading(const WritePlan &plan, const RadioMemory &radio)
{
    const QList<int> still = writesAfterReading(changesPlanOf(plan), radio, plan.image);
    QList<PlannedRecord> records;
    for (PlannedRecord record : plan.records) {
        if (!record.readFirst) {
            records << record;
        } else if (std::binary_search(still.cbegin(), still.cend(), record.address)) {
            record.bytes = radio.laidRecord(plan.image, record.address);
            records << record;
        }
    }
    return records;
}

QList<int> heldBackAfterReading(const WritePlan &plan, const RadioMemory &radio)
{
    return heldBackAfterReading(changesPlanOf(plan), radio, plan.image);
}

} // namespace ktv4
