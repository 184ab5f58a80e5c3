// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/RadioMemory.h"

#include "model/ChannelNaming.h"

#include <algorithm>

namespace ktv4 {

bool RadioMemory::isKnown(int address) const
{
    const int index = recordIndex(address);
    return index >= 0 && !m_records[index].isNull() && !m_uncertain[index];
}

bool RadioMemory::isUncertain(int address) const
{
    const int index = recordIndex(address);
    return index >= 0 && m_uncertain[index];
}

QString RadioMemory::record(int address) const
{
    const int index = recordIndex(address);
    return index < 0 ? QString() : m_records[index];
}

void RadioMemory::setRecord(int address, const QString &text)
{
    const int index = recordIndex(address);
    if (index < 0)
        return;
    if (m_records[index].isNull())
        ++m_held;
    // Never a null string, so that an empty reply still counts as known.
    m_records[index] = text.isNull() ? QStringLiteral("") : text;
    m_uncertain[index] = false;
}

void RadioMemory::markUncertain(int address)
{
    const int index = recordIndex(address);
    if (index < 0 || m_records[index].isNull())
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
    if (!m_records[0].isNull() && !m_records[1].isNull()) {
        SettingsValues values = image.settings;
        if (decodeSettingsData(m_records[0], m_records[1], values).ok) {
            image.settings = values;
            image.SettingsData1 = m_records[0];
            image.SettingsData2 = m_records[1];
        }
    }
    for (int v = 0; v < kVfoCount; ++v) {
        if (m_records[2 + v].isNull())
            continue;
        VfoRow row = image.vfos[v];
        if (decodeVfoData(m_records[2 + v], row))
            image.vfos[v] = row;
    }
    for (int n = 0; n < kChannelCount; ++n) {
        const QString &text = m_records[recordIndex(channelAddress(n))];
        if (text.isNull())
            continue;
        ChannelRow row;
        if (decodeMemoryData(text, row))
            image.channels[n] = row;
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

QList<int> RadioMemory::changedRecords(const RadioImage &image) const
{
    // What the radio holds, put the way a write of it would send it: decoded and encoded again.
    // The settings decode onto the image's own values, so that settings no record carries stay.
    ImageRecords held;
    if (!m_records[0].isNull() && !m_records[1].isNull()) {
        SettingsValues values = image.settings;
        if (decodeSettingsData(m_records[0], m_records[1], values).ok)
            makeSettingsData(values, held[0], held[1]);
        else
            held[0] = held[1] = QStringLiteral("undecodable");
    } else {
        held[0] = m_records[0];
        held[1] = m_records[1];
    }
    for (int v = 0; v < kVfoCount; ++v) {
        VfoRow row;
        if (!m_records[2 + v].isNull())
            held[2 + v] =
                decodeVfoData(m_records[2 + v], row) ? makeVfoData(row) : QStringLiteral("undecodable");
    }
    for (int n = 0; n < kChannelCount; ++n) {
        const int index = recordIndex(channelAddress(n));
        ChannelRow row;
        if (!m_records[index].isNull())
            held[index] =
                decodeMemoryData(m_records[index], row) ? makeMemoryData(row) : QStringLiteral("undecodable");
    }

    QList<int> addresses;
    for (int i = 0; i < kRecordCount; ++i) {
        const int address = recordAddress(i);
        if (!m_records[i].isNull() && !sameRecord(held[i], imageRecord(image, address)))
            addresses.append(address);
    }
    return addresses;
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
