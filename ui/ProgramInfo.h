// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts the splash window and the About box show, and the program icon.

#include <QIcon>
#include <QString>

namespace ktv4::ui {

QString programTitle();       // "Orvane KT-V4 Clone Utility"
QString programVersionText(); // "Version 0.20.00 Beta"
QString programDescription(); // one line on what the program does
QString programLicence();     // the licence and the absence of warranty, one sentence each
QIcon programIcon();

} // namespace ktv4::ui
