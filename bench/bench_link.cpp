// SPDX-License-Identifier: GPL-3.0-or-later
// Read memory and write memory against ktv4sim, paced at a real line speed: wall time against
// the floor (every character on the line at that speed, plus the pauses the radio needs) and
// the CPU time the program spent, which should stay near zero because nothing polls. Also Write
// Changes of five channels, with and without the read-back check.

#include "bench/BenchImages.h"
#include "files/CloneDocument.h"
#include "files/CloneFile.h"
#include "files/DocumentTransfer.h"
#include "link/BlockCommands.h"
#include "link/CloneTransfer.h"
#include "link/SerialTransport.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>
#include <functional>

using namespace ktv4;

namespace {

constexpr double kPauseSeconds = 0.010;
constexpr int kEndReplyLength = 10; // the virtual radio's echo and "OK"

struct Floor {
    qint64 characters = 0;
    int pauses = 0;
    double seconds(int baud) const { return characters * 10.0 / baud + pauses * kPauseSeconds; }
};

// What a complete operation puts on the line, both directions, and how often it must pause.
Floor floorOf(Operation operation)
{
    Floor floor;
    const qint64 end = endLine().size() + kEndReplyLength;
    if (operation == Operation::ReadMemory) {
        floor.characters = kChannelCount * qint64(kReadLineLength + kReadReplyLength) + end;
        floor.pauses = kChannelCount + 1;
    } else {
        floor.characters = kWriteEnableLineLength + kWriteEnableReplyLength +
                           kChannelCount * qint64(kWriteLineLength + kWriteReplyLength) + end;
        floor.pauses = 1 + kChannelCount + 1 + 1;
    }
    return floor;
}

// Write Changes of `records` records: the write-enable line and its pause, a pause before each
// record, one after the last, the closing line and its pause; with the read-back check, each
// record read with a pause after it, and a second closing line.
Floor floorOfChanges(int records, bool verify)
{
    Floor floor;
    const qint64 end = endLine().size() + kEndReplyLength;
    floor.characters = kWriteEnableLineLength + kWriteEnableReplyLength +
                       records * (kWriteLineLength + kWriteReplyLength) + end;
    floor.pauses = 1 + records + 1 + 1;
    if (verify) {
        floor.characters += records * (kReadLineLength + kReadReplyLength) + end;
        floor.pauses += records + 1;
    }
    return floor;
}

double processCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

class Simulator {
public:
    explicit Simulator(int baud, const QStringList &more = {})
    {
        m_process.start(QStringLiteral(KTV4SIM_PATH),
                        QStringList{QStringLiteral("--baud"), QString::number(baud)} + more);
        if (m_process.waitForReadyRead(10000))
            m_device = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }
    ~Simulator()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
    }
    QString device() const { return m_device; }

private:
    QProcess m_process;
    QString m_device;
};

// Runs `operation` on the document (a write: of the plan the document makes) to its end.
TransferOutcome runToEnd(DocumentTransfer &link, Operation operation)
{
    TransferOutcome outcome = TransferOutcome::Cancelled;
    const auto done =
        QObject::connect(&link, &DocumentTransfer::finished, [&outcome](const TransferResult &r) {
            outcome = r.outcome;
            QCoreApplication::exit(0);
        });
    if (isWriteOperation(operation) ? link.start(link.plan(operation)) : link.start(operation))
        QCoreApplication::exec();
    QObject::disconnect(done);
    return outcome;
}

// Times `operation` over the open link; the counters compare the mean wall time with the floor.
void timeTransfers(benchmark::State &state, DocumentTransfer &link, Operation operation, double floor,
                   const std::function<void()> &beforeEach = {})
{
    double wall = 0;
    double cpu = 0;
    for (auto _ : state) {
        if (beforeEach)
            beforeEach();
        const double cpuStart = processCpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        const TransferOutcome outcome = runToEnd(link, operation);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        cpu += processCpuSeconds() - cpuStart;
        wall += elapsed.count();
        state.SetIterationTime(elapsed.count());
        if (outcome != TransferOutcome::Completed) {
            state.SkipWithError("the transfer failed");
            return;
        }
    }
    const double iterations = double(state.iterations());
    wall /= iterations;
    cpu /= iterations;
    state.counters["floor_s"] = floor;
    state.counters["wall_s"] = wall;
    state.counters["over_floor_%"] = 100.0 * (wall - floor) / floor;
    state.counters["cpu_ms"] = cpu * 1000.0;
    state.counters["cpu_%_of_core"] = 100.0 * cpu / wall;
}

// Opens the port with identify, so the measured operation starts on an open line.
bool openLink(benchmark::State &state, const Simulator &simulator, DocumentTransfer &link)
{
    if (simulator.device().isEmpty()) {
        state.SkipWithError("ktv4sim did not start");
        return false;
    }
    link.transfer().setPortName(simulator.device());
    if (runToEnd(link, Operation::Identify) != TransferOutcome::Completed) {
        state.SkipWithError("identify failed");
        return false;
    }
    return true;
}

void transferMemory(benchmark::State &state, Operation operation)
{
    const int baud = int(state.range(0));
    Simulator simulator(baud);
    CloneDocument document;
    CloneTransfer transfer(std::make_unique<SerialTransport>(), kRadioTimings);
    DocumentTransfer link(document, transfer);
    if (openLink(state, simulator, link))
        timeTransfers(state, link, operation, floorOf(operation).seconds(baud));
}

void readMemory(benchmark::State &state)
{
    transferMemory(state, Operation::ReadMemory);
}
void writeMemory(benchmark::State &state)
{
    transferMemory(state, Operation::WriteMemory);
}

// Write Changes of five channels, spread over the banks, to a radio that holds the rest: the
// update that replaces a minute of Write Memory. range(1) turns the read-back check on.
constexpr int kChangedChannels = 5;

void writeChanges(benchmark::State &state)
{
    const int baud = int(state.range(0));
    const bool verify = state.range(1) != 0;
    QTemporaryDir dir;
    const QString held = dir.filePath(QStringLiteral("radio.TV4"));
    CloneDocument document;
    document.image() = bench::fullImage();
    if (!writeCloneFile(held, document.image(), kStartupModelOption, false).ok()) {
        state.SkipWithError("the radio's image could not be saved");
        return;
    }
    Simulator simulator(baud, {QStringLiteral("--image"), held});
    // What the program knows after reading that image from the radio.
    const ImageRecords records = imageRecords(document.image());
    for (int i = 0; i < kRecordCount; ++i)
        document.radio().setRecord(recordAddress(i), records[i]);
    CloneTransfer transfer(std::make_unique<SerialTransport>(), kRadioTimings);
    DocumentTransfer link(document, transfer);
    transfer.setVerifyWrites(verify);
    if (!openLink(state, simulator, link))
        return;
    int round = 0;
    const auto changeFiveChannels = [&] {
        ++round;
        for (int k = 0; k < kChangedChannels; ++k) {
            document.image().channels[k * 120 + 7].frequency = 7'000'000 + round * 1'000 + k * 100;
        }
    };
    timeTransfers(state, link, Operation::WriteChanges,
                  floorOfChanges(kChangedChannels, verify).seconds(baud), changeFiveChannels);
}
} // namespace

BENCHMARK(readMemory)->Arg(115200)->Arg(9600)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(writeMemory)->Arg(115200)->Arg(9600)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(writeChanges)
    ->ArgNames({"baud", "verify"})
    ->Args({9600, 0})
    ->Args({9600, 1})
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
