// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as the program's port file: the port is always 1 to 14, a first field that is such a
// number is taken as it stands, and the choice read back from the file written for it is the same.

#include "files/PortSetting.h"

#include <cstdlib>

using namespace ktv4;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray content(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const PortChoice choice = portChoiceFromFile(content);
    if (choice.port < kPortMin || choice.port > kPortMax)
        std::abort();
    for (int port = kPortMin; port <= kPortMax; ++port) {
        const QByteArray number = QByteArray::number(port);
        if (content == number || content.startsWith(number + "\r") || content.startsWith(number + "\n") ||
            content.startsWith(number + ",")) {
            if (choice.port != port)
                std::abort();
        }
    }
    // A device path holding a double quote cannot be written quoted; any other comes back whole.
    if (!choice.device.contains(QLatin1Char('"')) && portChoiceFromFile(portFileBytes(choice)) != choice)
        std::abort();
    return 0;
}
