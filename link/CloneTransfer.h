// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The radio operations (identify, read, write) as one event-driven engine over a transport: the
// serial port for the programs, a scripted radio for the tests.
// One operation at a time: start() refuses a second while one runs. Every step is driven by
// readyRead, errorOccurred and single-shot timers; nothing blocks and no event loop is nested.

#include "link/LinkTimings.h"
#include "link/WritePlan.h"

#include <QList>
#include <QObject>
#include <QString>
#include <memory>

namespace ktv4 {

class Transport;

// How an operation ended, named for the cause. The user sees the message of its family:
// "Communication Error" for the radio's answers, "COM Port Error" for the port and for a record
// that does not decode.
enum class TransferOutcome {
    Completed,         // every step done; Read ALL and Write ALL may go on
    NoReply,           // the radio sent nothing at all, not even its echo, before the time-out
    IncompleteReply,   // part of a reply came, then nothing until the time-out
    BadReply,          // a reply of the wrong length, the wrong answer, or not acknowledged
    PortNotOpened,     // the port could not be opened: nothing reached the radio
    PortFailed,        // the port failed during the operation
    RecordUndecodable, // a record read does not decode (a mode byte above 5, a setting outside its list)
    Cancelled,         // stopped by cancel() between two exchanges
    VerifyFailed,      // "Verify Error": a record read back is not what the radio acknowledged
};

bool isCommunicationError(TransferOutcome outcome); // NoReply, IncompleteReply, BadReply
bool isPortError(TransferOutcome outcome);          // PortNotOpened, PortFailed, RecordUndecodable

struct TransferResult {
    Operation operation = Operation::Identify;
    TransferOutcome outcome = TransferOutcome::Completed;
    QString detail; // why, for the details of the message box and stderr: "no such device", ...
    // For ReadAll / WriteAll: which half failed (settings or memory). Informational.
    bool memoryStep = false;
    // The read-back check: records read back as they were written, and the addresses of those
    // that differ, in address order.
    int verifiedRecords = 0;
    QList<int> mismatchedRecords = {};
    // Writes: the records the operation was to send, and those the radio acknowledged, by address
    // in the order sent. The radio now holds the acknowledged ones; a write that stopped left the
    // others as they were.
    QList<int> plannedRecords = {};
    QList<int> writtenRecords = {};
    // Every record the write planned but the radio did not acknowledge is one whose content in
    // the radio the program knows, or knows to be uncertain: Write Changes sends what is left.
    bool leftKnown = false;
    // Write Changes: the records it read first that differ from the image but had never been
    // read, so the preview could not show what writing them would replace. These are left as the
    // radio holds them; the next Write Changes shows them.
    QList<int> heldBackRecords = {};
    // Reads: the records that reached the image, in the order read. A read that stopped part-way
    // leaves these as the radio holds them and every other record as it was.
    QList<int> readRecords = {};
    // Identify: the radio answered as the radio (whatever model code followed).
    bool answeredIdentify = false;
    // What the radio now holds, as this operation learned it: for what the program knows of it.
    RadioUpdate radio = {};
};

// What a write left in the radio, for the user: "Channels 0 to 79 were written; channels 80 to
// B199 were not." Empty for reads and identify.
QString writtenSummary(const TransferResult &result);

// What a read that stopped left in the image: "Channels 0 to 15 were read; the rest are as they
// were." Empty for writes, identify and a read that completed.
QString readSummary(const TransferResult &result);

// Write Changes: the records read first that differ but were left alone, for the user: "Settings
// block 1 and VFO A were read first and differ from this image; they were not written. Write
// Changes again shows them." Empty when there are none.
QString heldBackSummary(const TransferResult &result);

// "Communication Error", "COM Port Error", "Cancelled", "Verify Error" (empty for Completed).
QString outcomeText(TransferOutcome outcome);

class CloneTransfer : public QObject {
    Q_OBJECT
public:
    // The engine talks through `transport`, which it keeps, with the reply time-out and record
    // pause of `timings` (kRadioTimings for the radio).
    CloneTransfer(std::unique_ptr<Transport> transport, LinkTimings timings, QObject *parent = nullptr);
    ~CloneTransfer() override;

    Transport &transport();

    // Device name of the port: a path ("/dev/ttyUSB0", a pseudo-terminal) or "COMn", which maps
    // to this platform's name for that port. Takes effect at the next open.
    void setPortName(const QString &portName);
    QString portName() const;
    // The port stays open between operations; the COM port dialog closes it.
    void closePort();
    bool isPortOpen() const;

    // Every line sent and received, with timestamps; empty path = no trace. False when the file
    // cannot be written (traceError() says why).
    bool setTraceFile(const QString &path);
    // Why the trace could not be written, or lost entries; empty while it is whole.
    QString traceError() const;

    // After every write, read back each record the radio acknowledged and compare it with what
    // was sent. Off unless asked for.
    void setVerifyWrites(bool on);
    bool verifyWrites() const;

    bool isBusy() const;
    // Starts identify or a read into a copy of `image`, or the write of `plan`; false (and nothing
    // happens) when an operation is already running, or for a write without a plan.
    bool start(Operation operation, const RadioImage &image = RadioImage());
    bool start(const WritePlan &plan);
    // The image a read fills: the one it started from, with every record read so far.
    const RadioImage &image() const;
    // Stops the running operation before its next exchange; finishes with Cancelled.
    void cancel();

signals:
    // A phase began: ReadAll/WriteAll emit it for the settings part and again for the memory part.
    void phaseStarted(Operation phase);
    void progress(int channel);       // 0..603 during memory transfers and channel writes and checks
    void channelDecoded(int channel); // image(): the channel as the radio holds it
    void settingsDecoded();           // image(): the settings as the radio holds them
    void vfosDecoded();               // image(): both VFOs as the radio holds them
    void finished(const ktv4::TransferResult &result);

private:
    class Private;
    Private *d;
};

// "COM3" -> "/dev/ttyS2" and "ttyUSB0" -> "/dev/ttyUSB0" on Linux; paths are returned unchanged.
QString platformPortName(const QString &portName);

} // namespace ktv4
