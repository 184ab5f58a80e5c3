// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CloneTransfer.h"

#include "link/BlockCommands.h"
#include "link/LineExchange.h"
#include "link/LinkLog.h"
#include "link/TransferTrace.h"
#include "link/Transport.h"
#include "model/ChannelNaming.h"
#include "model/ImageDiff.h"

#include <QTimer>
#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace ktv4 {

QString outcomeText(TransferOutcome outcome)
{
    if (isCommunicationError(outcome))
        return QStringLiteral("Communication Error");
    if (isPortError(outcome))
        return QStringLiteral("COM Port Error");
    if (outcome == TransferOutcome::Cancelled)
        return QStringLiteral("Cancelled");
    if (outcome == TransferOutcome::VerifyFailed)
        return QStringLiteral("Verify Error");
    return QString();
}

bool isCommunicationError(TransferOutcome outcome)
{
    return outcome == TransferOutcome::NoReply || outcome == TransferOutcome::IncompleteReply ||
           outcome == TransferOutcome::BadReply;
}

bool isPortError(TransferOutcome outcome)
{
    return outcome == TransferOutcome::PortNotOpened || outcome == TransferOutcome::PortFailed ||
           outcome == TransferOutcome::RecordUndecodable;
}

namespace {

QString capitalized(QString text)
{
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

} // namespace

QString writtenSummary(const TransferResult &result)
{
    if (!isWriteOperation(result.operation))
        return QString();
    QList<int> written = result.writtenRecords;
    std::sort(written.begin(), written.end());
    written.erase(std::unique(written.begin(), written.end()), written.end());
    QList<int> left;
    for (const int address : result.plannedRecords) {
        if (!std::binary_search(written.cbegin(), written.cend(), address))
            left << address;
    }
    if (written.isEmpty())
        return CloneTransfer::tr("Nothing was written to the radio.");
    if (left.isEmpty()) {
        switch (result.operation) {
        case Operation::WriteSettings:
            return CloneTransfer::tr("The settings and both VFOs were written.");
        case Operation::WriteMemory:
            return CloneTransfer::tr("All %1 channels were written.").arg(kChannelCount);
        case Operation::WriteAll:
            return CloneTransfer::tr("The settings, both VFOs and all %1 channels were written.")
                .arg(kChannelCount);
        default:
            return (written.size() == 1
                        ? CloneTransfer::tr("1 changed record was written: %1.")
                        : CloneTransfer::tr("%1 changed records were written: %2.").arg(written.size()))
                .arg(describeRecords(written));
        }
    }
    const QString done = capitalized(describeRecords(written));
    const QString rest = describeRecords(left);
    // "was" or "were" by the number of records.
    return CloneTransfer::tr("%1 were written; ", nullptr, int(written.size())).arg(done) +
           CloneTransfer::tr("%1 were not.", nullptr, int(left.size())).arg(rest);
}

QString readSummary(const TransferResult &result)
{
    if (!isReadOperation(result.operation) || result.outcome == TransferOutcome::Completed)
        return QString();
    if (result.readRecords.isEmpty())
        return CloneTransfer::tr("Nothing was read; the data are as they were.");
    const QString read = capitalized(describeRecords(result.readRecords));
    return CloneTransfer::tr("%1 were read; the rest are as they were.", nullptr,
                             int(result.readRecords.size()))
        .arg(read);
}

QString heldBackSummary(const TransferResult &result)
{
    if (result.heldBackRecords.isEmpty())
        return QString();
    const QString held = capitalized(describeRecords(result.heldBackRecords));
    return (result.heldBackRecords.size() == 1
                ? CloneTransfer::tr("%1 was read first and differs from this image; it was not written, as "
                                    "it had never been read. Write Changes again shows how it differs.")
                : CloneTransfer::tr(
                      "%1 were read first and differ from this image; they were not written, "
                      "as they had never been read. Write Changes again shows how they differ."))
        .arg(held);
}

namespace {

struct Failure {
    TransferOutcome outcome;
    QString detail;
};
using Verdict = std::optional<Failure>;

Failure refused(const QString &detail)
{
    return {TransferOutcome::BadReply, detail};
}
Failure undecodable(const QString &detail)
{
    return {TransferOutcome::RecordUndecodable, detail};
}

// One step of an operation: something done between exchanges, a pause, or an exchange whose
// reply is judged (the closing line's reply is not). A block read or write names its record.
struct Step {
    enum Kind { Do, Pause, Exchange, End } kind;
    std::function<Verdict()> action;
    QByteArray line;
    std::function<Verdict(const QByteArray &line, const QByteArray &reply)> judge;
    int address = -1;
    enum Record { None, Read, Write } record = None;
    RecordBytes sent{}; // a block write: the record it sends
};

QString operationName(Operation operation)
{
    switch (operation) {
    case Operation::Identify:
        return QStringLiteral("identify");
    case Operation::ReadSettings:
        return QStringLiteral("read settings");
    case Operation::ReadMemory:
        return QStringLiteral("read memory");
    case Operation::ReadAll:
        return QStringLiteral("read all");
    case Operation::WriteSettings:
        return QStringLiteral("write settings");
    case Operation::WriteMemory:
        return QStringLiteral("write memory");
    case Operation::WriteChanges:
        return QStringLiteral("write changes");
    case Operation::VerifyWritten:
        return QStringLiteral("read back");
    case Operation::ReadBeforeWrite:
        return QStringLiteral("read before writing");
    case Operation::WriteAll:
        break;
    }
    return QStringLiteral("write all");
}

QString shortLine(const QByteArray &line)
{
    // Block writes are named by their command and address only.
    return QString::fromLatin1(line.left(line.startsWith("OV~F") ? 9 : line.indexOf('\r')));
}

Verdict needLength(const QByteArray &line, const QByteArray &reply, int length)
{
    if (reply.size() == length)
        return {};
    return refused(QStringLiteral("%1: reply of %2 characters, %3 expected")
                       .arg(shortLine(line))
                       .arg(reply.size())
                       .arg(length));
}

Verdict needAcknowledgement(const QByteArray &line, const QByteArray &reply, int length)
{
    if (isAcknowledged(reply, length))
        return {};
    if (reply.size() != length)
        return needLength(line, reply, length);
    return refused(QStringLiteral("%1: not acknowledged (%2)")
                       .arg(shortLine(line), TransferTrace::printable(reply.right(4))));
}

Verdict acknowledged(const QByteArray &line, const QByteArray &reply)
{
    return needAcknowledgement(line, reply, kWriteReplyLength);
}

Verdict readLength(const QByteArray &line, const QByteArray &reply)
{
    return needLength(line, reply, kReadReplyLength);
}

} // namespace

class CloneTransfer::Private {
public:
    Private(CloneTransfer *q, std::unique_ptr<Transport> port, LinkTimings timings)
        : q(q), ownedTransport(std::move(port)), transport(*ownedTransport),
          exchange(transport, timings.replyTimeout), recordPause(timings.recordPause)
    {
        pause.setSingleShot(true);
        // The radio is owed its full pause; a coarse timer may fire early.
        pause.setTimerType(Qt::PreciseTimer);
        exchange.setTrace(&trace);
    }

    CloneTransfer *q;
    std::unique_ptr<Transport> ownedTransport;
    Transport &transport;
    LineExchange exchange;
    std::chrono::milliseconds recordPause;
    TransferTrace trace;
    QTimer pause;

    bool busy = false;
    bool cancelRequested = false;
    bool endLineSent = false;
    Operation operation = Operation::Identify;
    std::vector<Operation> phases;
    std::size_t phaseIndex = 0;
    std::vector<Step> steps;
    std::size_t stepIndex = 0;
    // The image a read fills, and the write being carried out.
    RadioImage image;
    WritePlan plan;
    // What the radio is known to hold: as planned, with what this operation learned laid over.
    RadioMemory known;
    RadioUpdate update;
    bool answeredIdentify = false;
    // Records that are decoded together with the one after them: settings 1, VFO A.
    RecordBytes heldSettings1{};
    RecordBytes heldVfoA{};
    bool verifyWrites = false;
    // What the radio acknowledged in this operation, for the read-back check: address and record.
    std::vector<std::pair<int, RecordBytes>> written;
    QList<int> planned;
    int verified = 0;
    QList<int> mismatched;
    QList<int> heldBack;
    QList<int> readRecords;
    // The radio acknowledged the write-enable line and has not yet been sent the closing line: a
    // cancel ends its write session with the closing line.
    bool writeSession = false;
    bool closingAfterCancel = false;

    bool begin(Operation operation);
    void startPhase();
    void addPhaseSteps(Operation phase);
    void runSteps();
    void exchangeFinished(const ExchangeResult &result);
    void pauseOver();
    void finish(TransferOutcome outcome, const QString &detail = QString());

    void addIdentify();
    void addReadSettings();
    void addReadMemory();
    void addWrites(const QList<PlannedRecord> &records, bool channelProgress);
    void addWriteEnable();
    void addWriteChanges();
    void addReadBeforeWrite();
    void addVerify();
    void addChannelProgress(int address);
    bool closeOnCancel();
    void learn(int address, const std::optional<RecordBytes> &bytes);
    void noteRecord(const Step &step, const QByteArray &reply);
    void addPause() { steps.push_back({Step::Pause, {}, {}, {}}); }
    void addDo(std::function<Verdict()> action) { steps.push_back({Step::Do, std::move(action), {}, {}}); }
    void addExchange(const QByteArray &line,
                     std::function<Verdict(const QByteArray &, const QByteArray &)> judge)
    {
        steps.push_back({Step::Exchange, {}, line, std::move(judge)});
    }
    // A block read of the record at `address`; `use` takes the record once the reply's length is right.
    void addBlockRead(int address, std::function<Verdict(const RecordBytes &)> use = {})
    {
        addExchange(blockReadLine(address),
                    [use](const QByteArray &line, const QByteArray &reply) -> Verdict {
                        if (const Verdict failure = readLength(line, reply))
                            return failure;
                        return use ? use(parseRecordText(blockReadData(reply))) : Verdict();
                    });
        steps.back().address = address;
        steps.back().record = Step::Read;
    }
    void addBlockWrite(const PlannedRecord &record)
    {
        addExchange(blockWriteLine(record.address, recordText(record.bytes)), acknowledged);
        steps.back().address = record.address;
        steps.back().record = Step::Write;
        steps.back().sent = record.bytes;
    }
    // The closing line that ends a completed transfer, whatever its reply, then the pause.
    void addClosingLine()
    {
        steps.push_back({Step::End, {}, endLine(), {}});
        addPause();
    }
};

CloneTransfer::CloneTransfer(std::unique_ptr<Transport> transport, LinkTimings timings, QObject *parent)
    : QObject(parent), d(new Private(this, std::move(transport), timings))
{
    connect(&d->exchange, &LineExchange::finished, this,
            [this](const ExchangeResult &result) { d->exchangeFinished(result); });
    connect(&d->pause, &QTimer::timeout, this, [this] { d->pauseOver(); });
}

CloneTransfer::~CloneTransfer()
{
    delete d;
}

Transport &CloneTransfer::transport()
{
    return d->transport;
}

void CloneTransfer::setPortName(const QString &portName)
{
    d->transport.setPortName(portName);
}

QString CloneTransfer::portName() const
{
    return d->transport.portName();
}

void CloneTransfer::closePort()
{
    d->transport.close();
    d->exchange.portClosed();
}

bool CloneTransfer::isPortOpen() const
{
    return d->transport.isOpen();
}

bool CloneTransfer::setTraceFile(const QString &path)
{
    if (d->trace.open(path))
        return true;
    qCWarning(lcLink) << "cannot write the transfer trace" << path << d->trace.errorString();
    return false;
}

QString CloneTransfer::traceError() const
{
    return d->trace.errorString();
}

void CloneTransfer::setVerifyWrites(bool on)
{
    d->verifyWrites = on;
}

bool CloneTransfer::verifyWrites() const
{
    return d->verifyWrites;
}

bool CloneTransfer::isBusy() const
{
    return d->busy;
}

const RadioImage &CloneTransfer::image() const
{
    return d->image;
}

bool CloneTransfer::start(Operation operation, const RadioImage &image)
{
    if (isWriteOperation(operation) || !d->begin(operation))
        return false;
    d->image = image;
    d->known = RadioMemory();
    return true;
}

bool CloneTransfer::start(const WritePlan &plan)
{
    if (!isWriteOperation(plan.operation) || !d->begin(plan.operation))
        return false;
    d->plan = plan;
    d->known = plan.radio;
    d->planned = plan.addresses();
    // Write Changes reads first what the radio is not known to hold.
    if (plan.operation == Operation::WriteChanges && !plan.reads.isEmpty())
        d->phases.insert(d->phases.begin(), Operation::ReadBeforeWrite);
    return true;
}

bool CloneTransfer::Private::begin(Operation operation)
{
    // The window's menus stay usable during a transfer; a second operation would interleave its
    // lines with the running one.
    if (busy || operation == Operation::VerifyWritten || operation == Operation::ReadBeforeWrite)
        return false;
    busy = true;
    cancelRequested = false;
    this->operation = operation;
    switch (operation) {
    case Operation::ReadAll:
        phases = {Operation::ReadSettings, Operation::ReadMemory};
        break;
    case Operation::WriteAll:
        phases = {Operation::WriteSettings, Operation::WriteMemory};
        break;
    default:
        phases = {operation};
        break;
    }
    if (isWriteOperation(operation) && verifyWrites)
        phases.push_back(Operation::VerifyWritten);
    written.clear();
    planned.clear();
    heldBack.clear();
    readRecords.clear();
    update = RadioUpdate();
    answeredIdentify = false;
    closingAfterCancel = false;
    verified = 0;
    mismatched.clear();
    phaseIndex = 0;
    // The caller hears of progress and the end only after start() has returned.
    QMetaObject::invokeMethod(
        q, [this] { startPhase(); }, Qt::QueuedConnection);
    return true;
}

void CloneTransfer::cancel()
{
    if (!d->busy)
        return;
    d->cancelRequested = true;
    // A pause before the next exchange need not run out; the one after the closing line does, and
    // so does one in a write session, which the closing line ends after the pause.
    if (d->pause.isActive() && !d->endLineSent && !d->writeSession) {
        d->pause.stop();
        QMetaObject::invokeMethod(
            this, [this] { d->pauseOver(); }, Qt::QueuedConnection);
    }
}

void CloneTransfer::Private::startPhase()
{
    if (cancelRequested) {
        finish(TransferOutcome::Cancelled);
        return;
    }
    const Operation phase = phases[phaseIndex];
    trace.beginOperation(QStringLiteral("%1 on %2").arg(operationName(phase), transport.portName()));
    emit q->phaseStarted(phase);

    QString error;
    if (!transport.open(error)) {
        finish(TransferOutcome::PortNotOpened, error);
        return;
    }

    steps.clear();
    stepIndex = 0;
    endLineSent = false;
    writeSession = false;
    addPhaseSteps(phase);
    runSteps();
}

void CloneTransfer::Private::addPhaseSteps(Operation phase)
{
    switch (phase) {
    case Operation::Identify:
        addIdentify();
        break;
    case Operation::ReadSettings:
        addReadSettings();
        break;
    case Operation::ReadMemory:
        addReadMemory();
        break;
    case Operation::WriteSettings:
        addWrites(plan.records.mid(0, kFirstChannelIndex), false);
        break;
    case Operation::WriteMemory:
        addWrites(operation == Operation::WriteAll ? plan.records.mid(kFirstChannelIndex) : plan.records,
                  true);
        break;
    case Operation::WriteChanges:
        addWriteChanges();
        break;
    case Operation::VerifyWritten:
        addVerify();
        break;
    case Operation::ReadBeforeWrite:
        addReadBeforeWrite();
        break;
    case Operation::ReadAll:
    case Operation::WriteAll:
        Q_UNREACHABLE();
    }
}

void CloneTransfer::Private::runSteps()
{
    while (stepIndex < steps.size()) {
        Step &step = steps[stepIndex];
        switch (step.kind) {
        case Step::Do:
            if (const Verdict failure = step.action()) {
                finish(failure->outcome, failure->detail);
                return;
            }
            ++stepIndex;
            continue;
        case Step::Pause:
            if (cancelRequested && !endLineSent && !writeSession) {
                finish(TransferOutcome::Cancelled);
                return;
            }
            pause.start(recordPause);
            return;
        case Step::Exchange:
        case Step::End:
            if (cancelRequested && !closingAfterCancel) {
                if (closeOnCancel())
                    continue;
                finish(TransferOutcome::Cancelled);
                return;
            }
            endLineSent = step.kind == Step::End;
            if (endLineSent)
                writeSession = false;
            exchange.sendAndReceive(step.line);
            return;
        }
    }

    if (closingAfterCancel) {
        finish(TransferOutcome::Cancelled);
        return;
    }
    // The phase completed every step; Read ALL and Write ALL go on to the memory.
    if (++phaseIndex < phases.size()) {
        startPhase();
        return;
    }
    finish(TransferOutcome::Completed);
}

bool CloneTransfer::Private::closeOnCancel()
{
    // A write session the radio has answered so far ends with the closing line that a completed
    // write sends, so the radio leaves clone mode; what was written is reported as for any cancel.
    if (!writeSession)
        return false;
    closingAfterCancel = true;
    steps.erase(steps.begin() + qsizetype(stepIndex), steps.end());
    addClosingLine();
    return true;
}

void CloneTransfer::Private::exchangeFinished(const ExchangeResult &result)
{
    if (!busy || stepIndex >= steps.size())
        return;
    const Step &step = steps[stepIndex];
    // The closing line's reply, or its absence, is of no interest.
    if (step.kind == Step::Exchange) {
        // A write that went out without an acknowledgement may or may not have been stored.
        const bool acknowledged =
            result.status == ExchangeResult::Reply && isAcknowledged(result.reply, kWriteReplyLength);
        if (step.record == Step::Write && !acknowledged)
            learn(step.address, std::nullopt);
        if (result.status == ExchangeResult::PortFailed) {
            finish(TransferOutcome::PortFailed, result.detail);
            return;
        }
        if (result.status == ExchangeResult::TimedOut) {
            finish(result.reply.isEmpty() ? TransferOutcome::NoReply : TransferOutcome::IncompleteReply,
                   QStringLiteral("%1: %2").arg(shortLine(step.line), result.detail));
            return;
        }
        if (const Verdict failure = step.judge(step.line, result.reply)) {
            finish(failure->outcome, failure->detail);
            return;
        }
        noteRecord(step, result.reply);
    }
    ++stepIndex;
    runSteps();
}

void CloneTransfer::Private::pauseOver()
{
    if (!busy || stepIndex >= steps.size() || steps[stepIndex].kind != Step::Pause)
        return;
    ++stepIndex;
    runSteps();
}

void CloneTransfer::Private::finish(TransferOutcome outcome, const QString &detail)
{
    pause.stop();
    TransferResult result;
    result.operation = operation;
    result.outcome = outcome;
    result.detail = detail;
    result.memoryStep =
        (operation == Operation::ReadAll || operation == Operation::WriteAll) && phaseIndex >= 1;
    result.verifiedRecords = verified;
    result.mismatchedRecords = mismatched;
    result.plannedRecords = planned;
    for (const auto &record : written)
        result.writtenRecords << record.first;
    result.leftKnown = std::all_of(planned.cbegin(), planned.cend(),
                                   [this](int address) { return known.record(address).has_value(); });
    result.heldBackRecords = heldBack;
    result.readRecords = readRecords;
    result.answeredIdentify = answeredIdentify;
    result.radio = std::move(update);
    update = RadioUpdate();
    busy = false;
    cancelRequested = false;
    steps.clear();
    stepIndex = 0;
    if (outcome == TransferOutcome::Completed)
        trace.note(QStringLiteral("completed"));
    else
        trace.note(outcomeText(outcome) + (detail.isEmpty() ? QString() : QStringLiteral(": ") + detail));
    emit q->finished(result);
}

void CloneTransfer::Private::addIdentify()
{
    addExchange(identifyLine(), [this](const QByteArray &line, const QByteArray &reply) -> Verdict {
        const IdentifyReply id = parseIdentifyReply(reply);
        if (!id.lengthOk)
            return needLength(line, reply, kIdentifyReplyLength);
        if (!id.identityOk)
            return refused(QStringLiteral("OV~WHO: the radio answered as %1, not KTSV4")
                               .arg(TransferTrace::printable(reply.mid(8, 5))));
        answeredIdentify = true;
        if (id.modelIndex < 0)
            return refused(QStringLiteral("OV~WHO: unknown model code %1")
                               .arg(TransferTrace::printable(reply.mid(13, 2))));
        update.identity = RadioIdentity{id.modelIndex, id.variantA};
        return {};
    });
}

void CloneTransfer::Private::addReadSettings()
{
    addBlockRead(kSettings1Address, [this](const RecordBytes &record) -> Verdict {
        heldSettings1 = record;
        readRecords << kSettings1Address;
        return {};
    });
    addPause();
    // The settings are decoded from both records together, once both have arrived.
    addBlockRead(kSettings2Address, [this](const RecordBytes &record) -> Verdict {
        readRecords << kSettings2Address;
        RadioSettings settings = image.settings;
        const SettingsDecodeResult decoded = decodeSettings(heldSettings1, record, settings);
        if (!decoded.ok)
            return undecodable(QStringLiteral("the settings did not decode (%1)").arg(decoded.failedControl));
        image.settings = std::move(settings);
        emit q->settingsDecoded();
        return {};
    });
    addPause();
    addBlockRead(kVfoAAddress, [this](const RecordBytes &record) -> Verdict {
        heldVfoA = record;
        return {};
    });
    addPause();
    // Both VFOs change together or not at all, so the table never disagrees with the grid.
    addBlockRead(kVfoBAddress, [this](const RecordBytes &record) -> Verdict {
        const std::optional<Vfo> vfoA = decodeVfo(heldVfoA);
        if (!vfoA)
            return undecodable(QStringLiteral("VFO A did not decode (mode byte above 5)"));
        const std::optional<Vfo> vfoB = decodeVfo(record);
        if (!vfoB)
            return undecodable(QStringLiteral("VFO B did not decode (mode byte above 5)"));
        image.vfos = {*vfoA, *vfoB};
        readRecords << kVfoAAddress << kVfoBAddress;
        emit q->vfosDecoded();
        return {};
    });
    addPause();
    addClosingLine();
}

void CloneTransfer::Private::addReadMemory()
{
    steps.reserve(3 * kChannelCount + 4);
    for (int n = 0; n < kChannelCount; ++n) {
        addDo([this, n]() -> Verdict {
            emit q->progress(n);
            return {};
        });
        addBlockRead(channelAddress(n), [this, n](const RecordBytes &record) -> Verdict {
            // A record that does not decode leaves the channel as it was.
            std::optional<Channel> channel = decodeChannel(record);
            if (!channel)
                return undecodable(
                    QStringLiteral("channel %1 did not decode (mode byte above 5)").arg(gridRowLabel(n)));
            image.channels[n] = *std::move(channel);
            readRecords << channelAddress(n);
            emit q->channelDecoded(n);
            return {};
        });
        addPause();
    }
    addClosingLine();
}

void CloneTransfer::Private::addWriteEnable()
{
    addExchange(writeEnableLine(), [this](const QByteArray &line, const QByteArray &reply) {
        const Verdict failure = needAcknowledgement(line, reply, kWriteEnableReplyLength);
        writeSession = !failure;
        return failure;
    });
}

void CloneTransfer::Private::addWrites(const QList<PlannedRecord> &records, bool channelProgress)
{
    // Write Settings sends its four records one after the other; Write Memory and Write Changes
    // announce each channel and pause before it goes out.
    steps.reserve(3 * records.size() + 6);
    addWriteEnable();
    addPause();
    for (const PlannedRecord &record : records) {
        if (channelProgress) {
            addChannelProgress(record.address);
            addPause();
        }
        addBlockWrite(record);
        if (!channelProgress)
            addPause();
    }
    if (channelProgress)
        addPause();
    addClosingLine();
}

} // namespace ktv4

namespace ktv4 {

void CloneTransfer::Private::learn(int address, const std::optional<RecordBytes> &bytes)
{
    update.records.append({address, bytes});
    if (bytes)
        known.setRecord(address, *bytes);
    else
        known.markUncertain(address);
}

void CloneTransfer::Private::noteRecord(const Step &step, const QByteArray &reply)
{
    // What the radio now holds, from every accepted exchange: a record read, or a record
    // acknowledged.
    if (step.record == Step::Read) {
        learn(step.address, parseRecordText(blockReadData(reply)));
    } else if (step.record == Step::Write) {
        learn(step.address, step.sent);
        written.emplace_back(step.address, step.sent);
    }
}

void CloneTransfer::Private::addChannelProgress(int address)
{
    const int index = recordIndex(address);
    if (index < kFirstChannelIndex)
        return;
    addDo([this, index]() -> Verdict {
        emit q->progress(index - kFirstChannelIndex);
        return {};
    });
}

void CloneTransfer::Private::addReadBeforeWrite()
{
    // Read as a read is, closing line included; what arrives is what the radio is known to hold.
    steps.reserve(3 * plan.reads.size() + 2);
    for (const int address : std::as_const(plan.reads)) {
        addChannelProgress(address);
        addBlockRead(address);
        addPause();
    }
    addClosingLine();
}

void CloneTransfer::Private::addWriteChanges()
{
    const QList<PlannedRecord> records = recordsAfterReading(plan, known);
    heldBack = heldBackAfterReading(plan, known);
    planned.clear();
    for (const PlannedRecord &record : records)
        planned << record.address;
    // Nothing differs: nothing goes on the line.
    if (!records.isEmpty())
        addWrites(records, true);
}

void CloneTransfer::Private::addVerify()
{
    // Each record once, as last acknowledged, in address order.
    std::map<int, RecordBytes> records;
    for (const auto &[address, sent] : written)
        records[address] = sent;
    if (records.empty())
        return;
    steps.reserve(3 * records.size() + 3);
    // Named copies, not structured bindings: the lambdas below capture them, which clang 14 refuses.
    for (const auto &record : records) {
        const int address = record.first;
        const QString sent = recordText(record.second);
        addChannelProgress(address);
        addBlockRead(address);
        steps.back().judge = [this, address, sent](const QByteArray &line,
                                                   const QByteArray &reply) -> Verdict {
            if (const Verdict failure = readLength(line, reply))
                return failure;
            if (blockReadData(reply).compare(sent, Qt::CaseInsensitive) == 0)
                ++verified;
            else
                mismatched.append(address);
            return {};
        };
        addPause();
    }
    addClosingLine();
    addDo([this]() -> Verdict {
        if (mismatched.isEmpty())
            return {};
        QStringList labels;
        for (const int address : std::as_const(mismatched))
            labels << recordLabel(address).simplified();
        return Failure{TransferOutcome::VerifyFailed,
                       QStringLiteral("read back different from what was written: %1")
                           .arg(labels.join(QStringLiteral(", ")))};
    });
}

} // namespace ktv4
