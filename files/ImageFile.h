// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An image on disk in either of its two forms, chosen by the file's name: *.yaml and *.yml are
// memory files (the radio's memory as text), anything else a clone file (*.TV4).

#include "files/CloneFile.h"

namespace ktv4 {

enum class ImageFormat { CloneFile, MemoryFile };

ImageFormat imageFormatForPath(const QString &path);

CloneLoadResult readImageFile(const QString &path);
QByteArray imageFileBytes(ImageFormat format, const RadioImage &image, int modelIndex, bool variantA);
// Written through a temporary file, as clone files are.
FileResult writeImageFile(const QString &path, const RadioImage &image, int modelIndex, bool variantA);

} // namespace ktv4
