// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The radio's memory as text (*.yaml, *.yml): settings by the settings tab's captions, the two
// VFOs, and one line per channel in use, keyed by the grid's row label. People edit it by hand,
// keep it in git and generate it from scripts; docs/memory-file.md describes the layout.
//
// Exact both ways: a file written from any image that loads reads back to the very same records,
// and writing that image again gives the very same text. A record the typed keys cannot say (a
// frequency or code the edit dialog refuses, bytes no key covers) is carried whole as `raw:`.
// The typed keys are checked strictly; a file with any fault loads nothing.

#include "files/CloneFile.h"

#include <QByteArray>
#include <QString>

namespace ktv4 {

// A memory file is about 100 kB; comments and hand-written layouts may add some.
constexpr qint64 kMemoryFileSizeLimit = 4 * 1024 * 1024;

// The file's text for the image: the records a save makes, said with the typed keys where they can.
QByteArray memoryFileBytes(const RadioImage &image, int modelIndex, bool variantA);

// Reads a memory file into a fresh image, all or nothing. A failure is "File Open Error" with the
// reason "NAME line N: ..." naming the key and, for a value outside its list, the accepted values.
// `name` is the file as the user knows it (its path).
CloneLoadResult parseMemoryFile(const QByteArray &content, const QString &name);
CloneLoadResult readMemoryFile(const QString &path);

// The comments of a YAML text, in order, each without its '#' and the blanks around it.
QStringList yamlComments(const QByteArray &content);

// Whether the memory file at `path` holds comments other than those the program writes itself,
// which a save over it would drop. False for a file that does not exist or cannot be read, and
// for a name that is not a memory file's.
bool memoryFileHasOwnComments(const QString &path);

} // namespace ktv4
