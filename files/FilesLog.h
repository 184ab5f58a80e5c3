// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The files module's log: "ktv4.files". Loads, saves, imports and exports with their outcome at
// debug level, failures with their reason at info level. Off unless QT_LOGGING_RULES enables it,
// e.g. QT_LOGGING_RULES="ktv4.files.debug=true".

#include <QLoggingCategory>

namespace ktv4 {
Q_DECLARE_LOGGING_CATEGORY(lcFiles)
}
