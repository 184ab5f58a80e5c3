// SPDX-License-Identifier: GPL-3.0-or-later
// Codec and file speed: every record decoded and encoded, a whole clone file loaded and saved,
// the CSV export and import of 604 channels, a whole memory file written and read, and a season's
// broadcast schedule read and filtered (it must take at most 100 ms).

#include "bench/BenchImages.h"
#include "files/CloneFile.h"
#include "files/CsvExchange.h"
#include "files/MemoryFile.h"
#include "files/SchedulePlan.h"

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
// A season's schedule as EiBi publishes it: 10,000 rows, about 600 kB, Latin-1, a few hundred
// stations on some 2,000 frequencies across the broadcast bands, every form of days.
QByteArray seasonSchedule()
{
    const char *const stations[] = {
        "R.Algiers Int.", "Voice of America", "China Radio Int.", "BBC",        "R.Nacional da Amaz\xf4nia",
        "Deutsche Welle", "Trans World R.",   "KBS World Radio",  "Vatican R.", "R.Romania Int."};
    const char *const days[] = {"", "", "", "Mo-Fr", "Sa,Su", "1245", "irr", "24Dec", "Mo,We,Fr"};
    const char *const languages[] = {"E", "A,F", "S", "D,E", "-CW", "-TS", "R", "M"};
    const int bandKhz[] = {2310, 3200, 3900, 4750, 5900, 7200, 9400, 11600, 13570, 15100, 17480, 21450};
    QByteArray csv = "kHz:75;Time(UTC):93;Days:59;ITU:49;Station:201;Lng:49;Target:62;Remarks:135;P:35;"
                     "Start:60;Stop:60;\r\n";
    for (int i = 0; i < 10000; ++i) {
        const int khz = bandKhz[i % 12] + (i * 7) % 163 * 5;
        const int start = (i * 37) % 24;
        csv += QByteArray::number(khz) + (i % 50 == 0 ? ".5" : "") + ';' +
               QByteArray::number(start * 100).rightJustified(4, '0') + '-' +
               QByteArray::number((start + 1 + i % 3) % 24 * 100).rightJustified(4, '0') + ';' + days[i % 9] +
               ";USA;" + stations[i % 10] + ' ' + QByteArray::number(i % 37) + ';' + languages[i % 8] +
               ";Eu;" + (i % 40 == 0 ? "USB" : "/ROU-t") + ";1;;\r\n";
    }
    return csv;
}

void BM_ScheduleReadAndFilter(benchmark::State &state)
{
    const QByteArray csv = seasonSchedule();
    ScheduleFilter filter;
    filter.atMinute = 20 * 60;
    filter.languages = QStringList{"E", "F"};
    const ChannelTable empty{};
    for (auto _ : state) {
        const Schedule schedule = parseSchedule(csv);
        const ScheduleSelection all = selectSchedule(schedule, ScheduleFilter{});
        const ScheduleSelection evening = selectSchedule(schedule, filter);
        benchmark::DoNotOptimize(planSchedule(evening, empty, 0, 0));
        if (schedule.entries.size() != 10000 || all.frequencies.size() < 1000)
            state.SkipWithError("the schedule lost rows");
    }
    state.SetBytesProcessed(state.iterations() * csv.size());
}
BENCHMARK(BM_ScheduleReadAndFilter)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
