// SPDX-License-Identifier: GPL-3.0-or-later
// The radio operations end to end: the engine against the virtual radio, answering inside the
// test process, checking every line the radio received, what the program holds afterwards, and
// how each way of failing ends. One operation of each kind also crosses a real serial device.
// And the virtual radio's own protocol, line in and reply out, which these tests lean on.

#include "RadioFixture.h"
#include "files/CloneFile.h"
#include "link/BlockCommands.h"
#include "model/ChannelNaming.h"
#include "tools/ktv4sim/VirtualRadio.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace ktv4;
using namespace fixture;

Q_DECLARE_METATYPE(ktv4::Operation)
Q_DECLARE_METATYPE(ktv4::TransferOutcome)
Q_DECLARE_METATYPE(ktv4::sim::RadioSetup)

using namespace ktv4::sim;

namespace {

constexpr int kFailingChannel = 9; // some channels before it are read or written, most after it not

QByteArray undecodableChannel()
{
    return QByteArray(2, '8') + "06" + QByteArray(60, '0');
}

// The unpaced radio with one fault at `target`.
constexpr auto kSilent = &RadioSetup::silentFrom, kWrongLength = &RadioSetup::wrongLengthAt,
               kBadAck = &RadioSetup::badAckAt, kVanish = &RadioSetup::vanishAt;
sim::RadioSetup fault(CommandTarget RadioSetup::*kind, CommandTarget target, int length = 0)
{
    sim::RadioSetup setup = Radio::unpaced();
    setup.*kind = target;
    setup.wrongLength = length;
    return setup;
}

void compareChannels(const ChannelTable &actual, const ChannelTable &expected, int from = 0,
                     int to = kChannelCount)
{
    for (int n = from; n < to; ++n)
        QVERIFY2(actual[n] == expected[n], qPrintable(QString::number(n)));
}

QList<int> upTo(int count)
{
    QList<int> list;
    for (int n = 0; n < count; ++n)
        list.append(n);
    return list;
}

// Everything the radio sends back for one line, pieces joined.
QByteArray reply(VirtualRadio &radio, const QByteArray &line)
{
    QByteArray bytes;
    for (const Response::Piece &piece : radio.handleLine(line).pieces)
        bytes += piece.bytes;
    return bytes;
}

const QByteArray kZeros(64, '0');

} // namespace

class TestCloneTransfer : public QObject {
    Q_OBJECT
private slots:
    void identify_data()
    {
        QTest::addColumn<QByteArray>("answer"); // identity/model code/variant code
        QTest::addColumn<int>("replyLength");   // 0: as the radio sends it
        QTest::addColumn<bool>("completed");
        QTest::addColumn<int>("model");
        QTest::addColumn<bool>("variantA");

        // The program starts on model option 1 with the variant set, so every change shows.
        QTest::newRow("99 AA") << QByteArray("KTSV4/99/AA") << 0 << true << 2 << true;
        QTest::newRow("66 AA") << QByteArray("KTSV4/66/AA") << 0 << true << 1 << true;
        QTest::newRow("CC, variant Aa") << QByteArray("KTSV4/CC/Aa") << 0 << true << 3 << false;
        // Identity right, model unknown: the variant has already been cleared.
        QTest::newRow("model code 00") << QByteArray("KTSV4/00/AA") << 0 << false << 1 << false;
        QTest::newRow("lower-case cc") << QByteArray("KTSV4/cc/AA") << 0 << false << 1 << false;
        QTest::newRow("wrong identity") << QByteArray("KTSV5/99/AA") << 0 << false << 1 << true;
        QTest::newRow("20 characters") << QByteArray("KTSV4/99/AA") << 20 << false << 1 << true;
        QTest::newRow("22 characters") << QByteArray("KTSV4/99/AA") << 22 << false << 1 << true;
    }

    void identify()
    {
        QFETCH(QByteArray, answer);
        QFETCH(int, replyLength);
        QFETCH(bool, completed);
        QFETCH(int, model);
        QFETCH(bool, variantA);

        const QList<QByteArray> parts = answer.split('/');
        RadioSetup setup =
            fault(kWrongLength, replyLength ? CommandTarget{CommandTarget::Identify, -1} : CommandTarget{},
                  replyLength);
        setup.identity = parts[0];
        setup.modelCode = parts[1];
        setup.variantCode = parts[2];
        Radio r(setup);
        r.document.setIdentified(1, true);

        const TransferResult result = r.run(Operation::Identify);
        QCOMPARE(result.outcome, completed ? TransferOutcome::Completed : TransferOutcome::BadReply);
        QCOMPARE(r.document.modelIndex(), model);
        QCOMPARE(r.document.cloneVariantA(), variantA);
        QCOMPARE(result.radio.identity,
                 completed ? std::optional<RadioIdentity>({model, variantA}) : std::nullopt);
        QCOMPARE(r.document.radio().identity(), result.radio.identity);
        // One line, no closing line, and the radio's identification is not an edit.
        QCOMPARE(r.lines(), QList<QByteArray>{"OV~WHO\r\n"});
        QVERIFY(!r.document.dataChanged());
    }

    void readAllDiscardingStrayBytes()
    {
        Radio r;
        const RadioImage expected = r.radio.image();
        // Noise after every record, while the program pauses before its next command.
        auto noise = [&r] { r.inject("\r\nOV~F0600R\r\n" + QByteArray(64, '0') + "\r\n"); };
        connect(&r.transfer, &CloneTransfer::settingsDecoded, this, noise);
        connect(&r.transfer, &CloneTransfer::channelDecoded, this, noise);

        const TransferResult result = r.run(Operation::ReadAll);
        QCOMPARE(result.outcome, TransferOutcome::Completed);

        const QList<QByteArray> lines = r.lines();
        QCOMPARE(lines, readSettingsLines() + readMemoryLines());
        // The addresses as the radio numbers them, past the gap after channel 79.
        QCOMPARE(lines[5 + 0] + lines[5 + 79] + lines[5 + 80] + lines[5 + 603],
                 QByteArray("OV~F0600R\r\nOV~F0FE0R\r\nOV~F1000R\r\nOV~F5160R\r\n"));

        // Every record as the radio holds it.
        QCOMPARE(recordHex(r.image().settings.base1), r.radio.record(kSettings1Address));
        QCOMPARE(r.image().settings, expected.settings);
        QCOMPARE(r.image().vfos, expected.vfos);
        compareChannels(r.image().channels, expected.channels);

        QCOMPARE(r.progress, upTo(kChannelCount));
        QCOMPARE(r.decoded, upTo(kChannelCount));
        QVERIFY(r.settingsDecoded == 1 && r.vfosDecoded == 1);
        QCOMPARE(r.phases, (QList<Operation>{Operation::ReadSettings, Operation::ReadMemory}));
        QVERIFY(!r.document.dataChanged() && r.transfer.isPortOpen());
    }

    // The radio answers the closing line with NG, which is of no consequence.
    void writeSettingsOfANewImage()
    {
        Radio r(fault(kBadAck, {sim::CommandTarget::End, -1}));
        r.document.newImage();

        QCOMPARE(r.run(Operation::WriteSettings).outcome, TransferOutcome::Completed);
        const QByteArray vfo = "8001000100000000000000000000000060566C00" + QByteArray(24, '0');
        const QList<QByteArray> expected{
            "KTSV4\r\n",
            "OV~F0300WA50000000003000E000000000000000000000320010100000808080000000000\r\n",
            "OV~F0320W0000000000000000000001010001000500000000000000000000000000000000\r\n",
            "OV~F0400W" + vfo + "\r\n",
            "OV~F0500W" + vfo + "\r\n",
            "OV~E\r\n",
        };
        QCOMPARE(r.lines(), expected);
        QCOMPARE(r.radio.record(kVfoBAddress), vfo);
    }

    // Write ALL is Write Settings (6 lines) followed by Write Memory (606 lines).
    void writeAll()
    {
        Radio r;
        const RadioImage before = r.image();
        const ImageRecords expected = imageRecords(before);

        QCOMPARE(r.run(Operation::WriteAll).outcome, TransferOutcome::Completed);
        const QList<QByteArray> lines = r.lines();
        QCOMPARE(lines.size(), 6 + 606);
        QList<QByteArray> settings{"KTSV4\r\n"};
        for (int i = 0; i < kFirstChannelIndex; ++i)
            settings.append(writeLine(recordAddress(i), recordText(expected[i])));
        settings.append("OV~E\r\n");
        QCOMPARE(lines.mid(0, 6), settings);
        QList<QByteArray> memory{"KTSV4\r\n"};
        for (int n = 0; n < kChannelCount; ++n)
            memory.append(writeLine(channelAddress(n), recordText(expected[kFirstChannelIndex + n])));
        memory.append("OV~E\r\n");
        QCOMPARE(lines.mid(6), memory);
        QCOMPARE(r.phases, (QList<Operation>{Operation::WriteSettings, Operation::WriteMemory}));
        QCOMPARE(r.progress.last(), 603);
        // Writing changes nothing the program holds (what the radio stores is the real-line rows').
        QVERIFY(r.image() == before);
    }

    void readMemoryFailure_data()
    {
        QTest::addColumn<sim::RadioSetup>("setup");
        QTest::addColumn<bool>("undecodable");
        QTest::addColumn<TransferOutcome>("outcome");
        QTest::addColumn<QString>("reason"); // the start of the detail the user sees

        const sim::CommandTarget at = sim::CommandTarget::block(channelAddress(kFailingChannel));
        QTest::newRow("no reply") << fault(kSilent, at) << false << TransferOutcome::NoReply
                                  << "OV~F0720R: no complete reply within 20 ms";
        QTest::newRow("reply of 78") << fault(kWrongLength, at, 78) << false << TransferOutcome::BadReply
                                     << "OV~F0720R: reply of 78 characters, 77 expected";
        QTest::newRow("record that does not decode")
            << Radio::unpaced() << true << TransferOutcome::RecordUndecodable
            << "channel 9 did not decode (mode byte above 5)";
        QTest::newRow("device vanishes") << fault(kVanish, at) << false << TransferOutcome::PortFailed << "";
    }

    // Each way a reply can fail at channel k: the channels before k are the radio's, the rest as
    // they were, no retry, no closing line, and the trace ends with the message.
    void readMemoryFailure()
    {
        QFETCH(sim::RadioSetup, setup);
        QFETCH(bool, undecodable);
        QFETCH(TransferOutcome, outcome);
        QFETCH(QString, reason);

        QTemporaryDir dir;
        Radio r(setup);
        if (undecodable)
            r.radio.setRecord(channelAddress(kFailingChannel), undecodableChannel());
        const RadioImage radio = r.radio.image();
        const RadioImage before = r.image();
        r.transfer.setTraceFile(dir.filePath(QStringLiteral("trace.txt")));

        const TransferResult result = r.run(Operation::ReadMemory);
        r.transfer.setTraceFile(QString());
        QCOMPARE(result.outcome, outcome);
        QVERIFY2(!result.detail.isEmpty() && result.detail.startsWith(reason), qPrintable(result.detail));
        QCOMPARE(r.lines(), readMemoryLines(kFailingChannel + 1, false));
        compareChannels(r.image().channels, radio.channels, 0, kFailingChannel);
        compareChannels(r.image().channels, before.channels, kFailingChannel);
        QCOMPARE(r.decoded.size(), kFailingChannel);
        QCOMPARE(r.results.size(), 1);
        QVERIFY(!r.transfer.isBusy());
        QFile trace(dir.filePath(QStringLiteral("trace.txt")));
        QVERIFY(trace.open(QIODevice::ReadOnly));
        QVERIFY(trace.readAll().trimmed().endsWith((outcomeText(outcome) + ": " + result.detail).toUtf8()));

        // The port stays open after a refused reply; a device that went away is closed, for good.
        QCOMPARE(r.transfer.isPortOpen(), !r.vanished());
        if (r.vanished())
            QCOMPARE(r.run(Operation::Identify).outcome, TransferOutcome::PortNotOpened);
    }

    void writeFailure_data()
    {
        QTest::addColumn<sim::RadioSetup>("setup");
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<int>("channelsStored"); // channels the radio took before the failure
        QTest::addColumn<QString>("summary");    // what the user is told the radio now holds

        const sim::CommandTarget enable{sim::CommandTarget::WriteEnable, -1};
        const sim::CommandTarget at = sim::CommandTarget::block(channelAddress(kFailingChannel));
        const int k = kFailingChannel;
        const QString nothing = QStringLiteral("Nothing was written to the radio.");
        const QString upToK = QStringLiteral("Channels 0 to 8 were written; channels 9 to B-P2 were not.");
        QTest::newRow("memory, enable NG")
            << fault(kBadAck, enable) << Operation::WriteMemory << 1 << 0 << nothing;
        QTest::newRow("settings, enable 12 characters")
            << fault(kWrongLength, enable, 12) << Operation::WriteSettings << 1 << 0 << nothing;
        QTest::newRow("all, enable NG") << fault(kBadAck, enable) << Operation::WriteAll << 1 << 0 << nothing;
        // Write ALL stops after a failed settings step: no memory step follows.
        QTest::newRow("all, VFO B NG")
            << fault(kBadAck, sim::CommandTarget::block(kVfoBAddress)) << Operation::WriteAll << 5 << 0
            << QStringLiteral("Settings block 1, settings block 2 and VFO A were written; VFO B and channels "
                              "0 to B-P2 were not.");
        QTest::newRow("channel k, 79 characters not ending OK")
            << fault(kBadAck, at) << Operation::WriteMemory << 1 + k + 1 << k << upToK;
        QTest::newRow("channel k, reply of 80")
            << fault(kWrongLength, at, 80) << Operation::WriteMemory << 1 + k + 1 << k + 1 << upToK;
        QTest::newRow("channel k, device vanishes")
            << fault(kVanish, at) << Operation::WriteMemory << 1 + k + 1 << k << upToK;
    }

    // The radio holds the program's channels up to the failure and its own after it; the lines
    // stop at the failing one, with no closing line.
    void writeFailure()
    {
        QFETCH(sim::RadioSetup, setup);
        QFETCH(Operation, operation);
        QFETCH(int, lineCount);
        QFETCH(int, channelsStored);
        QFETCH(QString, summary);

        Radio r(setup);
        const RadioImage before = r.image();
        const RadioImage radioBefore = r.radio.image();

        const TransferResult result = r.run(operation);
        const bool vanished = QByteArray(QTest::currentDataTag()).contains("vanishes");
        QCOMPARE(result.outcome, vanished ? TransferOutcome::PortFailed : TransferOutcome::BadReply);
        QVERIFY(!result.memoryStep || operation == Operation::WriteMemory);
        QCOMPARE(writtenSummary(result), summary);
        QCOMPARE(r.results.size(), 1);
        const QList<QByteArray> lines = r.lines();
        QCOMPARE(lines.size(), lineCount);
        QCOMPARE(lines[0], QByteArray("KTSV4\r\n"));
        if (lineCount == 5)
            QVERIFY(lines[4].startsWith("OV~F0500W"));
        if (lineCount > 5)
            QCOMPARE(lines.last(), writeLine(channelAddress(kFailingChannel),
                                             recordText(encodeChannel(before.channels[kFailingChannel]))));
        const RadioImage radio = r.radio.image();
        compareChannels(radio.channels, before.channels, 0, channelsStored);
        compareChannels(radio.channels, radioBefore.channels, channelsStored);
    }

    void readSettingsFailure_data()
    {
        QTest::addColumn<sim::RadioSetup>("setup");
        QTest::addColumn<int>("badRecord"); // a record replaced by one that does not decode; 0: none
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<Operation>("operation");

        QTest::newRow("second settings reply of 78")
            << fault(kWrongLength, sim::CommandTarget::block(kSettings2Address), 78) << 0 << 2
            << Operation::ReadSettings;
        QTest::newRow("settings that do not decode")
            << Radio::unpaced() << kSettings1Address << 2 << Operation::ReadSettings;
        QTest::newRow("VFO A does not decode")
            << Radio::unpaced() << kVfoAAddress << 4 << Operation::ReadSettings;
        // Read ALL stops after a failed settings step: no memory step follows.
        QTest::newRow("Read ALL, VFO B does not decode")
            << Radio::unpaced() << kVfoBAddress << 4 << Operation::ReadAll;
    }

    // A refused reply is a Communication Error; a record that does not decode, a COM Port Error.
    void readSettingsFailure()
    {
        QFETCH(sim::RadioSetup, setup);
        QFETCH(int, badRecord);
        QFETCH(int, lineCount);
        QFETCH(Operation, operation);
        const bool settingsFromRadio = lineCount == 4; // both settings records came and decoded

        Radio r(setup);
        if (badRecord == kSettings1Address) {
            // Byte 19 is the dimmer, whose list ends at 64.
            QByteArray text = r.radio.record(kSettings1Address);
            text.replace(38, 2, "41");
            r.radio.setRecord(kSettings1Address, text);
        } else if (badRecord) {
            r.radio.setRecord(badRecord, undecodableChannel());
        }
        const RadioImage radio = r.radio.image();
        const RadioImage before = r.image();

        const TransferResult result = r.run(operation);
        QCOMPARE(result.outcome, badRecord ? TransferOutcome::RecordUndecodable : TransferOutcome::BadReply);
        QCOMPARE(result.operation, operation);
        QVERIFY(!result.memoryStep);
        QCOMPARE(r.results.size(), 1);
        QCOMPARE(r.phases, QList<Operation>{Operation::ReadSettings});
        QCOMPARE(r.lines(), readSettingsLines().mid(0, lineCount));
        QVERIFY(r.image().channels == before.channels);
        // The settings change only when both records are in and decode, the VFOs only when both
        // decode.
        QCOMPARE(r.image().settings, settingsFromRadio ? radio.settings : before.settings);
        QCOMPARE(r.settingsDecoded, settingsFromRadio ? 1 : 0);
        QVERIFY(r.image().vfos == before.vfos && r.vfosDecoded == 0);
    }

    // Single characters and a late answer after the echo are left to tst_lineexchange; here the
    // whole engine reads and writes with every reply in pieces.
    void splitReplies()
    {
        RadioSetup setup = Radio::unpaced();
        setup.splitSize = 7;
        Radio r(setup);
        const RadioImage radio = r.radio.image();

        QCOMPARE(r.run(Operation::ReadSettings).outcome, TransferOutcome::Completed);
        QCOMPARE(r.image().settings, radio.settings);
        QCOMPARE(r.image().vfos, radio.vfos);

        r.radio.clearLog();
        QCOMPARE(r.run(Operation::WriteSettings).outcome, TransferOutcome::Completed);
        QCOMPARE(r.lines().size(), 6);
    }

    void cancel_data()
    {
        // 0: as channel 10 is about to be read or written, 1: in the pause after it, 2: as the
        // memory half begins (Write ALL: as settings block 2 goes out), 3: as channel 10 goes out to a
        // radio that has gone silent
        QTest::addColumn<int>("when");
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<QString>("summary");
        const QString nineWritten =
            QStringLiteral("Channels 0 to 9 were written; channels 10 to B-P2 were not.");
        QTest::newRow("before an exchange") << 0 << 5 + 10 << Operation::ReadAll << QString();
        QTest::newRow("during a pause") << 1 << 5 + 11 << Operation::ReadAll << QString();
        QTest::newRow("between the halves of Read ALL") << 2 << 5 << Operation::ReadAll << QString();
        // A write session the radio answers is ended with the closing line.
        QTest::newRow("Write Memory before channel 10")
            << 0 << 1 + 10 + 1 << Operation::WriteMemory << nineWritten;
        QTest::newRow("Write ALL in the settings half")
            << 2 << 1 + 2 + 1 << Operation::WriteAll
            << QStringLiteral("Settings block 1 and settings block 2 were written; VFO A, VFO B and channels "
                              "0 to B-P2 were not.");
        QTest::newRow("Write Memory, the radio silent")
            << 3 << 1 + 11 << Operation::WriteMemory << nineWritten;
    }

    void cancel()
    {
        QFETCH(int, when);
        QFETCH(int, lineCount);
        QFETCH(Operation, operation);
        QFETCH(QString, summary);
        Radio r(when == 3 ? fault(kSilent, CommandTarget::block(channelAddress(10))) : Radio::unpaced());
        auto cancelAt10 = [&r](int n) {
            if (n == 10)
                r.transfer.cancel();
        };
        // Cancelled as a line goes out: the reply to it is still awaited.
        const QByteArray cancellingLine =
            when == 3 ? "OV~F" + addressText(channelAddress(10)).toLatin1() + 'W' : QByteArray("OV~F0320W");
        if (when == 0)
            connect(&r.transfer, &CloneTransfer::progress, this, cancelAt10);
        else if (when == 1)
            connect(&r.transfer, &CloneTransfer::channelDecoded, this, cancelAt10);
        else if (when == 3 || operation == Operation::WriteAll)
            r.radio.setLineObserver([&r, cancellingLine](const QByteArray &line) {
                if (line.startsWith(cancellingLine))
                    r.transfer.cancel();
            });
        else
            connect(&r.transfer, &CloneTransfer::phaseStarted, this, [&r](Operation phase) {
                if (phase == Operation::ReadMemory)
                    r.transfer.cancel();
            });

        const TransferResult result = r.run(operation);
        QCOMPARE(result.outcome, when == 3 ? TransferOutcome::NoReply : TransferOutcome::Cancelled);
        QCOMPARE(result.memoryStep, operation == Operation::ReadAll); // stopped in Read ALL's memory half
        QCOMPARE(writtenSummary(result), summary);
        const QList<QByteArray> lines = r.lines();
        QCOMPARE(lines.size(), lineCount);
        QCOMPARE(r.results.size(), 1);
        // A read stops as a failed step stops, without a closing line; so does a write whose radio
        // stopped answering. A write the radio answers ends its session with the closing line.
        if (isWriteOperation(operation) && when != 3)
            QCOMPARE(lines.last(), QByteArray("OV~E\r\n"));
        else
            QVERIFY(!lines.mid(5).contains("OV~E\r\n"));

        // Nothing is left running: the next operation starts and completes.
        r.radio.setSetup(Radio::unpaced());
        r.radio.clearLog();
        QCOMPARE(r.run(Operation::Identify).outcome, TransferOutcome::Completed);
        QCOMPARE(r.lines(), QList<QByteArray>{"OV~WHO\r\n"});
    }

    void overARealSerialLine_data()
    {
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<int>("baud"); // 0: the radio answers at once
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<int>("echoGapMs"); // the radio's pause between its echo and its answer
        QTest::newRow("identify") << Operation::Identify << 9600 << 1 << 0;
        // A slow radio is still heard: the time-out is the radio's full 2000 ms.
        QTest::newRow("identify, answer 1 s after the echo") << Operation::Identify << 0 << 1 << 1000;
        QTest::newRow("read settings") << Operation::ReadSettings << 9600 << 5 << 0;
        QTest::newRow("write settings") << Operation::WriteSettings << 9600 << 6 << 0;
        QTest::newRow("read memory") << Operation::ReadMemory << 0 << 605 << 0;
        QTest::newRow("write memory") << Operation::WriteMemory << 0 << 606 << 0;
    }

    // The engine on a real serial device: QSerialPort on a pseudo-terminal, the virtual radio on
    // a thread of its own, at the line's speed where that stays quick. The memory operations skip
    // the record pause, which only costs time here.
    void overARealSerialLine()
    {
        QFETCH(Operation, operation);
        QFETCH(int, baud);
        QFETCH(int, lineCount);
        QFETCH(int, echoGapMs);
        sim::RadioSetup setup;
        setup.baud = baud;
        setup.echoGapMs = echoGapMs;
        const LinkTimings timings{kRadioTimings.replyTimeout,
                                  baud ? kRadioTimings.recordPause : std::chrono::milliseconds(0)};
        Radio r(setup, radioImage(), Wire::Pty, timings);
        QVERIFY(r.opened);
        const RadioImage program = r.image();
        const RadioImage radio = r.radio.image();

        QCOMPARE(r.run(operation).outcome, TransferOutcome::Completed);
        QCOMPARE(r.lines().size(), lineCount);
        const bool reads = operation == Operation::ReadSettings || operation == Operation::ReadMemory;
        const RadioImage &expected = reads ? radio : program;
        const RadioImage actual = reads ? r.image() : r.radio.image();
        // The side written to holds the records the other makes.
        const ImageRecords held = imageRecords(actual);
        const ImageRecords made = imageRecords(expected);
        const bool settings = operation == Operation::ReadSettings || operation == Operation::WriteSettings;
        const auto first = settings ? 0 : kFirstChannelIndex;
        const auto end = settings ? kFirstChannelIndex : kRecordCount;
        if (operation != Operation::Identify)
            QVERIFY(std::equal(held.begin() + first, held.begin() + end, made.begin() + first));
        QVERIFY(r.transfer.isPortOpen());
        r.transfer.closePort();
        QVERIFY(!r.transfer.isPortOpen());
    }

    void secondOperationRefused()
    {
        Radio r;
        QList<bool> refusals;
        connect(&r.transfer, &CloneTransfer::settingsDecoded, this, [&] {
            refusals.append(r.link.start(r.link.plan(Operation::WriteMemory)));
            refusals.append(r.link.start(Operation::ReadSettings));
        });
        QVERIFY(r.link.start(Operation::ReadSettings));
        QVERIFY(r.transfer.isBusy());
        QVERIFY(!r.link.start(Operation::Identify));
        QTRY_VERIFY_WITH_TIMEOUT(!r.results.isEmpty(), 10000);

        QCOMPARE(r.results.size(), 1);
        QCOMPARE(r.results[0].outcome, TransferOutcome::Completed);
        QCOMPARE(refusals, (QList<bool>{false, false}));
        QCOMPARE(r.lines(), readSettingsLines());
        QVERIFY(!r.transfer.isBusy());
    }

    // A closing line that gets no reply at all still completes the operation, after the time-out;
    // the trace shows every line, the noise and the time-out.
    void traceOfAnUnansweredClosingLine()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("trace.txt"));
        Radio r(fault(kSilent, {CommandTarget::End, -1}));
        connect(&r.transfer, &CloneTransfer::settingsDecoded, this, [&r] { r.inject("\x01noise"); });
        r.transfer.setTraceFile(path);
        QCOMPARE(r.run(Operation::ReadSettings).outcome, TransferOutcome::Completed);
        r.transfer.setTraceFile(QString());
        QCOMPARE(r.lines(), readSettingsLines());

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList entries =
            QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        // Each entry: wall-clock time, seconds since the operation began, direction, what crossed the line.
        static const QRegularExpression shape(
            QStringLiteral(R"(^\d\d:\d\d:\d\d\.\d{3} +\d+\.\d{6} [#<>x] .+$)"));
        for (const QString &entry : entries)
            QVERIFY2(shape.match(entry).hasMatch(), qPrintable(entry));
        const QStringList sent = entries.filter(QRegularExpression(QStringLiteral(R"(^\S+ +\S+ > )")));
        QVERIFY(sent[0].endsWith(QLatin1String("> OV~F0300R\\r\\n  (11)")));
        QVERIFY(sent[4].endsWith(QLatin1String("> OV~E\\r\\n  (6)")));
        QVERIFY(!entries.filter(QStringLiteral("\\x01noise  (")).isEmpty());
        QVERIFY(!entries.filter(QStringLiteral("time-out")).isEmpty());
        QVERIFY(entries.last().endsWith(QLatin1String("completed")));
    }
    void writesNeedTheWriteEnableLine()
    {
        VirtualRadio radio;
        const QByteArray before = radio.record(0x1000);
        const QByteArray write = "OV~F1000W" + kZeros + "\r\n";
        QCOMPARE(reply(radio, write), write + "NG\r\n");
        QCOMPARE(radio.record(0x1000), before);
        QCOMPARE(reply(radio, "KTSV4\r\n"), QByteArray("KTSV4\r\nOK\r\n"));
        QCOMPARE(reply(radio, write), write + "OK\r\n");
        QCOMPARE(radio.record(0x1000), kZeros);
        // The closing line ends the permission.
        QCOMPARE(reply(radio, "OV~E\r\n"), QByteArray("OV~E\r\nOK\r\n"));
        const QByteArray again = "OV~F1000W" + QByteArray(64, '1') + "\r\n";
        QCOMPARE(reply(radio, again), again + "NG\r\n");
        QCOMPARE(radio.record(0x1000), kZeros);
    }
};

QTEST_GUILESS_MAIN(TestCloneTransfer)
#include "tst_clonetransfer.moc"
