// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes given to the clone-file loader: it must not crash, and a file it accepts must save to
// the same records it was read from, record by record, apart from the bytes the codecs rebuild
// (a channel's unused bytes are written as 0, a VFO's status byte is always 0x80). A second
// load of the saved file gives the same file again.

#include "files/CloneFile.h"
#include "files/FieldReader.h"

#include <cstdlib>

using namespace ktv4;

namespace {

// The bytes a record keeps through decode and encode: status, the radio fields, the frequency.
constexpr int kRadioFieldBytes[] = {1, 2, 3, 4, 6, 7, 9, 16, 17, 18, 19};

RecordBytes expectedChannel(const RecordBytes &in)
{
    RecordBytes out{};
    if (in[0] != 0x80 && in[0] != 0x88)
        return out; // an empty channel is written as zeros
    out[0] = in[0];
    for (const int i : kRadioFieldBytes)
        out[i] = in[i];
    for (int i = 28; i < 32; ++i)
        out[i] = in[i]; // split frequency
    // The name runs to its first byte that has no character.
    for (int i = 20; i < 28 && !nameCharFor(in[i]).isNull(); ++i)
        out[i] = in[i];
    return out;
}

RecordBytes expectedVfo(const RecordBytes &in)
{
    RecordBytes out{};
    out[0] = 0x80;
    for (const int i : kRadioFieldBytes)
        out[i] = in[i];
    return out;
}

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

    // The input's records as the loader read them.
    FieldReader reader(content);
    if (reader.readField() != cloneHeaders(model, variantA ? 1 : 0))
        std::abort();
    QString records[kRecordCount];
    for (QString &record : records)
        record = *reader.readField();
    for (int vfo = 0; vfo < kVfoCount; ++vfo) {
        if (recordAt(saved, 3 + vfo) != expectedVfo(parseRecordText(records[2 + vfo])))
            std::abort();
    }
    for (int ch = 0; ch < kChannelCount; ++ch) {
        if (recordAt(saved, 5 + ch) != expectedChannel(parseRecordText(records[4 + ch])))
            std::abort();
    }

    CloneLoadResult again = parseCloneFile(saved, base);
    if (!again.result.ok() || again.image.settings != load.image.settings ||
        cloneFileBytes(again.image, model, variantA) != saved)
        std::abort();
    return 0;
}
