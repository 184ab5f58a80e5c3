// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes given to the memory-file reader: it must not crash, a refusal names the file and its
// line, and a file it accepts, saved and read again, gives the same image and the same text.

#include "files/MemoryFile.h"

#include <cstdlib>

using namespace ktv4;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray content(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    yamlComments(content);
    const CloneLoadResult load = parseMemoryFile(content, QStringLiteral("fuzz.yaml"));
    if (!load.result.ok()) {
        if (load.result.status != FileStatus::FileOpenError || !load.result.detail.startsWith("fuzz.yaml"))
            std::abort();
        return 0;
    }
    const int model = load.header->modelIndex;
    const bool variantA = load.header->variantA;
    const QByteArray saved = memoryFileBytes(load.image, model, variantA);
    const CloneLoadResult again = parseMemoryFile(saved, QStringLiteral("fuzz.yaml"));
    if (!again.result.ok() || again.header->modelIndex != model || again.header->variantA != variantA ||
        again.image != load.image || memoryFileBytes(again.image, model, variantA) != saved)
        std::abort();
    // The clone file of the same image holds the same records.
    const CloneLoadResult clone = parseCloneFile(cloneFileBytes(load.image, model, variantA));
    if (!clone.result.ok() || clone.image != load.image)
        std::abort();
    return 0;
}
