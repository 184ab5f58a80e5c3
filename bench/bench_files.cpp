// SPDX-License-Identifier: GPL-3.0-or-later
// Codec and file speed: every record decoded and encoded, a whole clone file loaded and saved,
// the CSV export and import of 604 channels, a whole memory file written and read.

#include "bench/BenchImages.h"
#include "files/CloneFile.h"
#include "files/CsvExchange.h"
#include "files/MemoryFile.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace ktv4;

namespace {

using bench::fullImage;

void BM_DecodeEncodeAllRecords(benchmark::State &state)
{
    const ImageRecords records = imageRecords(fullImage());
    RadioImage out = fullImage();
    for (auto _ : state) {
        putSettingsRecords(out, records[0], records[1]);
        putVfoRecord(out, 0, records[2]);
        putVfoRecord(out, 1, records[3]);
        for (int ch = 0; ch < kChannelCount; ++ch)
            putChannelRecord(out, ch, records[kFirstChannelIndex + ch]);
        benchmark::DoNotOptimize(imageRecords(out));
    }
    state.SetItemsProcessed(state.iterations() * kRecordCount);
}
BENCHMARK(BM_DecodeEncodeAllRecords)->Unit(benchmark::kMicrosecond);

void BM_CloneFileLoadSave(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("full.TV4");
    RadioImage image = fullImage();
    writeCloneFile(path, image, ModelE, false);
    for (auto _ : state) {
        CloneLoadResult load = readCloneFile(path);
        if (!load.result.ok())
            state.SkipWithError("load failed");
        if (!writeCloneFile(path, load.image, ModelE, false).ok())
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(state.iterations() * 2 * kCloneFileSize);
}
BENCHMARK(BM_CloneFileLoadSave)->Unit(benchmark::kMicrosecond);

// The same without the disk: parsing and building the 40196 bytes.
void BM_CloneFileParseBuild(benchmark::State &state)
{
    RadioImage image = fullImage();
    const QByteArray bytes = cloneFileBytes(image, ModelE, false);
    for (auto _ : state) {
        CloneLoadResult load = parseCloneFile(bytes);
        benchmark::DoNotOptimize(cloneFileBytes(load.image, ModelE, false));
    }
}
BENCHMARK(BM_CloneFileParseBuild)->Unit(benchmark::kMicrosecond);

void BM_CsvExportImport(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("full.csv");
    RadioImage image = fullImage();
    ChannelTable table{};
    for (auto _ : state) {
        if (!exportCsv(path, image.channels).ok())
            state.SkipWithError("export failed");
        if (importCsv(path, table).rowsStored != kChannelCount)
            state.SkipWithError("import lost rows");
    }
}
BENCHMARK(BM_CsvExportImport)->Unit(benchmark::kMicrosecond);

// All 604 channels in use, as a memory file: arg 0 with bytes no key covers (every line carries
// its raw record too), arg 1 with the records the typed keys say alone (the usual file).
RadioImage memoryFileImage(bool clean)
{
    RadioImage image = fullImage();
    for (Channel &channel : image.channels) {
        if (clean)
            channel.base = {};
    }
    return image;
}

void BM_MemoryFileWrite(benchmark::State &state)
{
    const RadioImage image = memoryFileImage(state.range(0) == 1);
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray text = memoryFileBytes(image, ModelE, false);
        bytes += text.size();
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_MemoryFileWrite)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_MemoryFileRead(benchmark::State &state)
{
    const QByteArray text = memoryFileBytes(memoryFileImage(state.range(0) == 1), ModelE, false);
    for (auto _ : state) {
        const CloneLoadResult load = parseMemoryFile(text, QStringLiteral("bench.yaml"));
        if (!load.result.ok() || channelsInUse(load.image.channels) != kChannelCount)
            state.SkipWithError("the file did not load whole");
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_MemoryFileRead)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
