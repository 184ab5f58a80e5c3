#include "ui/ProgramInfo.h"

#include "files/CloneFile.h"

namespace ktv4::ui {

QString programTitle()
{
    return AppTitle();
}

QString programVersionText()
{
    return QStringLiteral("Version 0.20.00 Beta");
}

QString programDescription()
{
    return QStringLiteral("Reads, edits and writes the clone memory of the KT-V4 HF transceiver.");
}

QIcon programIcon()
{
    static const QIcon icon(QStringLiteral(":/ktv4clone/ktv4clone.png"));
    return icon;
}

} // namespace ktv4::ui
