// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The finishing message of a radio operation, and what its details tell the user to do.

#include "link/CloneTransfer.h"
#include "ui/UserPrompts.h"

#include <optional>

namespace ktv4::ui {

// The "ERROR" box for a failed operation, and the "Cancelled" box for a cancelled write, with the
// reason and what a write left in the radio under the text; nothing for a completed operation or
// a cancelled read. `device` is the serial device the operation used. `cancelled`: the user
// stopped the operation, so a radio that stopped answering meanwhile is no news.
std::optional<MessageRequest> finishingMessage(const TransferResult &result,
                                               const QString &device = QString(), bool cancelled = false);

// The status bar's account of a finished operation (identify aside, whose status names the model):
// "Read 604 channels from /dev/ttyUSB0", "Cancelled: channels 0 to 59 read", "Communication Error:
// channels 0 to 15 were read; the rest are as they were."
QString transferStatus(const TransferResult &result, const QString &device, bool cancelled = false);

// The engine's reason, followed by a hint when the reason is a familiar one: the device does not
// exist, the user may not open it (the dialout group), or another program holds it. The device
// itself is looked at too, so the hint does not depend on how the serial library words it.
QString portErrorDetails(const QString &detail, const QString &device = QString());

// The line a "COM Port Error" about opening the port ends with: where the serial port check is.
QString portCheckPointer();

} // namespace ktv4::ui
