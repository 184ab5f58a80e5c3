// SPDX-License-Identifier: GPL-3.0-or-later
// Whole radio operations driven by any bytes as the radio's side of the cable: CloneTransfer runs
// one identify, read or write over the in-memory scripted transport, and every line it sends is
// answered by the next frame of the input. The operation must end exactly once, send nothing after
// it ended, and a read that completed must hold records that decode into what the tables show; a
// write that completed must have sent every planned record and the radio acknowledged each.
//
// Input: [operation] [image] then one frame per line sent, [control] [argument] ...
// operation bits 0-2: identify, read settings, memory, all, write settings, memory, all, changes;
// bit 3: writes are read back and checked. image bits 0-3: channels in use; bit 4: the radio is
// known to hold everything but those channels.
// control bits 0-1, what the radio does: 0 answers properly (`argument` + 1 lines in a row; a
// read gets what was written to that record, or a record made from the argument and the line),
// 1 sends [argument] raw bytes from the input, 2 answers properly with the byte at [argument]
// replaced by the next input byte, 3 stays silent (the reply time-out ends the wait);
// bits 2-4: n, the answer arrives whole (0) or in pieces of 2^(n-1) bytes; bit 5: a stray byte follows the
// answer; bit 6: the port fails after the answer; bit 7: the user cancels once the line was sent. The input
// running out is a cable pulled.

#include "../tests/support/ScriptedTransport.h"

#include "link/BlockCommands.h"
#include "link/CloneTransfer.h"
#include "model/ImageDiff.h"
#include "model/RecordText.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdlib>
#include <optional>

using namespace ktv4;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

class Input {
public:
    Input(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}
    bool atEnd() const { return m_pos >= m_size; }
    std::uint8_t next() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    QByteArray bytes(std::size_t n)
    {
        n = std::min(n, m_size - m_pos);
        const QByteArray out(reinterpret_cast<const char *>(m_data + m_pos), qsizetype(n));
        m_pos += n;
        return out;
    }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// A record the radio might hold: in use or not, the other bytes anything, in either letter case;
// a mode byte above 5 (which does not decode) only when `anyMode`.
QString recordData(std::uint32_t seed, bool anyMode)
{
    RecordBytes b{};
    for (std::uint8_t &byte : b) {
        seed = seed * 1103515245u + 12345u;
        byte = std::uint8_t(seed >> 16);
    }
    static const std::uint8_t status[] = {0x80, 0x88, 0x00, 0xFF};
    b[0] = status[b[0] & 3];
    b[1] = b[1] % (anyMode ? 8 : 6);
    const QString text = recordText(b);
    return seed & 0x80000000u ? text.toLower() : text;
}

// The radio: answers each line sent with the next frame of the input. It keeps what is written to
// it and gives that back when it is read; a record never written is made up, the settings as a
// new radio holds them.
class FuzzRadio : public fixture::ScriptedTransport {
public:
    explicit FuzzRadio(Input &input) : m_input(input)
    {
        const ImageRecords records = imageRecords(startupImage());
        for (int i = 0; i < kFirstChannelIndex - 2; ++i)
            m_held[recordAddress(i)] = recordText(records[i]);
    }

    QList<QByteArray> lines;           // every line sent
    QList<QByteArray> delivered;       // what arrived in answer to each line
    QHash<QByteArray, qsizetype> last; // the last time each line was sent
    bool cancelNow = false;

    bool write(const QByteArray &bytes) override
    {
        if (!ScriptedTransport::write(bytes))
            return false;
        last[bytes] = lines.size();
        lines << bytes;
        delivered << QByteArray();
        QMetaObject::invokeMethod(
            this, [this, bytes] { answer(bytes); }, Qt::QueuedConnection);
        return true;
    }

private:
    void answer(const QByteArray &line)
    {
        if (m_repeat == 0 && m_input.atEnd()) {
            breakDown(QStringLiteral("cable pulled"));
            return;
        }
        std::uint8_t control = m_control;
        std::uint8_t argument = m_argument;
        if (m_repeat > 0) {
            --m_repeat;
        } else {
            control = m_control = m_input.next();
            argument = m_argument = m_input.next();
            if ((control & 3) == 0)
                m_repeat = argument;
        }
        QByteArray reply;
        switch (control & 3) {
        case 0:
            reply = properAnswer(line, argument);
            break;
        case 1:
            reply = m_input.bytes(argument);
            break;
        case 2:
            reply = properAnswer(line, 0);
            reply[argument % reply.size()] = char(m_input.next());
            break;
        default:
            break;
        }
        if (control & 0x20)
            reply += char(argument);
        const int n = (control >> 2) & 7;
        const qsizetype piece = n == 0 ? std::max<qsizetype>(reply.size(), 1) : qsizetype(1) << (n - 1);
        for (qsizetype at = 0; at < reply.size() && isOpen(); at += piece) {
            delivered.last() += reply.mid(at, piece);
            arrive(reply.mid(at, piece));
        }
        if (control & 0x40)
            breakDown(QStringLiteral("cable pulled"));
        cancelNow = control & 0x80;
    }

    QByteArray properAnswer(const QByteArray &line, std::uint8_t argument)
    {
        if (line == identifyLine()) {
            const QByteArray code = modelCode(argument % 5); // 4: a code no model has
            return line + "KTSV4" + code + "00" + (argument & 0x80 ? "AA" : "00") + "\r\n";
        }
        if (line.size() == kReadLineLength) {
            const int address = line.mid(4, 4).toInt(nullptr, 16);
            const QString held = m_held.value(address, recordData(qHash(line) ^ argument, argument & 0x40));
            return line + held.toLatin1() + "\r\n";
        }
        if (line.size() == kWriteLineLength)
            m_held[line.mid(4, 4).toInt(nullptr, 16)] = QString::fromLatin1(line.mid(9, kRecordChars));
        return line + "OK\r\n"; // write enable, block write, closing line
    }

    Input &m_input;
    QHash<int, QString> m_held;
    std::uint8_t m_control = 0;
    std::uint8_t m_argument = 0;
    int m_repeat = 0;
};

constexpr Operation kOperations[] = {Operation::Identify, Operation::ReadSettings,  Operation::ReadMemory,
                                     Operation::ReadAll,  Operation::WriteSettings, Operation::WriteMemory,
                                     Operation::WriteAll, Operation::WriteChanges};

// What the radio sent for `address` in the last answer the program took, as the record text.
std::optional<RecordBytes> readData(const FuzzRadio &radio, int address)
{
    const qsizetype i = radio.last.value(blockReadLine(address), -1);
    if (i < 0)
        return std::nullopt;
    return parseRecordText(QString::fromLatin1(radio.delivered[i].mid(kReadLineLength, kRecordChars)));
}

// A completed read: every record it read is known as sent, and decodes into what the tables show.
void checkRead(const RadioImage &image, const RadioMemory &known, const FuzzRadio &radio, Operation operation)
{
    if (operation != Operation::ReadMemory) {
        RecordBytes data[4];
        for (int i = 0; i < 4; ++i) {
            const std::optional<RecordBytes> sent = readData(radio, recordAddress(i));
            require(sent && known.record(recordAddress(i)) == *sent);
            data[i] = *sent;
        }
        RadioSettings settings;
        require(decodeSettings(data[0], data[1], settings).ok && settings == image.settings);
        for (int v = 0; v < kVfoCount; ++v)
            require(decodeVfo(data[2 + v]) == image.vfos[v]);
    }
    if (operation == Operation::ReadSettings)
        return;
    for (int ch = 0; ch < kChannelCount; ++ch) {
        const int address = recordAddress(kFirstChannelIndex + ch);
        const std::optional<RecordBytes> sent = readData(radio, address);
        require(sent && known.record(address) == *sent);
        require(decodeChannel(*sent) == image.channels[ch]);
    }
}

// A completed write: every planned record sent and acknowledged, and known to the radio as sent.
void checkWrite(const RadioMemory &known, const TransferResult &result)
{
    require(result.writtenRecords == result.plannedRecords);
    for (const int address : result.plannedRecords)
        require(known.isKnown(address));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv); // the engine's timers need an event dispatcher
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Input input(data, size);
    const std::uint8_t first = input.next();
    const std::uint8_t second = input.next();
    const Operation operation = kOperations[first % 8];

    RadioImage image = startupImage();
    RadioMemory known;
    for (int ch = 0; ch < (second & 0x0F); ++ch) {
        image.channels[ch * 37] = newChannel(7'050'000, Mode(ch % 6));
    }
    if (second & 0x10) {
        // The radio is known to hold the image except a few channels: Write Changes sends those.
        const ImageRecords records = imageRecords(image);
        for (int i = 0; i < kRecordCount; ++i) {
            if (i < kFirstChannelIndex || (i - kFirstChannelIndex) % 37 != 0)
                known.setRecord(recordAddress(i), records[i]);
        }
    }
    auto transport = std::make_unique<FuzzRadio>(input);
    FuzzRadio &radio = *transport;
    // No time-out and no pause: every answer is queued before the time-out's timer is due, so the
    // time-out ends only a wait that nothing more would end.
    CloneTransfer transfer(std::move(transport),
                           LinkTimings{std::chrono::milliseconds(0), std::chrono::milliseconds(0)});
    transfer.setVerifyWrites(first & 0x08);

    int finishedCount = 0;
    TransferResult result;
    QObject::connect(&transfer, &CloneTransfer::finished, [&](const TransferResult &r) {
        ++finishedCount;
        result = r;
    });
    QObject::connect(&transfer, &CloneTransfer::phaseStarted,
                     [&](Operation) { require(finishedCount == 0); });

    bool stuck = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&stuck] { stuck = true; });
    watchdog.start(20000);

    std::optional<WritePlan> plan;
    if (isWriteOperation(operation))
        plan = planWrite(operation, image, known);
    const auto start = [&] { return plan ? transfer.start(*plan) : transfer.start(operation, image); };
    require(start());
    require(!start()); // one operation at a time
    while (finishedCount == 0 && !stuck) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (std::exchange(radio.cancelNow, false))
            transfer.cancel();
    }
    require(!stuck); // every operation ends
    // Nothing more is sent, and no second end follows.
    const qsizetype sent = radio.lines.size();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    require(finishedCount == 1 && radio.lines.size() == sent && !transfer.isBusy());
    require(result.operation == operation);

    result.radio.applyTo(known);
    if (result.outcome == TransferOutcome::Completed) {
        if (isReadOperation(operation))
            checkRead(transfer.image(), known, radio, operation);
        else if (isWriteOperation(operation))
            checkWrite(known, result);
    }
    for (qsizetype i = 0; i < result.writtenRecords.size(); ++i)
        require(result.writtenRecords[i] == result.plannedRecords.value(i, -1));
    return 0;
}
