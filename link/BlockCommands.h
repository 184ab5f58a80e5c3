// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The radio's five command lines and the tests its replies must pass. Every reply starts with
// the radio's echo of the command line; the program never compares the echo, it only counts it.

#include <QByteArray>
#include <QString>

namespace ktv4 {

// Lengths of the command lines (CR LF included) and of the replies the radio gives to them.
constexpr int kIdentifyLineLength = 8;
constexpr int kIdentifyReplyLength = 21;
constexpr int kWriteEnableLineLength = 7;
constexpr int kWriteEnableReplyLength = 11;
constexpr int kReadLineLength = 11;
constexpr int kReadReplyLength = 77;
constexpr int kWriteLineLength = 75;
constexpr int kWriteReplyLength = 79;

QByteArray identifyLine();    // "OV~WHO" CR LF
QByteArray writeEnableLine(); // "KTSV4" CR LF
QByteArray endLine();         // "OV~E" CR LF
// "OV~F" + the record's four-digit address + "R" CR LF
QByteArray blockReadLine(int address);
// "OV~F" + address + "W" + the 64-character record text + CR LF
QByteArray blockWriteLine(int address, const QString &recordText);

// The 64 data characters of an accepted block read reply (characters 12 to 75), taken as they came.
bool isBlockReadReply(const QByteArray &reply);
QString blockReadData(const QByteArray &reply);

// Exactly `length` characters, the last four "OK" CR LF.
bool isAcknowledged(const QByteArray &reply, int length);

struct IdentifyReply {
    bool lengthOk = false;
    bool identityOk = false; // characters 9 to 13 are "KTSV4"
    int modelIndex = -1;     // "33", "66", "99", "CC" -> 0..3; -1 for any other code
    bool variantA = false;   // characters 18 and 19 are "AA"
};
IdentifyReply parseIdentifyReply(const QByteArray &reply);

// Two-character model code the radio reports for a model option ("33", "66", "99", "CC").
QByteArray modelCode(int modelIndex);

} // namespace ktv4
