#include "ui/TransferMessages.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace ktv4::ui {

std::optional<MessageRequest> finishingMessage(const TransferResult &result, const QString &device)
{
    switch (result.outcome) {
    case TransferOutcome::CommunicationError:
    case TransferOutcome::VerifyFailed:
        return errorMessage(outcomeText(result.outcome), result.detail);
    case TransferOutcome::ComPortError: {
        QString details = portErrorDetails(result.detail, device);
        // The checklist knows the causes the reason alone cannot tell apart.
        if (result.portNotOpened)
            details += QStringLiteral("\n\n") + portCheckPointer();
        return errorMessage(outcomeText(result.outcome), details);
    }
    case TransferOutcome::Completed:
    case TransferOutcome::Cancelled:
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
