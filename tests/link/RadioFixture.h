// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The transfer engine and the virtual radio, with what each side saw. The radio answers inside
// the test process through RadioTransport (no device, replies at once, a short time-out), or,
// for the few tests of the real line, on a pseudo-terminal opened through QSerialPort with the
// radio's own timings.

#include "files/CloneDocument.h"
#include "files/DocumentTransfer.h"
#include "link/CloneTransfer.h"
#include "link/SerialTransport.h"
#include "model/ChannelNaming.h"
#include "model/RecordText.h"
#include "support/RadioTransport.h"
#include "tools/ktv4sim/VirtualRadio.h"

#include <QTest>
#include <QTestEventLoop>
#include <memory>
#include <optional>

namespace fixture {

using namespace ktv4;

inline QByteArray channelRecord(int hz, int mode, const QString &name, int splitHz = 0, int status = 0x80)
{
    RecordBytes b{};
    b[0] = status;
    b[1] = mode;
    b[2] = mode % 4;
    b[3] = mode % 2;
    b[4] = mode % 3;
    b[6] = mode % 2;
    b[7] = mode == 5 ? 0x85 : 0;
    b[9] = mode % 2;
    writeInt32(b, 16, hz);
    for (int i = 0; i < name.size() && i < 8; ++i)
        b[20 + i] = nameCodeFor(name[i]);
    writeInt32(b, 28, splitHz);
    return recordText(b).toLatin1();
}

// What the virtual radio holds: every channel in use, each one different.
inline RadioImage radioImage()
{
    RadioImage image = startupImage(ModelE);
    for (int n = 0; n < kChannelCount; ++n) {
        putChannelRecord(image, n,
                         parseRecordText(QString::fromLatin1(
                             channelRecord(1'800'000 + 1000 * n, n % 6, QStringLiteral("R%1").arg(n),
                                           n % 7 ? 0 : 7'000'000, n % 5 ? 0x80 : 0x88))));
    }
    SettingsValues &settings = image.settings.values;
    settings.cmbBeep = 1;
    settings.cmbDimmer = 7;
    settings.cmbSleep = 4;
    settings.cmbLED = 2;
    settings.Slider1 = -150;
    putVfoRecord(image, 0, parseRecordText(QString::fromLatin1(channelRecord(3'500'000, 3, QString()))));
    putVfoRecord(image, 1, parseRecordText(QString::fromLatin1(channelRecord(21'000'000, 4, QString()))));
    return image;
}

// What the program holds before a transfer: just as full, and different from the radio everywhere.
inline RadioImage programImage()
{
    RadioImage image = startupImage(ModelE);
    for (int n = 0; n < kChannelCount; ++n) {
        putChannelRecord(image, n,
                         parseRecordText(QString::fromLatin1(channelRecord(30'000'000 - 1000 * n, (n + 3) % 6,
                                                                           QStringLiteral("P%1").arg(n)))));
    }
    SettingsValues &settings = image.settings.values;
    settings.cmbAPO = 3;
    settings.cmbScanMode = 2;
    settings.Slider1 = 2400;
    return image;
}

// The line the radio should receive for one block read or write.
inline QByteArray readLine(int address)
{
    return "OV~F" + addressText(address).toLatin1() + "R\r\n";
}

inline QByteArray writeLine(int address, const QString &text)
{
    return "OV~F" + addressText(address).toLatin1() + "W" + text.toLatin1() + "\r\n";
}

inline QList<QByteArray> readSettingsLines()
{
    return {readLine(kSettings1Address), readLine(kSettings2Address), readLine(kVfoAAddress),
            readLine(kVfoBAddress), "OV~E\r\n"};
}

inline QList<QByteArray> readMemoryLines(int upTo = kChannelCount, bool closing = true)
{
    QList<QByteArray> lines;
    for (int n = 0; n < upTo; ++n)
        lines.append(readLine(channelAddress(n)));
    if (closing)
        lines.append("OV~E\r\n");
    return lines;
}

enum class Wire { InProcess, Pty };

struct Radio {
    explicit Radio(sim::RadioSetup setup = unpaced(), const RadioImage &radioContents = radioImage(),
                   Wire wireKind = Wire::InProcess, std::optional<LinkTimings> timings = std::nullopt)
        : radio(std::move(setup)),
          transfer(makeTransport(wireKind),
                   timings.value_or(wireKind == Wire::Pty ? kRadioTimings : kInstantTimings)),
          link(document, transfer)
    {
        radio.loadImage(radioContents);
        document.image() = programImage();
        if (wireKind == Wire::Pty) {
            QString error;
            opened = radio.open(error);
            if (opened)
                radio.start();
            transfer.setPortName(radio.devicePath());
        }
        QObject::connect(&link, &DocumentTransfer::finished,
                         [this](const TransferResult &r) { results.append(r); });
        QObject::connect(&transfer, &CloneTransfer::progress, [this](int n) { progress.append(n); });
        QObject::connect(&transfer, &CloneTransfer::channelDecoded, [this](int n) { decoded.append(n); });
        QObject::connect(&transfer, &CloneTransfer::settingsDecoded, [this] { ++settingsDecoded; });
        QObject::connect(&transfer, &CloneTransfer::vfosDecoded, [this] { ++vfosDecoded; });
        QObject::connect(&transfer, &CloneTransfer::phaseStarted, [this](Operation p) { phases.append(p); });
    }
    ~Radio() { radio.stop(); }

    std::unique_ptr<Transport> makeTransport(Wire wireKind)
    {
        if (wireKind == Wire::Pty)
            return std::make_unique<SerialTransport>();
        auto transport = std::make_unique<RadioTransport>(radio);
        wire = transport.get();
        return transport;
    }

    // Noise on the line now, outside any reply.
    void inject(const QByteArray &bytes) { wire ? wire->inject(bytes) : radio.inject(bytes); }
    bool vanished() const { return wire ? wire->hasVanished() : radio.hasVanished(); }

    static sim::RadioSetup unpaced()
    {
        sim::RadioSetup setup;
        setup.baud = 0;
        return setup;
    }

    // Starts an operation (a write: of the plan the document makes) and waits for its end.
    TransferResult run(Operation operation, int timeoutMs = 120000)
    {
        results.clear();
        if (!(isWriteOperation(operation) ? link.start(link.plan(operation)) : link.start(operation)))
            return {operation, TransferOutcome::Cancelled, QStringLiteral("refused to start")};
        // An event loop rather than qWait(), which sleeps between its rounds and would slow every exchange.
        QTestEventLoop loop;
        const QMetaObject::Connection quit = QObject::connect(
            &link, &DocumentTransfer::finished, &loop, &QTestEventLoop::exitLoop, Qt::QueuedConnection);
        loop.enterLoopMSecs(timeoutMs);
        QObject::disconnect(quit);
        if (results.isEmpty())
            return {operation, TransferOutcome::Cancelled, QStringLiteral("never finished")};
        return results.first();
    }

    QList<QByteArray> lines() const { return radio.receivedLines(); }
    const RadioImage &image() const { return document.image(); }

    sim::VirtualRadio radio;
    CloneDocument document;
    RadioTransport *wire = nullptr; // the in-process line; null on a pseudo-terminal
    CloneTransfer transfer;
    DocumentTransfer link;
    bool opened = true;
    QList<TransferResult> results;
    QList<int> progress;
    QList<int> decoded;
    int settingsDecoded = 0;
    int vfosDecoded = 0;
    QList<Operation> phases;
};

} // namespace fixture
