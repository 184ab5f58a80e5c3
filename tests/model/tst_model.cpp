// SPDX-License-Identifier: GPL-3.0-or-later
// The radio's records: channels and VFOs (decoding, encoding, the odd-but-legal bytes the radio
// may hold, how channels are named and addressed), the two settings records and the 28 values
// they decode to, and what differs between two images and which records a write must send.

#include "model/Bands.h"
#include "model/ChannelCodec.h"
#include "model/ChannelNaming.h"
#include "model/ImageDiff.h"
#include "model/RadioImage.h"
#include "model/RadioMemory.h"
#include "model/RecordText.h"
#include "model/SettingsCodec.h"

#include <QRandomGenerator>
#include <QTest>

using namespace ktv4;

namespace {

// Builds a record text from (offset, byte) pairs over 32 zero bytes.
QString record(std::initializer_list<std::pair<int, int>> bytes)
{
    RecordBytes b{};
    for (auto [offset, value] : bytes)
        b[offset] = static_cast<std::uint8_t>(value);
    return recordText(b);
}

const QString kZeros(64, QLatin1Char('0'));

const QString kDefaultOut1 = "A50000000003000E000000000000000000000320010100000808080000000000";
const QString kDefaultOut2 = "0000000000000000000001010001000500000000000000000000000000000000";

QString withByte(const QString &text, int offset, int value)
{
    RecordBytes b = parseRecordText(text);
    b[offset] = static_cast<std::uint8_t>(value);
    return recordText(b);
}

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

enum Edit { NoEdit, Dimmer, VfoMode, Added, Removed, FixedByte };

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
    case FixedByte:
        // A byte of the first settings block that no list shows.
        image.SettingsData1.replace(62, 2, QStringLiteral("5A"));
        return;
    }
    rebuildSettingsData(image);
}

} // namespace

class TestModel : public QObject {
    Q_OBJECT
private slots:
    void frequencyText_data()
    {
        QTest::addColumn<double>("hz");
        QTest::addColumn<QString>("text");
        // The last two lie beyond what the radio holds: every digit kept, the sign shown.
        const std::pair<double, const char *> rows[] = {{34999999, "34.999.999"},
                                                        {135000, "0.135.000"},
                                                        {0, "0.000.000"},
                                                        {123456789, "123.456.789"},
                                                        {-7050000, "-7.050.000"}};
        for (const auto &[hz, text] : rows)
            QTest::addRow("%s", text) << hz << QString(text);
    }

    void frequencyText()
    {
        QFETCH(double, hz);
        QFETCH(QString, text);
        QCOMPARE(ktv4::frequencyText(hz), text);
    }

    void lenientHexParsing()
    {
        // Lower case; a pair cut by a non-hex character, or past the end, reads as 0 (every decoder
        // reads its text through here, so short and lower-case records are this test's).
        const RecordBytes b = parseRecordText(u"8a0fG1 3zz");
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(b.data()), 6),
                 QByteArray::fromHex("8A0F00000000"));
        QCOMPARE(parseRecordText(u"3G")[0], 0x03);
        QCOMPARE(parseRecordText(u"F")[0], 0x0F);
    }

    void channelDecodesEveryField()
    {
        // In use, LSB, 7.050.000, name "AB 1", split 7.100.000.
        const QString text =
            QStringLiteral("8001000000000000000000000000000010936B003A3B54310000000060566C00");
        ChannelRow row;
        QVERIFY(decodeMemoryData(text, row));
        QVERIFY(row.inUse);
        QStringList texts, values;
        for (const Cell &c : row.cells) {
            texts << c.text;
            values << QString::number(c.value, 'f', 0);
        }
        QCOMPARE(texts, QStringList({"7.050.000", "LSB", "0", "Fast", "High", "Wide", "Off", "Off",
                                     "7.100.000", "AB 1", ""}));
        QCOMPARE(values, QStringList({"7050000", "1", "0", "0", "0", "0", "0", "0", "7100000", "0", "0"}));
        QCOMPARE(makeMemoryData(row), text);
    }

    void channelSkipAndEmptyStatus_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("inUse");
        QTest::addColumn<QString>("skip");
        QTest::addColumn<int>("writtenStatus");
        QTest::newRow("0x80") << 0x80 << true << "" << 0x80;
        QTest::newRow("0x88 skipped") << 0x88 << true << "Skip" << 0x88;
        QTest::newRow("0xFF empty") << 0xFF << false << "" << 0x00;
        QTest::newRow("0x81 empty") << 0x81 << false << "" << 0x00;
    }

    void channelSkipAndEmptyStatus()
    {
        QFETCH(int, status);
        QFETCH(bool, inUse);
        QFETCH(QString, skip);
        QFETCH(int, writtenStatus);
        ChannelRow row;
        row.cells[ColName].text = "OLD"; // an empty channel forgets everything
        QVERIFY(decodeMemoryData(record({{0, status}, {1, 2}, {16, 0x10}, {17, 0x93}, {18, 0x6B}}), row));
        QCOMPARE(row.inUse, inUse);
        QCOMPARE(row.cells[ColSkip].text, skip);
        const RecordBytes out = parseRecordText(makeMemoryData(row));
        QCOMPARE(int(out[0]), writtenStatus);
        if (!inUse) {
            QCOMPARE(row, ChannelRow{});
            QCOMPARE(makeMemoryData(row), kZeros);
        }
    }

    void channelOddBytesSurviveRoundTrip_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::newRow("gain 7") << 2 << 0x07 << int(ColGain) << "+10";
        QTest::newRow("agc 5") << 3 << 0x05 << int(ColAgc) << "Slow";
        QTest::newRow("power 9") << 4 << 0x09 << int(ColPwr) << "S-Low";
        QTest::newRow("filter 2") << 6 << 0x02 << int(ColFilter) << "Narrow";
        QTest::newRow("tone 0x85") << 7 << 0x85 << int(ColTone) << "On";
        QTest::newRow("tone 0x7F") << 7 << 0x7F << int(ColTone) << "Off";
        QTest::newRow("nb 3") << 9 << 0x03 << int(ColNb) << "On";
    }

    void channelOddBytesSurviveRoundTrip()
    {
        QFETCH(int, offset);
        QFETCH(int, byte);
        QFETCH(int, column);
        QFETCH(QString, text);
        const QString in = record({{0, 0x80}, {offset, byte}});
        ChannelRow row;
        QVERIFY(decodeMemoryData(in, row));
        QCOMPARE(row.cells[column].value, double(byte));
        QCOMPARE(row.cells[column].text, text);
        QCOMPARE(makeMemoryData(row), in);
    }

    void channelModeAboveFiveFails()
    {
        ChannelRow row;
        row.cells[ColName] = {0, "KEEP"};
        row.cells[ColMode] = {3, "CWL"};
        QVERIFY(!decodeMemoryData(record({{0, 0x88}, {1, 0x06}}), row));
        // What the radio read leaves behind: in use, skip set, the bad mode value, the rest untouched.
        QVERIFY(row.inUse);
        QCOMPARE(row.cells[ColSkip].text, QStringLiteral("Skip"));
        QCOMPARE(row.cells[ColMode], (Cell{6, "CWL"}));
        QCOMPARE(row.cells[ColName].text, QStringLiteral("KEEP"));
        QVERIFY(decodeMemoryData(record({{0, 0x80}, {1, 0x05}}), row)); // the last good mode
        QCOMPARE(row.cells[ColMode].text, QStringLiteral("FM"));
    }

    void channelNameEncoding_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("AB!CD stops at !") << "AB!CD" << QByteArray::fromHex("3A3B000000000000");
        QTest::newRow("lower case has no code") << "abc" << QByteArray::fromHex("0000000000000000");
        QTest::newRow("10 characters, 8 kept") << "ABCDEFGHIJ" << QByteArray::fromHex("3A3B3C3D3E3F4041");
    }

    void channelNameEncoding()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        ChannelRow row;
        row.inUse = true;
        row.cells[ColName].text = name;
        const RecordBytes b = parseRecordText(makeMemoryData(row));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(b.data()) + 20, 8), bytes);
    }

    void channelNameCodeCoversItsSet()
    {
        // The set's ends; every code inside it comes back in the round-trip properties.
        QVERIFY(nameCharFor(0x2F).isNull() && !nameCharFor(0x30).isNull());
        QVERIFY(!nameCharFor(0x5F).isNull() && nameCharFor(0x60).isNull());
        // The name ends at the first byte without a character: 0x3A 0x20 0x3B is "A".
        ChannelRow row;
        QVERIFY(decodeMemoryData(record({{0, 0x80}, {20, 0x3A}, {21, 0x20}, {22, 0x3B}}), row));
        QCOMPARE(row.cells[ColName].text, QStringLiteral("A"));
    }

    void channelRoundTripZeroesReservedBytes()
    {
        // Reserved bytes and bytes after the name come back as 0x00.
        const QString in = QStringLiteral("8000000000AA0000BB00CC00000000DD00000000410042000000000001000000");
        ChannelRow row;
        QVERIFY(decodeMemoryData(in, row));
        QCOMPARE(makeMemoryData(row), record({{0, 0x80}, {20, 0x41}, {28, 0x01}}));
    }

    void vfoRecords()
    {
        // Any status reads as in use; reserved bytes come back as 0x00.
        for (int status : {0x00, 0xFF, 0x80}) {
            VfoRow vfo;
            QVERIFY(decodeVfoData(record({{0, status}, {1, 0x04}, {5, 1}, {8, 2}, {12, 3}, {20, 4}, {31, 5}}),
                                  vfo));
            QCOMPARE(vfo.cells[ColMode].text, QStringLiteral("AM"));
            QCOMPARE(makeVfoData(vfo), record({{0, 0x80}, {1, 0x04}}));
        }
    }

    // The bytes of each model's start-up VFOs are the new-file tests' (tst_clone_file, tst_cli);
    // here every cell's text is the one the decoder writes for them.
    void defaultVfoFollowsModel()
    {
        for (int model : {ModelJ, ModelT, ModelE, ModelPN}) {
            VfoTable vfos;
            defaultVfoData(model, vfos);
            QCOMPARE(vfos[0], vfos[1]);
            VfoRow decoded;
            QVERIFY(decodeVfoData(makeVfoData(vfos[0]), decoded));
            QCOMPARE(decoded, vfos[0]);
        }
    }

    void naming_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<QString>("bank");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("csv");
        const struct {
            int channel;
            const char *bank, *caption, *label, *csv;
        } rows[] = {
            {0, "Memory", "0CH", "0", "0"},          {199, "Memory", "199CH", "199", "199"},
            {200, "Memory A", "0CH", "A  0", "A0"},  {399, "Memory A", "199CH", "A199", "A199"},
            {400, "Memory A", "P1", "A-P1", "A-P1"}, {401, "Memory A", "P2", "A-P2", "A-P2"},
            {402, "Memory B", "0CH", "B  0", "B0"},  {601, "Memory B", "199CH", "B199", "B199"},
            {602, "Memory B", "P1", "B-P1", "B-P1"}, {603, "Memory B", "P2", "B-P2", "B-P2"},
        };
        for (const auto &r : rows)
            QTest::addRow("%d", r.channel)
                << r.channel << QString(r.bank) << QString(r.caption) << QString(r.label) << QString(r.csv);
    }

    void naming()
    {
        QFETCH(int, channel);
        QFETCH(QString, bank);
        QFETCH(QString, caption);
        QFETCH(QString, label);
        QFETCH(QString, csv);
        QCOMPARE(bankCaption(channel), bank);
        QCOMPARE(channelCaption(channel), caption);
        QCOMPARE(gridRowLabel(channel), label);
        QCOMPARE(csvChannelField(channel), csv);
        QCOMPARE(channelFromLabel(label), channel);
        QCOMPARE(channelFromLabel(csv.toLower()), channel);
        const int next = channelAddress(channel) + kRecordSize; // past the last channel: outside the map
        QCOMPARE(recordIndex(next), channel < kChannelCount - 1 ? kFirstChannelIndex + channel + 1 : -1);
    }
    void labelsThatNameNoChannel()
    {
        for (const char *label : {"", "200", "A200", "B-P3", "A", "C1", "-1", "1.5", "A-P", "0199x"})
            QVERIFY2(!channelFromLabel(QString::fromLatin1(label)), label);
        QVERIFY(!channelFromLabel(QString::fromUtf8("\u0663"))); // a digit of another script
    }

    void bands_data()
    {
        QTest::addColumn<qint64>("hz");
        QTest::addColumn<QString>("band"); // the band bandOf() gives, empty for none
        QTest::addColumn<QString>("amateur");
        QTest::newRow("below 120m") << 2299999LL << ""
                                    << "";
        QTest::newRow("120m edge") << 2300000LL << "120m"
                                   << "";
        QTest::newRow("75m inside 80m") << 3950000LL << "75m"
                                        << "80m";
        QTest::newRow("80m") << 3700000LL << "80m"
                             << "80m";
        QTest::newRow("41m over 40m") << 7300000LL << "41m"
                                      << "40m";
        QTest::newRow("40m") << 7100000LL << "40m"
                             << "40m";
        QTest::newRow("between") << 8000000LL << ""
                                 << "";
        QTest::newRow("13m meets 15m") << 21450000LL << "13m"
                                       << "15m";
        QTest::newRow("10m top") << 29700000LL << "10m"
                                 << "10m";
    }

    void bands()
    {
        QFETCH(qint64, hz);
        QFETCH(QString, band);
        QFETCH(QString, amateur);
        const Band *b = bandOf(hz);
        QCOMPARE(b ? QString::fromLatin1(b->name) : QString(), band);
        const Band *a = bandOf(hz, BandKind::Amateur);
        QCOMPARE(a ? QString::fromLatin1(a->name) : QString(), amateur);
        if (b)
            QCOMPARE(bandNamed(band.toUpper()), b);
    }

    // Within a kind the bands are in order, do not overlap, and lie in the radio's range.
    void bandTable()
    {
        const Band *previous = nullptr;
        for (const Band &band : hfBands()) {
            QVERIFY(isAcceptedFrequency(band.lowestHz) && isAcceptedFrequency(band.highestHz));
            QVERIFY(band.lowestHz < band.highestHz);
            if (previous && previous->kind == band.kind)
                QVERIFY(previous->highestHz < band.lowestHz);
            previous = &band;
        }
        QCOMPARE(bandNamed(u"60m")->kind, BandKind::Broadcast);
        QVERIFY(!bandNamed(u"6m"));
    }

    void iqShift_data()
    {
        QTest::addColumn<int>("shift");
        QTest::addColumn<int>("byte16");
        QTest::addColumn<int>("byte17");
        QTest::addColumn<QString>("text");
        QTest::newRow("-150") << -150 << 0x96 << 0x80 << "-01.50";
        QTest::newRow("+2400") << 2400 << 0x60 << 0x09 << "+24.00";
        QTest::newRow("-2400") << -2400 << 0x60 << 0x89 << "-24.00";
        QTest::newRow("0") << 0 << 0x00 << 0x00 << "00.00";
        QTest::newRow("-1") << -1 << 0x01 << 0x80 << "-00.01";
    }

    // Sign and magnitude in bytes 16-17 of the second block, and the caption of the shift.
    void iqShift()
    {
        QFETCH(int, shift);
        QFETCH(int, byte16);
        QFETCH(int, byte17);
        QFETCH(QString, text);
        QCOMPARE(ktv4::iqShiftText(shift), text);
        SettingsValues v = startupImage().settings;
        v.Slider1 = shift;
        QString s1, s2;
        makeSettingsData(v, s1, s2);
        const RecordBytes b = parseRecordText(s2);
        QCOMPARE(int(b[16]), byte16);
        QCOMPARE(int(b[17]), byte17);
        SettingsValues back = startupImage().settings;
        QVERIFY(decodeSettingsData(s1, s2, back).ok);
        QCOMPARE(back.Slider1, shift);
        if (shift == 0) {
            // Negative zero decodes as 0 and comes back without the sign bit.
            QVERIFY(decodeSettingsData(kDefaultOut1, withByte(kDefaultOut2, 17, 0x80), back).ok);
            QCOMPARE(back.Slider1, 0);
        }
    }

    void ledCoding()
    {
        struct {
            int byte, position, written;
        } cases[] = {{0x00, 0, 0x00}, {0x08, 1, 0x08}, {0x04, 2, 0x04}, {0x0C, 1, 0x08}, {0xFF, 1, 0x08}};
        for (auto c : cases) {
            SettingsValues v;
            QVERIFY(decodeSettingsData(kDefaultOut1, withByte(kDefaultOut2, 6, c.byte), v).ok);
            QCOMPARE(v.cmbLED, c.position);
            QString s1, s2;
            makeSettingsData(v, s1, s2);
            QCOMPARE(int(parseRecordText(s2)[6]), c.written);
        }
    }

    // Key speed, break-in and tone: a byte inside its list selects that item, one outside is kept
    // and goes back as it came; neither fails the decode.
    void transmitSideBytesAreKept()
    {
        SettingsValues v = startupImage().settings;
        QString in1 = withByte(withByte(withByte(kDefaultOut1, 7, 0x10), 25, 0xFF), 26, 0x27);
        QVERIFY(decodeSettingsData(in1, kDefaultOut2, v).ok);
        QCOMPARE(listPosition(*findSetting("cmbWPM"), v), 0x10);
        QCOMPARE(listPosition(*findSetting("cmbBreakIn"), v), -1);
        QCOMPARE(listPosition(*findSetting("cmbTone"), v), -1);
        QString s1, s2;
        makeSettingsData(v, s1, s2);
        QCOMPARE(s1, in1);
    }

    void listEnds_data()
    {
        QTest::addColumn<int>("block");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("count"); // items in the list; -1 for the shift
        QTest::addColumn<QString>("control");
        QTest::newRow("IQ step") << 1 << 4 << 9 << "cmbIQStep";
        QTest::newRow("scan time") << 1 << 18 << 23 << "cmbScanType";
        QTest::newRow("dimmer") << 1 << 19 << 65 << "cmbDimmer";
        QTest::newRow("CW pitch") << 1 << 24 << 13 << "cmbSideTone";
        QTest::newRow("APO") << 1 << 29 << 5 << "cmbAPO";
        QTest::newRow("scan mode") << 2 << 8 << 4 << "cmbScanMode";
        QTest::newRow("sleep") << 2 << 15 << 18 << "cmbSleep";
        QTest::newRow("shift +2401") << 2 << 16 << -1 << "Slider1"; // 0x0961, with byte 17 = 0x09 below
    }

    // The last item of a list decodes and comes back; one past it fails, and then no setting changes.
    void listEnds()
    {
        QFETCH(int, block);
        QFETCH(int, offset);
        QFETCH(int, count);
        QFETCH(QString, control);
        const auto texts = [&](int value) {
            QString s1 = kDefaultOut1, s2 = kDefaultOut2;
            if (block == 1)
                s1 = withByte(s1, offset, value);
            else
                s2 = withByte(count < 0 ? withByte(s2, 17, 0x09) : s2, offset, value);
            return std::pair{s1, s2};
        };
        if (count > 0) {
            const auto [last1, last2] = texts(count - 1);
            SettingsValues v;
            QVERIFY(decodeSettingsData(last1, last2, v).ok);
            QCOMPARE(v.*findSetting(control)->member, count - 1);
            QString s1, s2;
            makeSettingsData(v, s1, s2);
            QCOMPARE(block == 1 ? s1 : s2, block == 1 ? last1 : last2);
        }
        SettingsValues v;
        v.cmbIQStep = 3;
        v.cmbBeep = 0;
        v.Slider1 = -7;
        const SettingsValues before = v;
        const auto [bad1, bad2] = texts(count > 0 ? count : 0x61);
        const SettingsDecodeResult r = decodeSettingsData(bad1, bad2, v);
        QVERIFY(!r.ok);
        QCOMPARE(r.failedControl, control);
        QCOMPARE(v, before);
    }

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
            for (int i = 0; i < kRecordCount; ++i)
                QCOMPARE(radio.isKnown(recordAddress(i)), !expected.contains(recordAddress(i)));

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

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"
