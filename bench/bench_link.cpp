// Read memory and write memory against ktv4sim, paced at a real line speed: wall time against
// the floor (every character on the line at that speed, plus the pauses the radio needs) and
// the CPU time the program spent, which should stay near zero because nothing polls.

#include "files/CloneDocument.h"
#include "link/BlockCommands.h"
#include "link/CloneTransfer.h"
#include "link/SerialTransport.h"

#include <QCoreApplication>
#include <QProcess>
#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>

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

double processCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

class Simulator {
public:
    explicit Simulator(int baud)
    {
        m_process.start(QStringLiteral(KTV4SIM_PATH), {QStringLiteral("--baud"), QString::number(baud)});
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

TransferOutcome runToEnd(CloneTransfer &transfer, Operation operation)
{
    TransferOutcome outcome = TransferOutcome::CommunicationError;
    const auto done =
        QObject::connect(&transfer, &CloneTransfer::finished, [&outcome](const TransferResult &r) {
            outcome = r.outcome;
            QCoreApplication::exit(0);
        });
    transfer.start(operation);
    QCoreApplication::exec();
    QObject::disconnect(done);
    return outcome;
}

void transferMemory(benchmark::State &state, Operation operation)
{
    const int baud = int(state.range(0));
    Simulator simulator(baud);
    if (simulator.device().isEmpty()) {
        state.SkipWithError("ktv4sim did not start");
        return;
    }
    CloneDocument document;
    CloneTransfer transfer(document, std::make_unique<SerialTransport>(), kRadioTimings);
    transfer.setPortName(simulator.device());
    // Opens the port, so the measured operation starts on an open line.
    if (runToEnd(transfer, Operation::Identify) != TransferOutcome::Completed) {
        state.SkipWithError("identify failed");
        return;
    }

    double wall = 0;
    double cpu = 0;
    for (auto _ : state) {
        const double cpuStart = processCpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        const TransferOutcome outcome = runToEnd(transfer, operation);
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
    const double floor = floorOf(operation).seconds(baud);
    wall /= iterations;
    cpu /= iterations;
    state.counters["floor_s"] = floor;
    state.counters["wall_s"] = wall;
    state.counters["over_floor_%"] = 100.0 * (wall - floor) / floor;
    state.counters["cpu_ms"] = cpu * 1000.0;
    state.counters["cpu_%_of_core"] = 100.0 * cpu / wall;
}

void readMemory(benchmark::State &state)
{
    transferMemory(state, Operation::ReadMemory);
}
void writeMemory(benchmark::State &state)
{
    transferMemory(state, Operation::WriteMemory);
}

} // namespace

BENCHMARK(readMemory)->Arg(115200)->Arg(9600)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(writeMemory)->Arg(115200)->Arg(9600)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

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
