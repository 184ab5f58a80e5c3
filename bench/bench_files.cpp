// Codec and file speed: every record decoded and encoded, a whole clone file loaded and saved,
// the CSV export and import of 604 channels.

#include "files/CloneFile.h"
#include "files/CsvExchange.h"
#include "model/RadioImage.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace ktv4;

namespace {

// A full image: every channel in use with a name, odd bytes included.
RadioImage fullImage()
{
    RadioImage image = startupImage();
    for (int ch = 0; ch < kChannelCount; ++ch) {
        ChannelRow &row = image.channels[ch];
        row.inUse = true;
        const double hz = 1800000 + ch * 25000;
        row.cells[ColFrequency] = {hz, frequencyText(hz)};
        row.cells[ColMode] = {double(ch % 6), modeNames().at(ch % 6)};
        row.cells[ColGain] = {double(ch % 4), gainText(ch % 4)};
        row.cells[ColAgc] = {1, agcText(1)};
        row.cells[ColFilter] = {double(ch % 2), filterText(ch % 2)};
        row.cells[ColTone] = {0x85, toneText(0x85)};
        row.cells[ColNb] = {0, nbText(0)};
        row.cells[ColSplit] = {hz, frequencyText(hz)};
        row.cells[ColName] = {0, QStringLiteral("CH%1").arg(ch)};
        row.cells[ColSkip] = {double(ch % 3 == 0), skipText(ch % 3 == 0)};
    }
    return image;
}

void BM_DecodeEncodeAllRecords(benchmark::State &state)
{
    RadioImage image = fullImage();
    rebuildSettingsData(image);
    QStringList records{image.SettingsData1, image.SettingsData2};
    for (const VfoRow &v : image.vfos)
        records << makeVfoData(v);
    for (const ChannelRow &r : image.channels)
        records << makeMemoryData(r);
    RadioImage out = image;
    for (auto _ : state) {
        decodeSettingsData(records[0], records[1], out.settings);
        decodeVfoData(records[2], out.vfos[0]);
        decodeVfoData(records[3], out.vfos[1]);
        for (int ch = 0; ch < kChannelCount; ++ch)
            decodeMemoryData(records[4 + ch], out.channels[ch]);
        makeSettingsData(out.settings, out.SettingsData1, out.SettingsData2);
        benchmark::DoNotOptimize(makeVfoData(out.vfos[0]));
        benchmark::DoNotOptimize(makeVfoData(out.vfos[1]));
        for (const ChannelRow &r : out.channels)
            benchmark::DoNotOptimize(makeMemoryData(r));
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
        CloneLoadResult load = readCloneFile(path, image);
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
        CloneLoadResult load = parseCloneFile(bytes, image);
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

} // namespace

BENCHMARK_MAIN();
