// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/FileStatus.h"

namespace ktv4 {

QString messageText(FileStatus status)
{
    switch (status) {
    case FileStatus::Ok:
        break;
    case FileStatus::DataError:
        return QStringLiteral("Data Error");
    case FileStatus::FileOpenError:
        return QStringLiteral("File Open Error");
    }
    return QString();
}

} // namespace ktv4
