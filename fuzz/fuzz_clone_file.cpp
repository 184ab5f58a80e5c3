// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes given to the clone-file loader: it must not crash, and a file it accepts must save to
// the very records it was read from, every byte of every record, in either letter case. A second
// load of the saved file gives the same file again.

#include "files/CloneFile.h"
#include "files/FieldReader.h"

#include <cstdlib>

using namespace ktv4;

namespace {

// Record line `line` (1 = the first settings record) of a saved file: after the 34-byte header,
// every record line is 66 bytes.
RecordBytes recordAt(const QByteArray &file, int line)
{
    return parseRecordText(
        QString::fromLatin1(file.constData() + 34 + qsizetype(line - 1) * 66, kRecordChars));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray content(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    CloneLoadResult load = parseCloneFile(content);
    if (!load.result.ok())
        return 0;
    const int model = load.header->modelIndex;
    const bool variantA = load.header->variantA;
    const QByteArray saved = cloneFileBytes(load.image, model, variantA);
    if (saved.size() != kCloneFileSize)
        std::abort();

    // The input's records as the loader read them.
    FieldReader reader(content);
    if (reader.readField() != cloneHeaders(model, variantA ? 1 : 0))
        std::abort();
    for (int line = 1; line <= kRecordCount; ++line) {
        if (recordAt(saved, line) != parseRecordText(*reader.readField()))
            std::abort();
    }

    CloneLoadResult again = parseCloneFile(saved);
    if (!again.result.ok() || again.image != load.image ||
        cloneFileBytes(again.image, model, variantA) != saved)
        std::abort();
    return 0;
}
