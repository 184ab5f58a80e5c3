// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/RadioMemory.h"

#include "model/ChannelNaming.h"

namespace ktv4 {

bool RadioMemory::isKnown(int address) const
{
    const int index = recordIndex(address);
    return index >= 0 && !m_records[index].isNull();
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
        ++m_known;
    // Never a null string, so that an empty reply still counts as known.
    m_records[index] = text.isNull() ? QStringLiteral("") : text;
}

void RadioMemory::clear()
{
    m_records = {};
    m_known = 0;
    m_identity.reset();
}

RadioImage RadioMemory::image(const RadioImage &rest) const
{
    RadioImage image = rest;
    if (isKnown(kSettings1Address) && isKnown(kSettings2Address)) {
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

QList<int> RadioMemory::recordsToWrite(const RadioImage &image) const
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
        if (m_records[i].isNull() || !sameRecord(held[i], imageRecord(image, address)))
            addresses.append(address);
    }
    return addresses;
}

} // namespace ktv4
