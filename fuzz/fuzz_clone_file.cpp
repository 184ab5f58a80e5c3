// Any bytes given to the clone-file loader: it must not crash, and a file it accepts must save
// and load again to the same image.

#include "files/CloneFile.h"

#include <cstdlib>

using namespace ktv4;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const RadioImage base = startupImage();
    const QByteArray content(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    CloneLoadResult load = parseCloneFile(content, base);
    if (!load.result.ok())
        return 0;
    const int model = load.header->modelIndex;
    const bool variantA = load.header->variantA;
    const QByteArray saved = cloneFileBytes(load.image, model, variantA);
    if (saved.size() != kCloneFileSize)
        std::abort();
    CloneLoadResult again = parseCloneFile(saved, base);
    if (!again.result.ok() || cloneFileBytes(again.image, model, variantA) != saved)
        std::abort();
    return 0;
}
