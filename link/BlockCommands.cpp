// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/BlockCommands.h"

#include "model/ChannelNaming.h"
#include "model/RecordText.h"

namespace ktv4 {

namespace {

const QByteArray kLineEnd = QByteArrayLiteral("\r\n");
const QByteArray kAcknowledgement = QByteArrayLiteral("OK\r\n");
const QByteArray kModelCodes[] = {"33", "66", "99", "CC"};

QByteArray blockPrefix(int address)
{
    return QByteArrayLiteral("OV~F") + addressText(address).toLatin1();
}

} // namespace

QByteArray identifyLine()
{
    return QByteArrayLiteral("OV~WHO") + kLineEnd;
}
QByteArray writeEnableLine()
{
    return QByteArrayLiteral("KTSV4") + kLineEnd;
}
QByteArray endLine()
{
    return QByteArrayLiteral("OV~E") + kLineEnd;
}

QByteArray blockReadLine(int address)
{
    return blockPrefix(address) + 'R' + kLineEnd;
}

QByteArray blockWriteLine(int address, const QString &recordText)
{
    return blockPrefix(address) + 'W' + recordText.toLatin1() + kLineEnd;
}

bool isBlockReadReply(const QByteArray &reply)
{
    return reply.size() == kReadReplyLength;
}

QString blockReadData(const QByteArray &reply)
{
    return QString::fromLatin1(reply.mid(kReadLineLength, kRecordChars));
}

bool isAcknowledged(const QByteArray &reply, int length)
{
    return reply.size() == length && reply.endsWith(kAcknowledgement);
}

IdentifyReply parseIdentifyReply(const QByteArray &reply)
{
    IdentifyReply result;
    result.lengthOk = reply.size() == kIdentifyReplyLength;
    if (!result.lengthOk)
        return result;
    result.identityOk = reply.mid(8, 5) == "KTSV4";
    const QByteArray code = reply.mid(13, 2);
    for (int i = 0; i < 4; ++i) {
        if (code == kModelCodes[i])
            result.modelIndex = i;
    }
    result.variantA = reply.mid(17, 2) == "AA";
    return result;
}

QByteArray modelCode(int modelIndex)
{
    return modelIndex >= 0 && modelIndex < 4 ? kModelCodes[modelIndex] : QByteArrayLiteral("00");
}

} // namespace ktv4
