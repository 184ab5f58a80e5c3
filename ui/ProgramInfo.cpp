// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ProgramInfo.h"

#include "files/CloneFile.h"

#include <QCoreApplication>

namespace ktv4::ui {

QString programTitle()
{
    return appTitle();
}

QString programVersionText()
{
    return QCoreApplication::translate("ktv4::ui::ProgramInfo", "Version 0.20.00 Beta");
}

QString programDescription()
{
    return QCoreApplication::translate(
        "ktv4::ui::ProgramInfo", "Reads, edits and writes the clone memory of the KT-V4 HF transceiver.");
}

QString programLicence()
{
    return QCoreApplication::translate(
        "ktv4::ui::ProgramInfo",
        "Free software under the GNU General Public License (GPL), version 3 or later. "
        "It comes with no warranty.");
}

QIcon programIcon()
{
    static const QIcon icon(QStringLiteral(":/ktv4clone/ktv4clone.png"));
    return icon;
}

} // namespace ktv4::ui
