// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/LinkLog.h"

namespace ktv4 {
// Warnings and worse are shown by default; the rest waits for QT_LOGGING_RULES.
Q_LOGGING_CATEGORY(lcLink, "ktv4.link", QtWarningMsg)
} // namespace ktv4
