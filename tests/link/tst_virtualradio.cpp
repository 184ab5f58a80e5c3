// The virtual radio's protocol, line in and reply out: the tests of the program lean on it
// behaving like the radio. Its pseudo-terminal is exercised by the real-line tests.

#include "files/CloneFile.h"
#include "model/ChannelNaming.h"
#include "tools/ktv4sim/VirtualRadio.h"

#include <QTest>

using namespace ktv4;
using namespace ktv4::sim;

namespace {

RadioSetup model66VariantA()
{
    RadioSetup setup;
    setup.modelCode = "66";
    setup.variantCode = "AA";
    return setup;
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

class TestVirtualRadio : public QObject {
    Q_OBJECT
private slots:
    void answers()
    {
        VirtualRadio radio(model66VariantA());
        const auto record = [&radio](int address) { return radio.record(address) + "\r\n"; };
        QCOMPARE(reply(radio, "OV~WHO\r\n"), QByteArray("OV~WHO\r\nKTSV46600AA\r\n"));
        QCOMPARE(reply(radio, "OV~F0600R\r\n"), "OV~F0600R\r\n" + record(channelAddress(0)));
        QCOMPARE(reply(radio, "OV~F5160R\r\n"), "OV~F5160R\r\n" + record(channelAddress(603)));
        QCOMPARE(reply(radio, "OV~F0320R\r\n"), "OV~F0320R\r\n" + record(kSettings2Address));
        QCOMPARE(reply(radio, "HELLO\r\n"), QByteArray("HELLO\r\nNG\r\n"));
        QCOMPARE(radio.receivedCount(), 5);
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

    void sampleAndSavedImage()
    {
        const RadioImage sample = VirtualRadio::sampleImage();
        for (const int channel : {0, 199, 200, 400, 401, 402, 602, 603})
            QVERIFY2(sample.channels[channel].inUse, qPrintable(QString::number(channel)));

        VirtualRadio radio(model66VariantA());
        radio.setRecord(channelAddress(5), QByteArray(64, 'f'));
        const CloneLoadResult loaded = parseCloneFile(radio.cloneFileBytes(), startupImage());
        QVERIFY2(loaded.result.ok(), qPrintable(loaded.result.detail));
        QCOMPARE(loaded.header->modelIndex, 1);
        QVERIFY(loaded.header->variantA);
        QVERIFY(!loaded.image.channels[5].inUse);
        QVERIFY(loaded.image.channels == radio.image().channels);
        // Records are saved as held, lower-case digits included.
        QVERIFY(radio.cloneFileBytes().contains("\r\n" + QByteArray(64, 'f') + "\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestVirtualRadio)
#include "tst_virtualradio.moc"
