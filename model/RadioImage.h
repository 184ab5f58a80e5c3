// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything the program holds of the radio's clone memory: the settings, the two VFOs and the
// 604 memory channels, as values, and the 608 records they make.
//
// Record order (every complete transfer and the clone file): settings 1, settings 2, VFO A,
// VFO B, channels 0..603.

#include "model/Channel.h"
#include "model/SettingsCodec.h"

namespace ktv4 {

constexpr int kRecordCount = 4 + kChannelCount; // 608
constexpr int kFirstChannelIndex = 4;           // the record index of channel 0

// Model options, in the order of the "Model" frame; the clone-file header row is the same index.
enum ModelOption : int { ModelJ = 0, ModelT = 1, ModelE = 2, ModelPN = 3 };
constexpr int kModelOptionCount = 4;
constexpr int kStartupModelOption = ModelE;
QString modelOptionCaption(int option); // "KT-V4J", "KT-V4T", "KT-V4E", "PN-31/32 TFH / R"

struct RadioImage {
    RadioSettings settings;
    VfoTable vfos;
    ChannelTable channels;

    bool operator==(const RadioImage &) const = default;
};

// The settings and VFOs of a new image for `modelOption`; the channels are left as they are.
void installDefaults(RadioImage &image, int modelOption);

// The image as it stands right after start-up: the shipped settings, the VFOs of `modelOption`,
// 604 empty channels.
RadioImage startupImage(int modelOption = kStartupModelOption);

// The records in record order, and where each lies in the clone memory.
int recordAddress(int index);
int recordIndex(int address); // -1 for an address outside the map
// "Settings block 1", "Settings block 2", "VFO A", "VFO B", or the channel's grid row label.
QString recordLabel(int address);

using ImageRecords = std::array<RecordBytes, kRecordCount>;

// The records the image makes, as a write sends them and a save stores them.
RecordBytes imageRecord(const RadioImage &image, int address);
ImageRecords imageRecords(const RadioImage &image);

// Puts records read from the radio or a file into the image. False, with the image as it was,
// when a record does not decode (a mode byte above 5, a setting outside its list).
bool putChannelRecord(RadioImage &image, int channel, const RecordBytes &record);
bool putVfoRecord(RadioImage &image, int vfo, const RecordBytes &record);
SettingsDecodeResult putSettingsRecords(RadioImage &image, const RecordBytes &block1,
                                        const RecordBytes &block2);

// Channels in use.
int channelsInUse(const ChannelTable &channels);

} // namespace ktv4
