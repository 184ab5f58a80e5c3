// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ChannelNaming.h"

#include <algorithm>

namespace ktv4 {

namespace {

enum class Bank { Memory, A, B };

struct Place {
    Bank bank;
    int number;   // 0..199 within the bank
    int priority; // 0 = ordinary channel, 1 or 2 = P1 / P2
};

Place placeOf(int channel)
{
    if (channel < 200)
        return {Bank::Memory, channel, 0};
    if (channel < 400)
        return {Bank::A, channel - 200, 0};
    if (channel < 402)
        return {Bank::A, 0, channel - 399};
    if (channel < 602)
        return {Bank::B, channel - 402, 0};
    return {Bank::B, 0, channel - 601};
}

QString bankLetter(Bank bank)
{
    return bank == Bank::A ? QStringLiteral("A") : QStringLiteral("B");
}

} // namespace

QString bankCaption(int channel)
{
    switch (placeOf(channel).bank) {
    case Bank::Memory:
        return QStringLiteral("Memory");
    case Bank::A:
        return QStringLiteral("Memory A");
    case Bank::B:
        break;
    }
    return QStringLiteral("Memory B");
}

QString channelCaption(int channel)
{
    const Place p = placeOf(channel);
    if (p.priority)
        return QStringLiteral("P%1").arg(p.priority);
    return QString::number(p.number) + QStringLiteral("CH");
}

QString gridRowLabel(int channel)
{
    const Place p = placeOf(channel);
    if (p.bank == Bank::Memory)
        return QString::number(p.number);
    if (p.priority)
        return bankLetter(p.bank) + QStringLiteral("-P%1").arg(p.priority);
    return bankLetter(p.bank) + QStringLiteral("%1").arg(p.number, 3);
}

QString csvChannelField(int channel)
{
    const Place p = placeOf(channel);
    if (p.bank == Bank::Memory)
        return QString::number(p.number);
    if (p.priority)
        return bankLetter(p.bank) + QStringLiteral("-P%1").arg(p.priority);
    return bankLetter(p.bank) + QString::number(p.number);
}

std::optional<int> channelFromLabel(QStringView label)
{
    QString text;
    for (const QChar c : label) {
        if (!c.isSpace())
            text += c.toUpper();
    }
    int offset = 0, priority = 0;
    if (text.startsWith(QLatin1Char('A')) || text.startsWith(QLatin1Char('B'))) {
        const bool a = text.startsWith(QLatin1Char('A'));
        offset = a ? 200 : 402;
        priority = a ? 400 : 602;
        text.remove(0, 1);
        if (text == QLatin1String("-P1") || text == QLatin1String("-P2"))
            return priority + (text.back() == QLatin1Char('2') ? 1 : 0);
    }
    const bool digits = !text.isEmpty() && text.size() <= 3 &&
                        std::all_of(text.cbegin(), text.cend(),
                                    [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
    const int number = digits ? text.toInt() : -1;
    if (number < 0 || number >= kFirstBankEnd)
        return std::nullopt;
    return offset + number;
}

QString addressText(int address)
{
    return QStringLiteral("%1").arg(blockNumber(address), 3, 16, QLatin1Char('0')).toUpper() +
           QLatin1Char('0');
}

} // namespace ktv4
