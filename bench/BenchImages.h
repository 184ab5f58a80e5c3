// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The image the benchmarks work on: every channel in use with a name, odd bytes included, so
// that codecs, grids and files all have their most work to do.

#include "model/RadioImage.h"

namespace ktv4::bench {

inline RadioImage fullImage()
{
    RadioImage image = startupImage();
    for (int ch = 0; ch < kChannelCount; ++ch) {
        RecordBytes record{};
        record[0] = ch % 3 == 0 ? 0x88 : 0x80;
        record[1] = quint8(ch % 6);
        record[2] = quint8(ch % 4);
        record[3] = 1;
        record[6] = quint8(ch % 2);
        record[7] = 0x85; // tone on, with other bits set
        const qint32 hz = 1'800'000 + ch * 25'000;
        writeInt32(record, 16, hz);
        writeInt32(record, 28, hz);
        const QString name = QStringLiteral("CH%1").arg(ch);
        for (int i = 0; i < name.size(); ++i)
            record[20 + i] = quint8(nameCodeFor(name[i]));
        putChannelRecord(image, ch, record);
    }
    return image;
}

} // namespace ktv4::bench
