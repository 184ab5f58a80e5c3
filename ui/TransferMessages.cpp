// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TransferMessages.h"

#include "model/ImageDiff.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace ktv4::ui {

// The context of the texts below, for the translation.
struct TransferMessages {
    Q_DECLARE_TR_FUNCTIONS(ktv4::ui::TransferMessages)
};

namespace {

// A write that stopped: what the radio now holds, and how to finish the job.
QString writeReport(const TransferResult &result)
{
    QString text = writtenSummary(result);
    // Write Changes can finish the job only where it knows what the radio holds.
    if (!result.writtenRecords.isEmpty() && result.writtenRecords.size() < result.plannedRecords.size() &&
        result.leftKnown)
        text += QLatin1Char(' ') + TransferMessages::tr("Tool > Write > Changes sends only what is left.");
    return text;
}

QString joined(const QString &first, const QString &second)
{
    if (first.isEmpty() || second.isEmpty())
        return first + second;
    return first + QStringLiteral("\n\n") + second;
}

// A radio that sent nothing at all: what to look at first.
QString noReplyChecklist()
{
    return TransferMessages::tr("Check that the radio is on and in clone mode.") + QLatin1Char('\n') +
           TransferMessages::tr("Check that the cable is plugged in.") + QLatin1Char('\n') +
           TransferMessages::tr("Help > Check Serial Port… checks the port and asks the radio.");
}

bool isRead(Operation operation)
{
    return operation == Operation::ReadSettings || operation == Operation::ReadMemory ||
           operation == Operation::ReadAll;
}

QString completedStatus(const TransferResult &result, const QString &device)
{
    switch (result.operation) {
    case Operation::ReadSettings:
        return TransferMessages::tr("Read the settings and both VFOs from %1").arg(device);
    case Operation::ReadMemory:
        return TransferMessages::tr("Read %1 channels from %2").arg(kChannelCount).arg(device);
    case Operation::ReadAll:
        return TransferMessages::tr("Read the settings, both VFOs and %1 channels from %2")
            .arg(kChannelCount)
            .arg(device);
    case Operation::WriteChanges:
        if (result.writtenRecords.isEmpty() && result.heldBackRecords.isEmpty())
            return TransferMessages::tr("Nothing was written: the radio already holds this image.");
        return QStringList{writtenSummary(result), heldBackSummary(result)}.join(QLatin1Char(' ')).trimmed();
    default:
        return writtenSummary(result);
    }
}

} // namespace

QString transferStatus(const TransferResult &result, const QString &device, bool cancelled)
{
    const bool write = isWriteOperation(result.operation);
    TransferOutcome outcome = result.outcome;
    // A radio that stopped answering while the user was stopping it: the operation was cancelled.
    if (cancelled && isCommunicationError(outcome))
        outcome = TransferOutcome::Cancelled;
    switch (outcome) {
    case TransferOutcome::Completed:
        return completedStatus(result, device);
    case TransferOutcome::Cancelled:
        if (write)
            return result.writtenRecords.isEmpty() ? TransferMessages::tr("Cancelled: nothing written")
                                                   : TransferMessages::tr("Cancelled: %1 written")
                                                         .arg(describeRecords(result.writtenRecords));
        if (isRead(result.operation))
            return result.readRecords.isEmpty()
                       ? TransferMessages::tr("Cancelled: nothing read")
                       : TransferMessages::tr("Cancelled: %1 read").arg(describeRecords(result.readRecords));
        return outcomeText(outcome);
    default:
        break;
    }
    const QString left = write ? writtenSummary(result) : readSummary(result);
    return left.isEmpty() ? outcomeText(outcome)
                          : TransferMessages::tr("%1: %2").arg(outcomeText(outcome), left);
}

std::optional<MessageRequest> finishingMessage(const TransferResult &result, const QString &device,
                                               bool cancelled)
{
    const bool write = isWriteOperation(result.operation);
    if (cancelled && isCommunicationError(result.outcome)) {
        if (!write)
            return std::nullopt;
        // The radio stopped answering while the user was stopping: the write was cancelled.
        TransferResult stopped = result;
        stopped.outcome = TransferOutcome::Cancelled;
        return finishingMessage(stopped, device, false);
    }
    const QString report = write ? writeReport(result) : QString();
    QString reason = result.detail;
    // A reason from the radio's side names the port it came through.
    if (!device.isEmpty() && !reason.isEmpty() && !reason.contains(device))
        reason = TransferMessages::tr("%1 (port %2)").arg(reason, device);
    switch (result.outcome) {
    case TransferOutcome::NoReply:
        reason = reason + QLatin1Char('\n') + noReplyChecklist();
        [[fallthrough]];
    case TransferOutcome::IncompleteReply:
    case TransferOutcome::BadReply:
        return errorMessage(outcomeText(result.outcome), joined(reason, joined(readSummary(result), report)));
    case TransferOutcome::VerifyFailed:
        return errorMessage(outcomeText(result.outcome), joined(reason, report));
    case TransferOutcome::PortNotOpened:
    case TransferOutcome::PortFailed:
    case TransferOutcome::RecordUndecodable: {
        QString details = portErrorDetails(reason, device);
        // The checklist knows the causes the reason alone cannot tell apart.
        if (result.outcome == TransferOutcome::PortNotOpened)
            details = joined(details, portCheckPointer());
        else
            details = joined(details, joined(readSummary(result), report));
        return errorMessage(outcomeText(result.outcome), details);
    }
    case TransferOutcome::Cancelled:
        if (write) {
            MessageRequest request = errorMessage(outcomeText(result.outcome), report);
            request.icon = QMessageBox::Warning;
            request.title = TransferMessages::tr("Write cancelled");
            return request;
        }
        break;
    case TransferOutcome::Completed:
        break;
    }
    return std::nullopt;
}

QString portCheckPointer()
{
    return QCoreApplication::translate(
        "ktv4::ui::TransferMessages",
        "Help > Check Serial Port… tells what keeps the port from opening and how to "
        "fix it.");
}

QString portErrorDetails(const QString &detail, const QString &device)
{
    const QString why = detail.toLower();
    const QFileInfo node(device);
    const bool missing = !device.isEmpty() && !node.exists();
    const bool forbidden = !device.isEmpty() && node.exists() && !(node.isReadable() && node.isWritable());
    QString hint;
    if (forbidden || why.contains(QLatin1String("permission")) ||
        why.contains(QLatin1String("access denied"))) {
        hint = QCoreApplication::translate(
            "ktv4::ui::TransferMessages",
            "You may not open this serial device. On most systems serial ports belong to the group "
            "\"dialout\": add yourself with \"sudo usermod -aG dialout $USER\", then log out and in again.");
    } else if (missing || why.contains(QLatin1String("no such")) ||
               why.contains(QLatin1String("not found")) || why.contains(QLatin1String("does not exist"))) {
        hint = QCoreApplication::translate(
            "ktv4::ui::TransferMessages",
            "There is no such device. Check that the cable is plugged in and choose its port "
            "under Tool > COM Port Setup.");
    } else if (why.contains(QLatin1String("busy")) || why.contains(QLatin1String("in use")) ||
               why.contains(QLatin1String("lock"))) {
        hint = QCoreApplication::translate("ktv4::ui::TransferMessages",
                                           "Another program is using the port. Close it and try again.");
    }
    if (hint.isEmpty())
        return detail;
    if (detail.isEmpty())
        return hint;
    return detail + QStringLiteral("\n\n") + hint;
}

} // namespace ktv4::ui
