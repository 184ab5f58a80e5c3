// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The radio link's log: "ktv4.link". Every line sent and every reply at debug level, time-outs and
// port failures at info level. Off unless QT_LOGGING_RULES enables it, e.g.
// QT_LOGGING_RULES="ktv4.link.debug=true".

#include <QLoggingCategory>

namespace ktv4 {
Q_DECLARE_LOGGING_CATEGORY(lcLink)
}
