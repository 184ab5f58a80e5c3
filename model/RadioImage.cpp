// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/RadioImage.h"

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
    image.SettingsData1 = QLatin1String(kDefaultSettingsData1);
    image.SettingsData2 = QLatin1String(kDefaultSettingsData2);
    // The default texts always decode.
    decodeSettingsData(image.SettingsData1, image.SettingsData2, image.settings);
    defaultVfoData(modelOption, image.vfos);
}

RadioImage startupImage(int modelOption)
{
    RadioImage image;
    installDefaults(image, modelOption);
    return image;
}

void rebuildSettingsData(RadioImage &image)
{
    makeSettingsData(image.settings, image.SettingsData1, image.SettingsData2);
}

} // namespace ktv4
