// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/FilesLog.h"

namespace ktv4 {
// Warnings and worse are shown by default; the rest waits for QT_LOGGING_RULES.
Q_LOGGING_CATEGORY(lcFiles, "ktv4.files", QtWarningMsg)
} // namespace ktv4
