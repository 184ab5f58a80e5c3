// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as the radio's replies, fed through the line exchange the transfers use and judged
// by the same reply tests. Each frame of the input is one exchange:
//   [control] [length] [length bytes of reply]
// control bits 0-5: the size of the pieces the reply arrives in, minus 1; bit 6: the port fails
// after the reply; bit 7: the bytes are already waiting before the command is sent.
// The exchange must end for every frame, hand back exactly what arrived once it is complete, and
// every accepted reply must decode to a record that encodes back to itself.

#include "link/BlockCommands.h"
#include "link/LineExchange.h"
#include "link/TransferTrace.h"
#include "link/Transport.h"
#include "model/Channel.h"

#include <QCoreApplication>
#include <cstdlib>
#include <optional>

using namespace ktv4;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// A cable that holds what the radio sent until the program takes it.
class MemoryTransport : public Transport {
public:
    bool open(QString &) override { return m_open = true; }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    void discardInput() override { m_pending.clear(); }
    bool write(const QByteArray &bytes) override
    {
        ++m_writes;
        return !bytes.isEmpty();
    }
    QByteArray readAll() override { return std::exchange(m_pending, QByteArray()); }

    void arrive(const QByteArray &bytes)
    {
        m_pending += bytes;
        emit readyRead();
    }
    void fail()
    {
        m_open = false;
        emit failed(QStringLiteral("cable pulled"));
    }
    int writes() const { return m_writes; }

private:
    QByteArray m_pending;
    bool m_open = true;
    int m_writes = 0;
};

QByteArray commandFor(int frame)
{
    switch (frame % 5) {
    case 0:
        return identifyLine();
    case 1:
        return writeEnableLine();
    case 2:
        return blockReadLine(0x0600 + 0x20 * (frame % 604));
    case 3:
        return blockWriteLine(0x0400, QString(64, QLatin1Char('0')));
    default:
        return endLine();
    }
}

void judge(const QByteArray &line, const QByteArray &reply)
{
    for (const QChar c : TransferTrace::printable(reply))
        require(c.unicode() >= 0x20 && c.unicode() < 0x7F);
    if (line == identifyLine()) {
        const IdentifyReply id = parseIdentifyReply(reply);
        require(id.lengthOk == (reply.size() == kIdentifyReplyLength));
        require(id.modelIndex >= -1 && id.modelIndex <= 3);
        if (id.modelIndex >= 0)
            require(modelCode(id.modelIndex) == reply.mid(13, 2));
    } else if (line.size() == kReadLineLength && isBlockReadReply(reply)) {
        const QString text = blockReadData(reply);
        require(text.size() == kRecordChars);
        // A record read goes back out as it came.
        const RecordBytes record = parseRecordText(text);
        if (const std::optional<Channel> channel = decodeChannel(record))
            require(encodeChannel(*channel) == record);
        if (const std::optional<Vfo> vfo = decodeVfo(record))
            require(encodeVfo(*vfo) == record);
    } else if (line.size() == kWriteLineLength && isAcknowledged(reply, kWriteReplyLength)) {
        require(reply.size() == kWriteReplyLength && reply.endsWith("OK\r\n"));
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv); // the exchange's time-out needs an event dispatcher
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    MemoryTransport transport;
    LineExchange exchange(transport, std::chrono::milliseconds(2000));
    std::optional<ExchangeResult> result;
    QObject::connect(&exchange, &LineExchange::finished, [&result](const ExchangeResult &r) { result = r; });

    std::size_t pos = 0;
    for (int frame = 0; pos + 2 <= size; ++frame) {
        const std::uint8_t control = data[pos];
        const std::size_t length = std::min<std::size_t>(data[pos + 1], size - pos - 2);
        const QByteArray bytes(reinterpret_cast<const char *>(data + pos + 2), qsizetype(length));
        pos += 2 + length;
        const qsizetype piece = (control & 0x3F) + 1;
        const bool failAfter = control & 0x40;
        const bool early = control & 0x80;

        const QByteArray line = commandFor(frame);
        const bool wasOpen = transport.isOpen();
        if (early)
            transport.arrive(bytes); // thrown away when the command is sent
        result.reset();
        const int writes = transport.writes();
        exchange.sendAndReceive(line);
        require(!result); // never finished from inside the call

        QByteArray delivered;
        if (wasOpen && !early) {
            for (qsizetype at = 0; at < bytes.size() && !result; at += piece) {
                delivered += bytes.mid(at, piece);
                transport.arrive(bytes.mid(at, piece));
            }
        }
        if (!result && transport.isOpen())
            transport.fail(); // stands in for the time-out, which is not worth two seconds here
        while (!result)
            QCoreApplication::processEvents();

        require(!exchange.isBusy());
        if (!wasOpen) {
            require(result->status == ExchangeResult::PortFailed && transport.writes() == writes);
        } else if (result->status == ExchangeResult::Reply) {
            // The reply ends at the first LF that completes it; what came after it is dropped.
            require(delivered.startsWith(result->reply) &&
                    LineExchange::isComplete(result->reply, line.size()) &&
                    LineExchange::completeLength(delivered, line.size()) == result->reply.size());
            judge(line, result->reply);
        } else {
            require(result->status == ExchangeResult::PortFailed);
            require(LineExchange::completeLength(delivered, line.size()) < 0 || delivered.isEmpty());
        }

        if (!transport.isOpen()) {
            QString error;
            transport.open(error);
        }
        if (failAfter)
            transport.fail(); // between two exchanges: the next one ends with it
    }
    return 0;
}
