// SPDX-License-Identifier: GPL-3.0-or-later
// Memory files written by hand: every fault named with its line and reason, nothing applied when
// one is found, keys left out taking a new image's values, and comments a save would drop noticed.
// Round trips of random images are in tst_roundtrip.

#include "files/CloneDocument.h"
#include "files/MemoryFile.h"
#include "model/ChannelNaming.h"
#include "support/ProcessRunner.h"

#include <QTemporaryDir>
#include <QTest>

using namespace ktv4;
using ktv4::test::readAll;
using ktv4::test::writeAll;

namespace {

// The faults of channel lines, for the table of bad files.
void addBadChannelRows()
{
    QTest::newRow("channel typo") << QByteArray("channels:\n  0: {frequncy: 7050000, mode: USB}\n")
                                  << "line 2: unknown key \"frequncy\" in channel 0; the keys are frequency, "
                                     "mode, gain, agc, power, filter, tone, nb, split, name, skip, raw";
    QTest::newRow("too high") << QByteArray("channels:\n  A-P1: {frequency: 35000000, mode: USB}\n")
                              << "line 2: frequency 35000000 Hz is outside 30000 to 34999999 Hz";
    QTest::newRow("too low") << QByteArray("channels:\n  B-P2: {frequency: 29999, mode: USB}\n")
                             << "line 2: frequency 29999 Hz is outside 30000 to 34999999 Hz";
    QTest::newRow("not whole") << QByteArray("channels:\n  0: {frequency: 7050000.5, mode: USB}\n")
                               << "line 2: frequency \"7050000.5\" is not a whole number of hertz";
    QTest::newRow("split") << QByteArray(
                                  "channels:\n  0: {frequency: 7050000, mode: USB, split: 100000000}\n")
                           << "line 2: split 100000000 Hz is outside 0 to 99999999 Hz";
    QTest::newRow("tone") << QByteArray("channels:\n  0: {frequency: 7050000, mode: USB, tone: yes}\n")
                          << "line 2: tone \"yes\" is not one of true, false";
    QTest::newRow("name characters")
        << QByteArray("channels:\n  0: {frequency: 7050000, mode: USB, name: abc}\n")
        << "line 2: name \"abc\" has characters the radio cannot show; it shows A-Z, 0-9, space and * # "
           "+ - / "
           "\\ = ( ) $ _";
    QTest::newRow("name length") << QByteArray(
                                        "channels:\n  0: {frequency: 7050000, mode: USB, name: ABCDEFGHI}\n")
                                 << "line 2: name \"ABCDEFGHI\" is longer than the radio's 8 characters";
    QTest::newRow("no mode") << QByteArray("channels:\n\n  0: {frequency: 7050000}\n")
                             << "line 3: channel 0 has no mode";
    QTest::newRow("no channel") << QByteArray("channels:\n  A200: {frequency: 7050000, mode: USB}\n")
                                << "line 2: \"A200\" is no channel; the channels are 0 to 199, A0 to A199, "
                                   "A-P1, A-P2, B0 to B199, B-P1, B-P2";
    QTest::newRow("channel twice") << QByteArray("channels:\n  A12: {frequency: 7050000, mode: USB}\n"
                                                 "  A 12: {frequency: 7050000, mode: USB}\n")
                                   << "line 3: channel A12 is listed twice (first on line 2)";
    QTest::newRow("key twice") << QByteArray("channels:\n  0: {frequency: 7050000, mode: USB, mode: LSB}\n")
                               << "line 2: key \"mode\" of channel 0 appears twice (first on line 2)";
    QTest::newRow("raw length") << QByteArray("channels:\n  0: {raw: 8000}\n")
                                << "line 2: raw \"8000\" is not a record of 64 hexadecimal digits";
    QTest::newRow("raw mode") << "channels:\n  0: {raw: 8006" + QByteArray(60, '0') + "}\n"
                              << "line 2: raw record of channel 0 has mode byte 0x06, none of USB, LSB, CWU, "
                                 "CWL, AM, FM";
    QTest::newRow("raw empty and keys") << "channels:\n  0: {raw: " + QByteArray(64, '0') + ", nb: true}\n"
                                        << "line 2: raw record of channel 0 is a channel not in use, which "
                                           "takes no other keys";
}

} // namespace

class TestMemoryFile : public QObject {
    Q_OBJECT
private slots:
    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("reason");
        const QByteArray fourChannels =
            "format: 1\nmodel: KT-V4E\nsettings:\n  dimmer: 3\n  beep: On\nvfo:\n"
            "  A: {frequency: 7050000, mode: LSB}\n  B: {frequency: 7100000}\n"
            "channels:\n  0: {frequency: 7074000, mode: USB}\n"
            "  1: {frequency: 7075000, mode: USB}\n  2: {frequency: 7076000, mode: USB}\n"
            "  3: {frequency: 7077000, mode: USB}\n";
        QTest::newRow("mode") << fourChannels + "  A12: {frequency: 14200000, mode: USX}\n"
                              << "line 14: mode \"USX\" is not one of USB, LSB, CWU, CWL, AM, FM";
        QTest::newRow("no YAML") << QByteArray("channels:\n  0: {frequency: 7050000, mode: USB\n")
                                 << "line 3: not valid YAML: ";
        QTest::newRow("second document") << QByteArray("model: KT-V4E\n---\nmodel: KT-V4J\n")
                                         << "line 3: not valid YAML: a second document starts";
        QTest::newRow("no mapping") << QByteArray("- 1\n")
                                    << "line 1: the file must be a mapping with the keys";
        QTest::newRow("empty") << QByteArray("# nothing\n") << ": the file is empty";
        QTest::newRow("top typo") << QByteArray("model: KT-V4E\nchanels: {}\n")
                                  << "line 2: unknown key \"chanels\"; the keys are format, model, variant, "
                                     "settings, vfo, channels";
        QTest::newRow("format") << QByteArray("format: 2\n") << "line 1: format \"2\" is not one of 1";
        QTest::newRow("model")
            << QByteArray("\nmodel: KT-V4X\n")
            << "line 2: model \"KT-V4X\" is not one of KT-V4J, KT-V4T, KT-V4E, PN-31/32 TFH / R";
        QTest::newRow("setting typo")
            << QByteArray("settings:\n  dimer: 3\n")
            << "line 2: unknown key \"dimer\" in settings; the keys are iq_step, rit";
        QTest::newRow("dimmer") << QByteArray("settings:\n  dimmer: 65\n")
                                << "line 2: dimmer \"65\" is not a number from 0 to 64";
        QTest::newRow("byte of a listed setting")
            << QByteArray("settings: {rit: 0x01}\n") << "line 1: rit \"0x01\" is not one of Off, On";
        QTest::newRow("shift") << QByteArray("settings:\n  iq_shift: 24.01\n")
                               << "line 2: iq_shift \"24.01\" is not a shift from -24.00 to +24.00";
        QTest::newRow("settings raw") << QByteArray("settings:\n  raw: [A5, 00]\n")
                                      << "line 2: settings raw must be two records of 64 hexadecimal digits";
        QTest::newRow("vfo") << QByteArray("vfo:\n  C: {frequency: 7050000}\n")
                             << "line 2: unknown key \"C\" in vfo; the keys are A, B";
        addBadChannelRows();
    }

    // Each fault is "File Open Error" with the file, its line and why; the document keeps all it had.
    void badFiles()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString good = dir.filePath("good.TV4"), bad = dir.filePath("radio.yaml");
        CloneDocument document;
        document.image().channels[7] = newChannel(7'050'000, Mode::CWU);
        QVERIFY(document.save(good).ok());
        QVERIFY(writeAll(bad, text));
        const RadioImage before = document.image();

        const FileResult result = document.load(bad);
        QCOMPARE(result.status, FileStatus::FileOpenError);
        QVERIFY2(result.detail.startsWith(bad + ' ' + reason) || result.detail.startsWith(bad + reason),
                 qPrintable(result.detail));
        QVERIFY(document.image() == before);
        QCOMPARE(document.cloneFileName(), good);
    }

    // Keys left out take a new image's values, channels left out are empty, and the values may be
    // said the ways people and scripts write them.
    void handWrittenFile()
    {
        const CloneLoadResult load =
            parseMemoryFile("model: KT-V4J\n"
                            "settings: {dimmer: 03, rit: true, iq_shift: -1.5, "
                            "key_speed: 0x2A}\n"
                            "vfo:\n  B: {frequency: 3650000}\n"
                            "channels:\n"
                            "  0: {frequency: 7074000, mode: USB}\n"
                            "  A 12: {frequency: 14200000, mode: usb, name: 'DX #1', "
                            "skip: true, gain: 10}\n"
                            "  B-P2:\n    frequency: 3600000\n    mode: LSB\n"
                            "    power: Low\n",
                            "hand.yaml");
        QVERIFY2(load.result.ok(), qPrintable(load.result.detail));
        QCOMPARE(load.header->modelIndex, int(ModelJ));
        QVERIFY(!load.header->variantA);

        RadioImage expected = startupImage(ModelJ);
        expected.settings.values.cmbDimmer = 3;
        expected.settings.values.cmbRit = 1;
        expected.settings.values.Slider1 = -150;
        expected.settings.values.cmbWPM = 0x2A; // outside the list: kept as the radio's byte
        expected.vfos[1].frequency = 3'650'000;
        expected.channels[0] = newChannel(7'074'000, Mode::USB);
        expected.channels[212] = newChannel(14'200'000, Mode::USB);
        expected.channels[212].name = "DX #1";
        expected.channels[212].skip = true;
        expected.channels[212].gain = Gain::Plus10;
        expected.channels[603] = newChannel(3'600'000, Mode::LSB);
        expected.channels[603].power = Power::Low;
        QVERIFY(imageRecords(load.image) == imageRecords(expected));
        QCOMPARE(channelsInUse(load.image.channels), 3);
    }

    void commentsASaveWouldDrop_data()
    {
        QTest::addColumn<QByteArray>("added");
        QTest::addColumn<bool>("own");
        QTest::newRow("as written") << QByteArray() << false;
        QTest::newRow("a line") << QByteArray("# kept for the club net\n") << true;
        QTest::newRow("after a value")
            << QByteArray("  B-P1: {frequency: 7050000, mode: USB}  # mine\n") << true;
        QTest::newRow("in a double-quoted name")
            << QByteArray("  B-P1: {frequency: 7050000, mode: USB, name: \"A #\\\\\"}\n") << false;
    }

    // The program's own comments (the heading, the reasons beside raw records) are no reason to ask,
    // nor is a # inside a quoted name.
    void commentsASaveWouldDrop()
    {
        QFETCH(QByteArray, added);
        QFETCH(bool, own);
        RadioImage image = startupImage();
        image.channels[3] = newChannel(7'050'000, Mode::LSB);
        image.channels[3].name = "CQ #1";
        RecordBytes odd = encodeChannel(image.channels[3]);
        odd[2] = 9; // a gain code the edit dialog cannot set: a raw record and its reason
        QVERIFY(putChannelRecord(image, 4, odd));
        const QByteArray text = memoryFileBytes(image, ModelE, false);
        QVERIFY(text.contains("# gain byte 0x09 is none of its codes"));
        QTemporaryDir dir;
        QVERIFY(writeAll(dir.filePath("m.yaml"), text + added));
        QCOMPARE(memoryFileHasOwnComments(dir.filePath("m.yaml")), own);
    }
};

QTEST_GUILESS_MAIN(TestMemoryFile)
#include "tst_memory_file.moc"
