// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Clone files (*.TV4): one complete image as 610 CR LF-ended lines: a 32-character header naming
// the model and variant, the 608 records as 64 hex digits each in record order, a 32-character
// end line. A file the program writes is always 40196 bytes.

#include "base/FileAccess.h"
#include "base/FileStatus.h"
#include "model/RadioImage.h"

#include <QByteArray>
#include <optional>

namespace ktv4 {

constexpr int kCloneFileLines = 610;
constexpr int kCloneFileSize = 2 * 34 + kRecordCount * 66; // 40196
// The loader accepts other line ends and ignores anything after the end line; a file larger than
// this is no clone file and is refused unread.
constexpr qint64 kCloneFileSizeLimit = 1024 * 1024;

const QString &appTitle(); // "Orvane KT-V4 Clone Utility"

// "Orvane KT-V4 E Clone A FileStart": header row 0..3 (J, T, E, A), variant 0 ("0") or 1 ("A").
// Row 4 is the empty string and never matches.
QString cloneHeaders(int row, int variant);
const QString &cloneEndLine(); // "Orvane  KT-V4   Clone  File  End"

// The header row a save uses for a model option; no option selected (-1) gives row 3.
int headerRowForModel(int modelIndex);

struct HeaderMatch {
    int modelIndex = kStartupModelOption;
    bool variantA = false;
};

struct CloneLoadResult {
    FileResult result;
    // Set once the header matched. The model selection and variant follow it only when the
    // whole file loaded: a failed load changes nothing.
    std::optional<HeaderMatch> header;
    // The image the file describes. Valid only when ok.
    RadioImage image;
};

// Reads and checks a whole clone file, decoding every record into a fresh image. Nothing is
// applied to the caller's data: on any failure the caller keeps its image.
CloneLoadResult readCloneFile(const QString &path);
CloneLoadResult parseCloneFile(const QByteArray &content);

// The file's bytes: the records the image makes.
QByteArray cloneFileBytes(const RadioImage &image, int modelIndex, bool variantA);

// Writes the file through a temporary file, so a failed save leaves the earlier file intact.
FileResult writeCloneFile(const QString &path, const RadioImage &image, int modelIndex, bool variantA);

} // namespace ktv4
