// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything the program holds of the radio's clone memory: the two settings texts with the
// settings values they decode to, the two VFOs and the 604 memory channels.
//
// Record order (every complete transfer and the clone file): settings 1, settings 2, VFO A,
// VFO B, channels 0..603.

#include "model/ChannelCodec.h"
#include "model/SettingsCodec.h"
#include "model/VfoCodec.h"

namespace ktv4 {

constexpr int kRecordCount = 4 + kChannelCount; // 608

// Model options, in the order of the "Model" frame; the clone-file header row is the same index.
enum ModelOption : int { ModelJ = 0, ModelT = 1, ModelE = 2, ModelPN = 3 };
constexpr int kModelOptionCount = 4;
constexpr int kStartupModelOption = ModelE;
QString modelOptionCaption(int option); // "KT-V4J", "KT-V4T", "KT-V4E", "PN-31/32 TFH / R"

struct RadioImage {
    QString SettingsData1;
    QString SettingsData2;
    SettingsValues settings;
    VfoTable vfos;
    ChannelTable channels;

    bool operator==(const RadioImage &) const = default;
};

// defaultSettingsData, decodeSettingsData, defaultVfoData: the settings and VFOs of a new image,
// the transmit-side ones included (key speed "20", break-in "AUTO", tone "88.5Hz"). The channels
// are left as they are.
void installDefaults(RadioImage &image, int modelOption);

// The image as it stands right after start-up: start-up list selections, the defaults for
// `modelOption`, 604 empty channels.
RadioImage startupImage(int modelOption = kStartupModelOption);

// Rebuilds SettingsData1/2 from the values (makeSettingsData), as every send and save does first.
void rebuildSettingsData(RadioImage &image);

} // namespace ktv4
