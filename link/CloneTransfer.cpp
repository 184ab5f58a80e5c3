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
    switch (outcome) {
    case TransferOutcome::Completed:
        break;
    case TransferOutcome::CommunicationError:
        return QStringLiteral("Communication Error");
    case TransferOutcome::ComPortError:
        return QStringLiteral("COM Port Error");
    case TransferOutcome::Cancelled:
        return QStringLiteral("Cancelled");
    case TransferOutcome::VerifyFailed:
        return QStringLiteral("Verify Error");
    }
    return QString();
}

bool isWriteOperation(Operation operation)
{
    return operation == Operation::WriteSettings || operation == Operation::WriteMemory ||
           operation == Operation::WriteAll || operation == Operation::WriteChanges;
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
    return (written.size() == 1 ? CloneTransfer::tr("%1 was written; ")
                                : CloneTransfer::tr("%1 were written; "))
               .arg(done) +
           (left.size() == 1 ? CloneTransfer::tr("%1 was not.") : CloneTransfer::tr("%1 were not."))
               .arg(rest);
}

BackupScope backupScope(Operation operation)
{
    switch (operation) {
    case Operation::ReadSettings:
    case Operation::WriteSettings:
        return BackupScope::Settings;
    case Operation::ReadMemory:
    case Operation::WriteMemory:
        return BackupScope::Memory;
    case Operation::ReadAll:
    case Operation::WriteAll:
        return BackupScope::All;
    case Operation::WriteChanges:
        return BackupScope::Changes;
    default:
        return BackupScope::Unknown;
    }
}

QString readSummary(const TransferResult &result)
{
    const bool reads = result.operation == Operation::ReadSettings ||
                       result.operation == Operation::ReadMemory || result.operation == Operation::ReadAll;
    if (!reads || result.outcome == TransferOutcome::Completed)
        return QString();
    if (result.readRecords.isEmpty())
        return CloneTransfer::tr("Nothing was read; the data are as they were.");
    const QString read = capitalized(describeRecords(result.readRecords));
    return (result.readRecords.size() == 1 ? CloneTransfer::tr("%1 was read; the rest are as they were.")
                                           : CloneTransfer::tr("%1 were read; the rest are as they were."))
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
    return {TransferOutcome::CommunicationError, detail};
}
Failure undecodable(const QString &detail)
{
    return {TransferOutcome::ComPortError, detail};
}

// One step of an operation: something done between exchanges, a pause, or an exchange whose
// reply is judged (the closing line's reply is not).
struct Step {
    enum Kind { Do, Pause, Exchange, End } kind;
    std::function<Verdict()> action;
    std::function<QByteArray()> line;
    std::function<Verdict(const QByteArray &line, const QByteArray &reply)> judge;
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

QString readStepName(Operation operation)
{
    switch (operation) {
    case Operation::ReadSettings:
        return CloneTransfer::tr("Read Settings");
    case Operation::ReadMemory:
        return CloneTransfer::tr("Read Memory");
    default:
        return CloneTransfer::tr("Read ALL");
    }
}

QString shortLine(const QByteArray &line)
{
    // Block writes are named by their command and address only.
    return QString::fromLatin1(line.left(line.startsWith("OV~F") ? 9 : line.indexOf('\r')));
}

bool isBlockWrite(const QByteArray &line)
{
    return line.size() == kWriteLineLength && line.startsWith("OV~F") && line[8] == 'W';
}

// The address a block read or write line names; -1 for other lines.
int blockAddress(const QByteArray &line)
{
    if (!line.startsWith("OV~F") || line.size() < 9)
        return -1;
    bool ok = false;
    const int address = line.mid(4, 4).toInt(&ok, 16);
    return ok ? address : -1;
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

// The text a write sends for a record, encoded when it is sent, from the image as it stands then.
QString recordToSend(const RadioImage &image, int address)
{
    return recordText(imageRecord(image, address));
}

} // namespace

class CloneTransfer::Private {
public:
    Private(CloneTransfer *q, CloneDocument &document, std::unique_ptr<Transport> port, LinkTimings timings)
        : q(q), document(document), ownedTransport(std::move(port)), transport(*ownedTransport),
          exchange(transport, timings.replyTimeout), recordPause(timings.recordPause)
    {
        pause.setSingleShot(true);
        // The radio is owed its full pause; a coarse timer may fire early.
        pause.setTimerType(Qt::PreciseTimer);
        exchange.setTrace(&trace);
    }

    CloneTransfer *q;
    CloneDocument &document;
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
    QByteArray lineSent;
    // Records that are decoded together with the one after them: settings 1, VFO A.
    RecordBytes heldSettings1{};
    RecordBytes heldVfoA{};
    // The image before a read: the whole read becomes one step of the history at its end.
    std::optional<RadioImage> beforeRead;
    bool verifyWrites = false;
    // What the radio acknowledged in this operation, for the read-back check: address and record.
    std::vector<std::pair<int, RecordBytes>> written;
    QList<int> planned;
    int verified = 0;
    QList<int> mismatched;
    // Write Changes: what it reads first and what it may write, decided when it starts.
    ChangesPlan changesPlan;
    QList<int> heldBack;
    QList<int> readRecords;
    bool noReply = false;
    // The radio acknowledged the write-enable line and has not yet been sent the closing line: a
    // cancel ends its write session with the closing line.
    bool writeSession = false;
    bool closingAfterCancel = false;

    void startPhase();
    void runSteps();
    void exchangeFinished(const ExchangeResult &result);
    void pauseOver();
    void finish(TransferOutcome outcome, const QString &detail = QString(), bool portNotOpened = false);

    void addIdentify();
    void addReadSettings();
    void addReadMemory();
    void addWriteSettings();
    void addWriteMemory();
    void addWriteEnable();
    void addWriteChanges();
    void addReadBeforeWrite();
    void addVerify();
    void addChannelProgress(int address);
    bool closeOnCancel();
    void noteRecord(const QByteArray &line, const QByteArray &reply);
    void addPause() { steps.push_back({Step::Pause, {}, {}, {}}); }
    void addDo(std::function<Verdict()> action) { steps.push_back({Step::Do, std::move(action), {}, {}}); }
    void addExchange(std::function<QByteArray()> line,
                     std::function<Verdict(const QByteArray &, const QByteArray &)> judge)
    {
        steps.push_back({Step::Exchange, {}, std::move(line), std::move(judge)});
    }
    // The closing line that ends a completed transfer, whatever its reply, then the pause.
    void addClosingLine()
    {
        steps.push_back({Step::End, {}, [] { return endLine(); }, {}});
        addPause();
    }
};

CloneTransfer::CloneTransfer(CloneDocument &document, std::unique_ptr<Transport> transport,
                             LinkTimings timings, QObject *parent)
    : QObject(parent), d(new Private(this, document, std::move(transport), timings))
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

bool CloneTransfer::start(Operation operation)
{
    // The window's menus stay usable during a transfer; a second operation would interleave its
    // lines with the running one.
    if (d->busy || operation == Operation::VerifyWritten || operation == Operation::ReadBeforeWrite)
        return false;
    d->busy = true;
    d->cancelRequested = false;
    d->operation = operation;
    switch (operation) {
    case Operation::ReadAll:
        d->phases = {Operation::ReadSettings, Operation::ReadMemory};
        break;
    case Operation::WriteAll:
        d->phases = {Operation::WriteSettings, Operation::WriteMemory};
        break;
    case Operation::WriteChanges: {
        d->changesPlan = planChanges(d->document.radio(), d->document.image());
        d->phases = {Operation::WriteChanges};
        if (!d->changesPlan.reads.isEmpty())
            d->phases.insert(d->phases.begin(), Operation::ReadBeforeWrite);
        break;
    }
    default:
        d->phases = {operation};
        break;
    }
    if (isWriteOperation(operation) && d->verifyWrites)
        d->phases.push_back(Operation::VerifyWritten);
    d->written.clear();
    d->planned.clear();
    d->heldBack.clear();
    d->readRecords.clear();
    d->noReply = false;
    d->closingAfterCancel = false;
    if (operation == Operation::WriteChanges)
        d->planned = d->changesPlan.writes;
    if (operation == Operation::WriteSettings || operation == Operation::WriteAll)
        d->planned = {kSettings1Address, kSettings2Address, kVfoAAddress, kVfoBAddress};
    if (operation == Operation::WriteMemory || operation == Operation::WriteAll) {
        for (int n = 0; n < kChannelCount; ++n)
            d->planned << channelAddress(n);
    }
    d->verified = 0;
    d->mismatched.clear();
    d->phaseIndex = 0;
    const bool reads = operation == Operation::ReadSettings || operation == Operation::ReadMemory ||
                       operation == Operation::ReadAll;
    d->beforeRead.reset();
    if (reads)
        d->beforeRead = d->document.image();
    // The caller hears of progress and the end only after start() has returned.
    QMetaObject::invokeMethod(
        this, [this] { d->startPhase(); }, Qt::QueuedConnection);
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
        finish(TransferOutcome::ComPortError, error, true);
        return;
    }

    steps.clear();
    stepIndex = 0;
    endLineSent = false;
    writeSession = false;
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
        addWriteSettings();
        break;
    case Operation::WriteMemory:
        addWriteMemory();
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
    runSteps();
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
            lineSent = step.line();
            exchange.sendAndReceive(lineSent);
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
    if (step.kind == Step::Exchange)
        noReply = result.status == ExchangeResult::TimedOut && result.reply.isEmpty();
    if (step.kind == Step::Exchange && isBlockWrite(lineSent)) {
        // A write that went out without an acknowledgement may or may not have been stored.
        const bool acknowledged =
            result.status == ExchangeResult::Reply && isAcknowledged(result.reply, kWriteReplyLength);
        if (!acknowledged)
            document.radio().markUncertain(blockAddress(lineSent));
    }
    if (step.kind == Step::Exchange) {
        if (result.status == ExchangeResult::PortFailed) {
            finish(TransferOutcome::ComPortError, result.detail);
            return;
        }
        if (result.status == ExchangeResult::TimedOut) {
            finish(TransferOutcome::CommunicationError,
                   QStringLiteral("%1: %2").arg(shortLine(lineSent), result.detail));
            return;
        }
        if (const Verdict failure = step.judge(lineSent, result.reply)) {
            finish(failure->outcome, failure->detail);
            return;
        }
        noteRecord(lineSent, result.reply);
    }
    // The closing line's reply, or its absence, is of no interest.
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

void CloneTransfer::Private::finish(TransferOutcome outcome, const QString &detail, bool portNotOpened)
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
    result.portNotOpened = portNotOpened;
    result.plannedRecords = planned;
    for (const auto &record : written)
        result.writtenRecords << record.first;
    result.leftKnown = std::all_of(planned.cbegin(), planned.cend(), [this](int address) {
        return document.radio().record(address).has_value();
    });
    result.heldBackRecords = heldBack;
    result.readRecords = readRecords;
    result.noReply = noReply && outcome == TransferOutcome::CommunicationError;
    busy = false;
    cancelRequested = false;
    steps.clear();
    stepIndex = 0;
    if (beforeRead) {
        // What arrived stays, also after a failure: the records read so far are the radio's. A read
        // that stopped part-way leaves a mix of the radio and what was there before, which is no
        // longer what any file or the radio holds: an unsaved change.
        ImageChange change = ImageChange::between(*beforeRead, document.image(), readStepName(operation));
        change.origin =
            outcome == TransferOutcome::Completed ? ImageChange::Origin::Radio : ImageChange::Origin::Edit;
        beforeRead.reset();
        document.record(std::move(change));
    }
    if (outcome == TransferOutcome::Completed)
        trace.note(QStringLiteral("completed"));
    else
        trace.note(outcomeText(outcome) + (detail.isEmpty() ? QString() : QStringLiteral(": ") + detail));
    emit q->finished(result);
}

void CloneTransfer::Private::addIdentify()
{
    addExchange([] { return identifyLine(); },
                [this](const QByteArray &line, const QByteArray &reply) -> Verdict {
                    const IdentifyReply id = parseIdentifyReply(reply);
                    if (!id.lengthOk)
                        return needLength(line, reply, kIdentifyReplyLength);
                    if (!id.identityOk)
                        return refused(QStringLiteral("OV~WHO: the radio answered as %1, not KTSV4")
                                           .arg(TransferTrace::printable(reply.mid(8, 5))));
                    document.setCloneVariantA(false);
                    if (id.modelIndex < 0)
                        return refused(QStringLiteral("OV~WHO: unknown model code %1")
                                           .arg(TransferTrace::printable(reply.mid(13, 2))));
                    document.setIdentified(id.modelIndex, id.variantA);
                    emit q->identified(id.modelIndex, id.variantA);
                    return {};
                });
}

void CloneTransfer::Private::addReadSettings()
{
    auto readInto = [this](int address, std::function<Verdict(const RecordBytes &)> use) {
        addExchange([address] { return blockReadLine(address); },
                    [use](const QByteArray &line, const QByteArray &reply) -> Verdict {
                        if (const Verdict failure = needLength(line, reply, kReadReplyLength))
                            return failure;
                        return use(parseRecordText(blockReadData(reply)));
                    });
    };

    readInto(kSettings1Address, [this](const RecordBytes &record) -> Verdict {
        heldSettings1 = record;
        readRecords << kSettings1Address;
        return {};
    });
    addPause();
    // The settings are decoded from both records together, once both have arrived.
    readInto(kSettings2Address, [this](const RecordBytes &record) -> Verdict {
        readRecords << kSettings2Address;
        ImagePart part;
        part.settings = document.image().settings;
        const SettingsDecodeResult decoded = decodeSettings(heldSettings1, record, *part.settings);
        if (!decoded.ok)
            return undecodable(QStringLiteral("the settings did not decode (%1)").arg(decoded.failedControl));
        document.applyPart(part);
        emit q->settingsDecoded();
        return {};
    });
    addPause();
    readInto(kVfoAAddress, [this](const RecordBytes &record) -> Verdict {
        heldVfoA = record;
        return {};
    });
    addPause();
    // Both VFOs change together or not at all, so the table never disagrees with the grid.
    readInto(kVfoBAddress, [this](const RecordBytes &record) -> Verdict {
        const std::optional<Vfo> vfoA = decodeVfo(heldVfoA);
        if (!vfoA)
            return undecodable(QStringLiteral("VFO A did not decode (mode byte above 5)"));
        const std::optional<Vfo> vfoB = decodeVfo(record);
        if (!vfoB)
            return undecodable(QStringLiteral("VFO B did not decode (mode byte above 5)"));
        ImagePart part;
        part.vfos = {vfoA, vfoB};
        document.applyPart(part);
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
        addExchange(
            [n] { return blockReadLine(channelAddress(n)); },
            [this, n](const QByteArray &line, const QByteArray &reply) -> Verdict {
                if (const Verdict failure = needLength(line, reply, kReadReplyLength))
                    return failure;
                // A record that does not decode leaves the channel as it was.
                std::optional<Channel> channel = decodeChannel(parseRecordText(blockReadData(reply)));
                if (!channel)
                    return undecodable(
                        QStringLiteral("channel %1 did not decode (mode byte above 5)").arg(gridRowLabel(n)));
                ImagePart part;
                part.firstChannel = n;
                part.channels = {*std::move(channel)};
                document.applyPart(part);
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
    addExchange([] { return writeEnableLine(); },
                [this](const QByteArray &line, const QByteArray &reply) {
                    const Verdict failure = needAcknowledgement(line, reply, kWriteEnableReplyLength);
                    writeSession = !failure;
                    return failure;
                });
}

void CloneTransfer::Private::addWriteSettings()
{
    addWriteEnable();
    addPause();
    for (const int address : {kSettings1Address, kSettings2Address, kVfoAAddress, kVfoBAddress}) {
        addExchange(
            [this, address] { return blockWriteLine(address, recordToSend(document.image(), address)); },
            acknowledged);
        addPause();
    }
    addClosingLine();
}

void CloneTransfer::Private::addWriteMemory()
{
    steps.reserve(3 * kChannelCount + 6);
    addWriteEnable();
    addPause();
    for (int n = 0; n < kChannelCount; ++n) {
        addDo([this, n]() -> Verdict {
            emit q->progress(n);
            return {};
        });
        addPause();
        // Encoded when it is sent, from the table as it stands then.
        addExchange(
            [this, n] {
                return blockWriteLine(channelAddress(n), recordToSend(document.image(), channelAddress(n)));
            },
            acknowledged);
    }
    addPause();
    addClosingLine();
}

} // namespace ktv4

namespace ktv4 {

void CloneTransfer::Private::noteRecord(const QByteArray &line, const QByteArray &reply)
{
    // What the radio now holds, from every accepted exchange: an identity, a record read, or a
    // record acknowledged.
    RadioMemory &radio = document.radio();
    if (line == identifyLine()) {
        const IdentifyReply id = parseIdentifyReply(reply);
        if (id.modelIndex >= 0)
            radio.setIdentity({id.modelIndex, id.variantA});
        return;
    }
    const int address = blockAddress(line);
    if (address < 0)
        return;
    if (line[8] == 'R' && line.size() == kReadLineLength) {
        radio.setRecord(address, parseRecordText(blockReadData(reply)));
    } else if (isBlockWrite(line)) {
        const RecordBytes record = parseRecordText(QString::fromLatin1(line.mid(9, kRecordChars)));
        radio.setRecord(address, record);
        written.emplace_back(address, record);
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
    steps.reserve(3 * changesPlan.reads.size() + 2);
    for (const int address : std::as_const(changesPlan.reads)) {
        addChannelProgress(address);
        addExchange([address] { return blockReadLine(address); },
                    [](const QByteArray &line, const QByteArray &reply) {
                        return needLength(line, reply, kReadReplyLength);
                    });
        addPause();
    }
    addClosingLine();
}

void CloneTransfer::Private::addWriteChanges()
{
    const RadioImage &image = document.image();
    const RadioMemory &radio = document.radio();
    const QList<int> addresses = writesAfterReading(changesPlan, radio, image);
    heldBack = heldBackAfterReading(changesPlan, radio, image);
    planned = addresses;
    // Nothing differs: nothing goes on the line.
    if (addresses.isEmpty())
        return;
    steps.reserve(3 * addresses.size() + 6);
    addWriteEnable();
    addPause();
    for (const int address : addresses) {
        addChannelProgress(address);
        addPause();
        addExchange(
            [this, address] { return blockWriteLine(address, recordToSend(document.image(), address)); },
            acknowledged);
    }
    addPause();
    addClosingLine();
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
        addExchange([address] { return blockReadLine(address); },
                    [this, address, sent](const QByteArray &line, const QByteArray &reply) -> Verdict {
                        if (const Verdict failure = needLength(line, reply, kReadReplyLength))
                            return failure;
                        if (blockReadData(reply).compare(sent, Qt::CaseInsensitive) == 0)
                            ++verified;
                        else
                            mismatched.append(address);
                        return {};
                    });
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
