// What differs between two images, field by field and record by record, and which records a
// write must send given what the radio is known to hold.

#include "model/ChannelNaming.h"
#include "model/ImageDiff.h"
#include "model/RadioMemory.h"

#include <QRandomGenerator>
#include <QTest>

using namespace ktv4;

namespace {

ChannelRow channel(int hz, const QString &name, int mode = 0)
{
    RecordBytes b{};
    b[0] = 0x80;
    b[1] = mode;
    writeInt32(b, 16, hz);
    writeInt32(b, 28, hz);
    for (int i = 0; i < name.size(); ++i)
        b[20 + i] = nameCodeFor(name[i]);
    ChannelRow row;
    decodeMemoryData(recordText(b), row);
    return row;
}

RadioImage baseImage()
{
    RadioImage image = startupImage(ModelE);
    image.channels[0] = channel(7'050'000, QStringLiteral("HOME"));
    image.channels[5] = channel(14'200'000, QStringLiteral("DX"));
    image.channels[211] = channel(3'500'000, QStringLiteral("NET"));
    rebuildSettingsData(image); // as a write sends them
    return image;
}

enum Edit { NoEdit, Dimmer, VfoMode, Added, Removed, Renamed, FixedByte };

void apply(Edit edit, RadioImage &image)
{
    switch (edit) {
    case NoEdit:
        break;
    case Dimmer:
        image.settings.cmbDimmer = 7;
        break;
    case VfoMode:
        image.vfos[0].cells[ColMode] = {0, modeNames().at(0)};
        break;
    case Added:
        image.channels[210] = channel(7'100'000, QStringLiteral("NEW"), 1);
        break;
    case Removed:
        image.channels[0].clear();
        break;
    case Renamed:
        image.channels[5].cells[ColName].text = QStringLiteral("DXPED");
        return; // a name edit does not touch the settings
    case FixedByte:
        // A byte of the first settings block that no list shows.
        image.SettingsData1.replace(62, 2, QStringLiteral("5A"));
        return;
    }
    rebuildSettingsData(image);
}

} // namespace

class TestImageDiff : public QObject {
    Q_OBJECT
private slots:
    void diffNamesEachChange_data()
    {
        QTest::addColumn<int>("edit");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QList<int>>("records");
        const QString dimmer = findSetting(QStringLiteral("cmbDimmer"))->items.at(7);
        const QString dimmerWas = findSetting(QStringLiteral("cmbDimmer"))->items.at(32);
        QTest::newRow("nothing") << int(NoEdit) << QStringList() << QList<int>();
        QTest::newRow("setting") << int(Dimmer) << QStringList{"Dimmer: " + dimmerWas + " → " + dimmer}
                                 << QList<int>{kSettings1Address};
        QTest::newRow("VFO") << int(VfoMode) << QStringList{"VFO A: Mode LSB → USB"}
                             << QList<int>{kVfoAAddress};
        QTest::newRow("added") << int(Added)
                               << QStringList{"A 10 added: Frequency 7.100.000, Mode LSB, Gain 0, AGC Fast, "
                                              "Pwr High, Filter Wide, Tone Off, NB Off, "
                                              "Split Freq. 7.100.000, Name NEW"}
                               << QList<int>{channelAddress(210)};
        QTest::newRow("removed")
            << int(Removed)
            << QStringList{"0 removed (was Frequency 7.050.000, Mode USB, Gain 0, AGC Fast, "
                           "Pwr High, Filter Wide, Tone Off, NB Off, "
                           "Split Freq. 7.050.000, Name HOME)"}
            << QList<int>{channelAddress(0)};
        QTest::newRow("renamed") << int(Renamed) << QStringList{"5: Name DX → DXPED"}
                                 << QList<int>{channelAddress(5)};
        QTest::newRow("unshown byte")
            << int(FixedByte) << QStringList{"Settings block 1: bytes the program does not edit"}
            << QList<int>{kSettings1Address};
    }

    void diffNamesEachChange()
    {
        QFETCH(int, edit);
        QFETCH(QStringList, lines);
        QFETCH(QList<int>, records);
        const RadioImage before = baseImage();
        RadioImage after = before;
        apply(Edit(edit), after);
        QCOMPARE(describeDiff(diffImages(before, after)), lines);
        QCOMPARE(differingRecords(imageRecords(before), imageRecords(after)), records);
        // What a radio holding `before` must be sent to hold `after`.
        RadioMemory radio;
        const ImageRecords held = imageRecords(before);
        for (int i = 0; i < kRecordCount; ++i)
            radio.setRecord(recordAddress(i), held[i]);
        QCOMPARE(radio.recordsToWrite(after), records);
    }

    // Property: whatever the radio is known to hold, a write sends exactly the unknown records and
    // the known ones the user changed; letter case and bytes the program rewrites anyway do not count.
    void recordsToWriteAreTheChangedAndUnknownOnes()
    {
        QRandomGenerator random(9);
        const RadioImage held = baseImage();
        const ImageRecords heldRecords = imageRecords(held);
        for (int round = 0; round < 25; ++round) {
            RadioMemory radio;
            QList<int> expected;
            for (int i = 0; i < kRecordCount; ++i) {
                const int address = recordAddress(i);
                if (random.bounded(4) == 0) {
                    expected << address; // never read
                    continue;
                }
                QString text = heldRecords[i];
                if (i >= 4 && !held.channels[i - 4].inUse && random.bounded(2))
                    text = QString(kRecordChars, QLatin1Char('F')); // an empty channel as some radios hold it
                radio.setRecord(address, random.bounded(2) ? text.toLower() : text);
            }
            QCOMPARE(radio.knownCount(), kRecordCount - expected.size());

            RadioImage edited = held;
            for (int k = 0; k < 5; ++k) {
                const int n = random.bounded(kChannelCount);
                edited.channels[n] = channel(1'000'000 + 1000 * round + k, QStringLiteral("E%1").arg(k));
                if (!expected.contains(channelAddress(n)))
                    expected << channelAddress(n);
            }
            std::sort(expected.begin(), expected.end());
            QCOMPARE(radio.recordsToWrite(edited), expected);
            // What the radio is known to hold, as an image, is `held` wherever a record is known.
            const RadioImage known = radio.image(edited);
            for (int n = 0; n < kChannelCount; ++n) {
                if (radio.isKnown(channelAddress(n)))
                    QCOMPARE(known.channels[n], held.channels[n]);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestImageDiff)
#include "tst_image_diff.moc"
