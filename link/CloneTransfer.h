// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The radio operations (identify, read, write) as one event-driven engine over a transport: the
// serial port for the programs, a scripted radio for the tests.
// One operation at a time: start() refuses a second while one runs. Every step is driven by
// readyRead, errorOccurred and single-shot timers; nothing blocks and no event loop is nested.

#include "files/Backups.h"
#include "files/CloneDocument.h"
#include "link/LinkTimings.h"

#include <QList>
#include <QObject>
#include <QString>
#include <memory>

namespace ktv4 {

class Transport;

enum class Operation {
    Identify,     // "Auto Select"
    ReadSettings, // settings 1, settings 2, VFO A, VFO B
    ReadMemory,   // channels 0..603
    ReadAll,      // settings, then memory if the settings were read completely
    WriteSettings,
    WriteMemory,
    WriteAll,
    // Only the records that differ from what the radio is known to hold, in address order, with
    // Write ALL's write-enable line and closing line.
    WriteChanges,
    // The read-back check after a write: a phase of the writes, not an operation of its own.
    VerifyWritten,
    // The reads Write Changes makes before it writes, of the records whose content in the radio
    // is not known: a phase, not an operation of its own. What it reads goes to what the radio is
    // known to hold, not into the image.
    ReadBeforeWrite,
};

enum class TransferOutcome {
    Completed,          // every step done; Read ALL and Write ALL may go on
    CommunicationError, // "Communication Error": time-out, wrong length, wrong answer
    ComPortError,       // "COM Port Error": the port failed, could not be opened, or a record did not decode
    Cancelled,          // stopped by cancel() between two exchanges
    VerifyFailed,       // "Verify Error": a record read back is not what the radio acknowledged
};

struct TransferResult {
    Operation operation = Operation::Identify;
    TransferOutcome outcome = TransferOutcome::Completed;
    QString detail; // why, for the details of the message box and stderr: "no such device", ...
    // For ReadAll / WriteAll: which half failed (settings or memory). Informational.
    bool memoryStep = false;
    // The port could not be opened, so nothing reached the radio.
    bool portNotOpened = false;
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
    // The radio sent nothing at all, not even its echo, before the time-out.
    bool noReply = false;
};

bool isWriteOperation(Operation operation);

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

// What the backup of an operation holds of the radio: the settings and VFOs, the channels, all
// of it, or the records Write Changes sends.
BackupScope backupScope(Operation operation);

// "Communication Error", "COM Port Error", "Cancelled", "Verify Error" (empty for Completed).
QString outcomeText(TransferOutcome outcome);

class CloneTransfer : public QObject {
    Q_OBJECT
public:
    // The engine talks through `transport`, which it keeps, with the reply time-out and record
    // pause of `timings` (kRadioTimings for the radio).
    CloneTransfer(CloneDocument &document, std::unique_ptr<Transport> transport, LinkTimings timings,
                  QObject *parent = nullptr);
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
    // Starts an operation; false (and nothing happens) when one is already running.
    bool start(Operation operation);
    // Stops the running operation before its next exchange; finishes with Cancelled.
    void cancel();

signals:
    // A phase began: ReadAll/WriteAll emit it for the settings part and again for the memory part.
    void phaseStarted(Operation phase);
    void progress(int channel);       // 0..603 during memory transfers and channel writes and checks
    void channelDecoded(int channel); // ChannelTable row updated from the radio
    void settingsDecoded();           // settings values updated from the radio
    void vfosDecoded();               // both VFO rows updated from the radio
    void identified(int modelIndex, bool variantA);
    void finished(const ktv4::TransferResult &result);

private:
    class Private;
    Private *d;
};

// "COM3" -> "/dev/ttyS2" and "ttyUSB0" -> "/dev/ttyUSB0" on Linux; paths are returned unchanged.
QString platformPortName(const QString &portName);

} // namespace ktv4
