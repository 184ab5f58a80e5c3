// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/ImageFile.h"

#include "files/MemoryFile.h"

#include <QFileInfo>

namespace ktv4 {

ImageFormat imageFormatForPath(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix();
    const bool text = suffix.compare(QLatin1String("yaml"), Qt::CaseInsensitive) == 0 ||
                      suffix.compare(QLatin1String("yml"), Qt::CaseInsensitive) == 0;
    return text ? ImageFormat::MemoryFile : ImageFormat::CloneFile;
}

CloneLoadResult readImageFile(const QString &path)
{
    return imageFormatForPath(path) == ImageFormat::MemoryFile ? readMemoryFile(path) : readCloneFile(path);
}

QByteArray imageFileBytes(ImageFormat format, const RadioImage &image, int modelIndex, bool variantA)
{
    return format == ImageFormat::MemoryFile ? memoryFileBytes(image, modelIndex, variantA)
                                             : cloneFileBytes(image, modelIndex, variantA);
}

FileResult writeImageFile(const QString &path, const RadioImage &image, int modelIndex, bool variantA)
{
    return saveWholeFile(path, imageFileBytes(imageFormatForPath(path), image, modelIndex, variantA));
}

} // namespace ktv4
