// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/RadioMemory.h"

#include "model/ChannelNaming.h"

#include <algorithm>

namespace ktv4 {

bool RadioMemory::isKnown(int address) const
{
    const int index = recordIndex(address);
    return index >= 0 && m_records[index] && !m_uncertain[index];
}

bool RadioMemory::isUncertain(int address) const
{
    const int index = recordIndex(address);
    return index >= 0 && m_uncertain[index];
}

std::optional<RecordBytes> RadioMemory::record(int address) const
{
    const int index = recordIndex(address);
    return index < 0 ? std::nullopt : m_records[index];
}

void RadioMemory::setRecord(int address, const RecordBytes &bytes)
{
    const int index = recordIndex(address);
    if (index < 0)
        return;
    if (!m_records[index])
        ++m_held;
    m_records[index] = bytes;
    m_uncertain[index] = false;
}

void RadioMemory::markUncertain(int address)
{
    const int index = recordIndex(address);
    if (index < 0 || !m_records[index])
        return; // never known: it stays unknown
    m_uncertain[index] = true;
}

void RadioMemory::clear()
{
    m_records = {};
    m_uncertain.reset();
    m_held = 0;
    m_identity.reset();
}

RadioImage RadioMemory::image(const RadioImage &rest) const
{
    RadioImage image = rest;
    if (m_records[0] && m_records[1])
        putSettingsRecords(image, *m_records[0], *m_records[1]);
    for (int v = 0; v < kVfoCount; ++v) {
        if (m_records[2 + v])
            putVfoRecord(image, v, *m_records[2 + v]);
    }
    for (int n = 0; n < kChannelCount; ++n) {
        if (const std::optional<RecordBytes> &held = m_records[kFirstChannelIndex + n])
            putChannelRecord(image, n, *held);
    }
    return image;
}

int RadioMemory::knownChannels() const
{
    int known = 0;
    for (int n = 0; n < kChannelCount; ++n)
        known += isKnown(channelAddress(n)) ? 1 : 0;
    return known;
}

RecordBytes RadioMemory::laidRecord(const RadioImage &image, int address) const
{
    const int index = recordIndex(address);
    if (index < 0)
        return {};
    if (index < 2) {
        const RadioSettings laid{image.settings.values, m_records[0].value_or(image.settings.base1),
                                 m_records[1].value_or(image.settings.base2)};
        return encodeSettings(laid, index + 1);
    }
    const std::optional<RecordBytes> &held = m_records[index];
    if (index < kFirstChannelIndex) {
        Vfo laid = image.vfos[index - 2];
        if (held)
            laid.base = *held;
        return encodeVfo(laid);
    }
    Channel laid = image.channels[index - kFirstChannelIndex];
    if (held)
        laid.base = *held;
    return encodeChannel(laid);
}

QList<int> RadioMemory::changedRecords(const RadioImage &image) const
{
    // Each record the radio holds with the image's fields laid over it: where that changes a
    // byte, a field differs.
    std::bitset<kRecordCount> changed;
    RadioSettings held;
    const bool settingsUndecodable =
        m_records[0] && m_records[1] && !decodeSettings(*m_records[0], *m_records[1], held).ok;
    for (int i = 0; i < kRecordCount; ++i) {
        if (m_records[i])
            changed[i] =
                (i < 2 && settingsUndecodable) || laidRecord(image, recordAddress(i)) != *m_records[i];
    }

    QList<int> addresses;
    for (int i = 0; i < kRecordCount; ++i) {
        if (changed[i])
            addresses.append(recordAddress(i));
    }
    return addresses;
}

void RadioUpdate::applyTo(RadioMemory &radio) const
{
    for (const Record &record : records) {
        if (record.bytes)
            radio.setRecord(record.address, *record.bytes);
        else
            radio.markUncertain(record.address);
    }
    if (identity)
        radio.setIdentity(*identity);
}

namespace {

QList<int> both(const QList<int> &a, const QList<int> &b)
{
    QList<int> out;
    std::set_intersection(a.cbegin(), a.cend(), b.cbegin(), b.cend(), std::back_inserter(out));
    return out;
}

} // namespace

ChangesPlan planChanges(const RadioMemory &radio, const RadioImage &image)
{
    // The settings are shown, compared and decoded as a pair: both are read when either is not
    // known for certain, and a change of either is shown only when both are known.
    const bool settingsKnown = radio.isKnown(kSettings1Address) && radio.isKnown(kSettings2Address);
    const QList<int> changed = radio.changedRecords(image);
    ChangesPlan plan;
    for (int i = 0; i < kRecordCount; ++i) {
        const int address = recordAddress(i);
        const bool settings = i < 2;
        const bool known = settings ? settingsKnown : radio.isKnown(address);
        if (!known)
            plan.reads << address;
        if (radio.isUncertain(address) || (known && changed.contains(address)))
            plan.writes << address;
    }
    return plan;
}

QList<int> writesAfterReading(const ChangesPlan &plan, const RadioMemory &radio, const RadioImage &image)
{
    return both(plan.writes, radio.changedRecords(image));
}

QList<int> heldBackAfterReading(const ChangesPlan &plan, const RadioMemory &radio, const RadioImage &image)
{
    QList<int> held = both(plan.reads, radio.changedRecords(image));
    held.removeIf([&plan](int address) { return plan.writes.contains(address); });
    return held;
}

} // namespace ktv4
