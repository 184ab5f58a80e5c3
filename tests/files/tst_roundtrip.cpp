// SPDX-License-Identifier: GPL-3.0-or-later
// Round trips over many random images: nothing the user did not change may change on the way
// through the codecs, a clone file, or a CSV export imported again. The records hold legal
// values in every field, the key speed, break-in and tone bytes anywhere in 0..255, and anything
// at all in the bytes no field covers.

#include "files/CloneDocument.h"
#include "model/RecordText.h"

#include <QRandomGenerator>
#include <QTest>

using namespace ktv4;

namespace {

constexpr int kImages = 60;

struct Records {
    QString settings1, settings2;
    QString vfos[kVfoCount];
    QString channels[kChannelCount];
};

int pick(QRandomGenerator &rng, int count)
{
    return int(rng.bounded(count));
}

// Mostly frequencies the radio accepts; now and then one the dialog would refuse.
std::int32_t frequency(QRandomGenerator &rng)
{
    switch (pick(rng, 8)) {
    case 0:
        return std::int32_t(rng.generate());
    case 1:
        return pick(rng, 2) ? 29'999 : 35'000'000;
    default:
        return 30'000 + pick(rng, 34'970'000);
    }
}

// 32 bytes of anything.
RecordBytes noise(QRandomGenerator &rng)
{
    RecordBytes b;
    for (auto &byte : b)
        byte = quint8(pick(rng, 256));
    return b;
}

// Mode to noise blanker and the frequency, as a channel and a VFO share them.
void radioFields(QRandomGenerator &rng, RecordBytes &b)
{
    b[1] = pick(rng, 6);
    b[2] = pick(rng, 4);
    b[3] = pick(rng, 2);
    b[4] = pick(rng, 3);
    b[6] = pick(rng, 2);
    b[7] = pick(rng, 256);
    b[9] = pick(rng, 2);
    writeInt32(b, 16, frequency(rng));
}

QString channelRecord(QRandomGenerator &rng)
{
    RecordBytes b = noise(rng);
    if (pick(rng, 4) == 0) {
        b[0] = 0x7F; // not in use
        return recordText(b);
    }
    b[0] = pick(rng, 2) ? 0x80 : 0x88;
    radioFields(rng, b);
    const int nameLength = pick(rng, 9);
    for (int i = 0; i < nameLength; ++i)
        b[20 + i] = 0x30 + pick(rng, 0x30);
    if (nameLength < 8)
        b[20 + nameLength] = pick(rng, 0x30); // the name ends; what follows may be anything
    writeInt32(b, 28, std::int32_t(rng.generate()));
    return recordText(b);
}

QString vfoRecord(QRandomGenerator &rng)
{
    RecordBytes b = noise(rng);
    radioFields(rng, b);
    return recordText(b);
}

void settingsRecords(QRandomGenerator &rng, QString &text1, QString &text2)
{
    RecordBytes a = noise(rng), b = noise(rng);
    for (const SettingDescriptor &d : settingDescriptors()) {
        const int count = d.keepsUnlistedByte ? 256 : int(d.items.size());
        (d.block == 1 ? a : b)[d.byte] = pick(rng, count);
    }
    b[6] = pick(rng, 256); // every LED byte shows as a colour
    const int shift = pick(rng, 2 * kIQShiftMax + 1) + kIQShiftMin;
    b[16] = std::abs(shift) % 256;
    b[17] = std::abs(shift) / 256 + (shift < 0 ? 0x80 : 0);
    text1 = recordText(a);
    text2 = recordText(b);
}

Records randomRecords(quint32 seed)
{
    QRandomGenerator rng(seed);
    Records r;
    settingsRecords(rng, r.settings1, r.settings2);
    for (QString &vfo : r.vfos)
        vfo = vfoRecord(rng);
    for (QString &channel : r.channels)
        channel = channelRecord(rng);
    return r;
}

QByteArray cloneFile(const Records &r, const QString &header)
{
    QStringList lines{header, r.settings1, r.settings2, r.vfos[0], r.vfos[1]};
    for (const QString &channel : r.channels)
        lines << channel;
    lines << cloneEndLine();
    return lines.join(QStringLiteral("\r\n")).toLatin1() + "\r\n";
}

} // namespace

class TestRoundTrip : public QObject {
    Q_OBJECT

private slots:
    // Load, save, load: the same image, and the saved file is the loaded one byte for byte.
    void cloneFilesComeBackAsTheyWere()
    {
        for (quint32 seed = 1; seed <= kImages; ++seed) {
            const int model = int(seed % kModelOptionCount);
            const bool variantA = seed % 3 == 0;
            const QByteArray file = cloneFile(randomRecords(seed), cloneHeaders(model, variantA ? 1 : 0));
            CloneLoadResult first = parseCloneFile(file);
            QVERIFY2(first.result.ok(), qPrintable(first.result.detail));
            QCOMPARE(first.header->modelIndex, model);
            QCOMPARE(first.header->variantA, variantA);
            const QByteArray saved = cloneFileBytes(first.image, model, variantA);
            QCOMPARE(saved, file);
            const CloneLoadResult second = parseCloneFile(saved);
            QVERIFY(second.result.ok());
            QVERIFY(second.image == first.image);
        }
    }

    // The channels exported to CSV and imported into the same image leave it as it was; a row
    // whose frequency the radio cannot take is dropped and counted.
    void csvExportImportLeavesTheImage()
    {
        for (quint32 seed = 1; seed <= kImages; ++seed) {
            const CloneLoadResult loaded = parseCloneFile(cloneFile(randomRecords(seed), cloneHeaders(2, 0)));
            QVERIFY(loaded.result.ok());
            int exported = 0, outOfRange = 0;
            for (const Channel &c : loaded.image.channels) {
                exported += c.inUse ? 1 : 0;
                outOfRange += c.inUse && !isAcceptedFrequency(c.frequency) ? 1 : 0;
            }
            ChannelTable channels = loaded.image.channels;
            const CsvImportResult import = importCsvBytes(csvExportBytes(channels), channels);
            QVERIFY(import.result.ok());
            QCOMPARE(import.rowsStored, exported - outOfRange);
            QCOMPARE(import.dropped[int(CsvDropReason::Frequency)], outOfRange);
            QCOMPARE(import.rowsDropped(), outOfRange);
            for (int ch = 0; ch < kChannelCount; ++ch)
                QVERIFY2(channels[ch] == loaded.image.channels[ch], qPrintable(QString::number(ch)));
        }
    }
};

QTEST_GUILESS_MAIN(TestRoundTrip)
#include "tst_roundtrip.moc"
