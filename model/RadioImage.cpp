// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/RadioImage.h"

#include "model/ChannelNaming.h"
#include "model/FieldText.h"

#include <algorithm>

namespace ktv4 {

QString modelOptionCaption(int option)
{
    switch (option) {
    case ModelJ:
        return QStringLiteral("KT-V4J");
    case ModelT:
        return QStringLiteral("KT-V4T");
    case ModelE:
        return QStringLiteral("KT-V4E");
    default:
        return QStringLiteral("PN-31/32 TFH / R");
    }
}

void installDefaults(RadioImage &image, int modelOption)
{
    image.settings = defaultSettings();
    image.vfos.fill(defaultVfo(modelOption));
}

RadioImage startupImage(int modelOption)
{
    RadioImage image;
    installDefaults(image, modelOption);
    return image;
}

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

RecordBytes imageRecord(const RadioImage &image, int address)
{
    const int index = recordIndex(address);
    if (index < 0)
        return {};
    if (index < 2)
        return encodeSettings(image.settings, index + 1);
    if (index < kFirstChannelIndex)
        return encodeVfo(image.vfos[index - 2]);
    return encodeChannel(image.channels[index - kFirstChannelIndex]);
}

ImageRecords imageRecords(const RadioImage &image)
{
    ImageRecords records;
    records[0] = encodeSettings(image.settings, 1);
    records[1] = encodeSettings(image.settings, 2);
    for (int v = 0; v < kVfoCount; ++v)
        records[2 + v] = encodeVfo(image.vfos[v]);
    for (int n = 0; n < kChannelCount; ++n)
        records[kFirstChannelIndex + n] = encodeChannel(image.channels[n]);
    return records;
}

bool putChannelRecord(RadioImage &image, int channel, const RecordBytes &record)
{
    std::optional<Channel> decoded = decodeChannel(record);
    if (!decoded)
        return false;
    image.channels[channel] = std::move(*decoded);
    return true;
}

bool putVfoRecord(RadioImage &image, int vfo, const RecordBytes &record)
{
    std::optional<Vfo> decoded = decodeVfo(record);
    if (!decoded)
        return false;
    image.vfos[vfo] = *decoded;
    return true;
}

SettingsDecodeResult putSettingsRecords(RadioImage &image, const RecordBytes &block1,
                                        const RecordBytes &block2)
{
    return decodeSettings(block1, block2, image.settings);
}

int channelsInUse(const ChannelTable &channels)
{
    return int(std::count_if(channels.cbegin(), channels.cend(), [](const Channel &c) { return c.inUse; }));
}

} // namespace ktv4
