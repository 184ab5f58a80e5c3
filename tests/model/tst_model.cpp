// SPDX-License-Identifier: GPL-3.0-or-later
// The radio's records: channels and VFOs (decoding, encoding, the odd-but-legal bytes the radio
// may hold, how channels are named and addressed), the two settings records and the 28 values
// they decode to, and what differs between two images and which records a write must send.

#include "model/Bands.h"
#include "model/Channel.h"
#include "model/ChannelNaming.h"
#include "model/FieldText.h"
#include "model/ImageDiff.h"
#include "model/RadioImage.h"
#include "model/RadioMemory.h"
#include "model/RecordText.h"
#include "model/SettingsCodec.h"

#include <QRandomGenerator>
#include <QTest>

using namespace ktv4;

namespace {

// Builds a record from (offset, byte) pairs over 32 zero bytes.
RecordBytes record(std::initializer_list<std::pair<int, int>> bytes)
{
    RecordBytes b{};
    for (auto [offset, value] : bytes)
        b[offset] = static_cast<std::uint8_t>(value);
    return b;
}

// The records of a new image.
const RecordBytes kDefault1 =
    parseRecordText(u"A50000000003000E000000000000000000000320010100000808080000000000");
const RecordBytes kDefault2 =
    parseRecordText(u"0000000000000000000001010001000500000000000000000000000000000000");

RecordBytes withByte(RecordBytes b, int offset, int value)
{
    b[offset] = static_cast<std::uint8_t>(value);
    return b;
}

Channel channel(int hz, const QString &name, Mode mode = Mode::USB)
{
    Channel c = newChannel(hz, mode);
    c.name = name;
    return c;
}

RadioImage baseImage()
{
    RadioImage image = startupImage(ModelE);
    image.channels[0] = channel(7'050'000, QStringLiteral("HOME"));
    image.channels[5] = channel(14'200'000, QStringLiteral("DX"));
    image.channels[211] = channel(3'500'000, QStringLiteral("NET"));
    return image;
}

QStringList channelTexts(const Channel &c)
{
    QStringList texts;
    for (int column = 0; column < kChannelColumns; ++column)
        texts << channelFieldText(c, ChannelColumn(column));
    return texts;
}

enum Edit { NoEdit, Dimmer, VfoMode, Added, Removed, FixedByte };

void apply(Edit edit, RadioImage &image)
{
    switch (edit) {
    case NoEdit:
        break;
    case Dimmer:
        image.settings.values.cmbDimmer = 7;
        break;
    case VfoMode:
        image.vfos[0].mode = Mode::USB;
        break;
    case Added:
        image.channels[210] = channel(7'100'000, QStringLiteral("NEW"), Mode::LSB);
        break;
    case Removed:
        image.channels[0] = Channel{};
        break;
    case FixedByte:
        // A byte of the first settings block that no list shows.
        image.settings.base1[31] = 0x5A;
        break;
    }
}

} // namespace

class TestModel : public QObject {
    Q_OBJECT
private slots:
    void frequencyText_data()
    {
        QTest::addColumn<qint64>("hz");
        QTest::addColumn<QString>("text");
        // The last two lie beyond what the radio holds: every digit kept, the sign shown.
        const std::pair<qint64, const char *> rows[] = {{34999999, "34.999.999"},
                                                        {135000, "0.135.000"},
                                                        {0, "0.000.000"},
                                                        {123456789, "123.456.789"},
                                                        {-7050000, "-7.050.000"}};
        for (const auto &[hz, text] : rows)
            QTest::addRow("%s", text) << hz << QString(text);
    }

    void frequencyText()
    {
        QFETCH(qint64, hz);
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
        const RecordBytes in =
            parseRecordText(u"8001000000000000000000000000000010936B003A3B54310000000060566C00");
        const std::optional<Channel> c = decodeChannel(in);
        QVERIFY(c && c->inUse);
        QCOMPARE(channelTexts(*c), QStringList({"7.050.000", "LSB", "0", "Fast", "High", "Wide", "Off", "Off",
                                                "7.100.000", "AB 1", ""}));
        QCOMPARE(c->frequency, 7'050'000);
        QCOMPARE(c->split, 7'100'000);
        QCOMPARE(encodeChannel(*c), in);
    }

    void channelSkipAndEmptyStatus_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("inUse");
        QTest::addColumn<QString>("skip");
        QTest::newRow("0x80") << 0x80 << true << "";
        QTest::newRow("0x88 skipped") << 0x88 << true << "Skip";
        QTest::newRow("0xFF empty") << 0xFF << false << "";
        QTest::newRow("0x81 empty") << 0x81 << false << "";
    }

    // An empty channel shows nothing and goes back out as it came; cleared, a channel in use is
    // written as zeros.
    void channelSkipAndEmptyStatus()
    {
        QFETCH(int, status);
        QFETCH(bool, inUse);
        QFETCH(QString, skip);
        const RecordBytes in = record({{0, status}, {1, 2}, {16, 0x10}, {17, 0x93}, {18, 0x6B}});
        const std::optional<Channel> c = decodeChannel(in);
        QVERIFY(c);
        QCOMPARE(c->inUse, inUse);
        QCOMPARE(channelFieldText(*c, ColSkip), skip);
        QCOMPARE(channelFieldText(*c, ColMode), inUse ? "CWU" : "");
        QCOMPARE(encodeChannel(*c), in);
        Channel cleared = *c;
        cleared.inUse = false;
        QCOMPARE(encodeChannel(cleared), inUse ? RecordBytes{} : in);
        Channel skipped = *c;
        skipped.skip = !c->skip;
        QCOMPARE(int(encodeChannel(skipped)[0]), inUse ? (c->skip ? 0x80 : 0x88) : status);
    }

    void channelOddBytes_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("edited"); // the byte once the field is set to another value and back
        QTest::newRow("gain 7") << 2 << 0x07 << int(ColGain) << "+10" << 0x03;
        QTest::newRow("agc 5") << 3 << 0x05 << int(ColAgc) << "Slow" << 0x01;
        QTest::newRow("power 9") << 4 << 0x09 << int(ColPwr) << "S-Low" << 0x02;
        QTest::newRow("filter 2") << 6 << 0x02 << int(ColFilter) << "Narrow" << 0x01;
        QTest::newRow("tone 0x85") << 7 << 0x85 << int(ColTone) << "On" << 0x85;
        QTest::newRow("tone 0x7F") << 7 << 0x7F << int(ColTone) << "Off" << 0x7F;
        QTest::newRow("nb 3") << 9 << 0x03 << int(ColNb) << "On" << 0x01;
    }

    // A byte the radio may hold shows as its word and stays while the field is left alone, also
    // when another field is edited; a field the user sets is written the radio's way (the tone's
    // other bits stay).
    void channelOddBytes()
    {
        QFETCH(int, offset);
        QFETCH(int, byte);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(int, edited);
        const RecordBytes in = record({{0, 0x80}, {offset, byte}});
        std::optional<Channel> c = decodeChannel(in);
        QVERIFY(c);
        QCOMPARE(channelFieldText(*c, ChannelColumn(column)), text);
        c->frequency = 7'000'000;
        QCOMPARE(int(encodeChannel(*c)[offset]), byte);
        // Set to another value, then back.
        Channel other = *c;
        other.gain = Gain::Minus10;
        other.agc = Agc::Fast;
        other.power = Power::Low;
        other.filter = Filter::Wide;
        other.tone = !c->tone;
        other.nb = !c->nb;
        Channel back = *c;
        back.base = encodeChannel(other);
        QCOMPARE(int(encodeChannel(back)[offset]), edited);
        QCOMPARE(channelFieldText(*decodeChannel(encodeChannel(back)), ChannelColumn(column)), text);
    }

    void channelModeAboveFiveFails()
    {
        QVERIFY(!decodeChannel(record({{0, 0x88}, {1, 0x06}})));
        QVERIFY(!decodeVfo(record({{1, 0x06}})));
        QVERIFY(decodeChannel(record({{0, 0x00}, {1, 0x06}}))); // an empty channel has no mode
        // Nothing of a record that does not decode reaches the image.
        RadioImage image = baseImage();
        const RadioImage before = image;
        QVERIFY(!putChannelRecord(image, 0, record({{0, 0x80}, {1, 0x06}})));
        QVERIFY(!putVfoRecord(image, 1, record({{0, 0x80}, {1, 0xFF}})));
        QCOMPARE(image, before);
        QVERIFY(putChannelRecord(image, 0, record({{0, 0x80}, {1, 0x05}}))); // the last good mode
        QCOMPARE(channelFieldText(image.channels[0], ColMode), QStringLiteral("FM"));
    }

    void channelNameEncoding_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("AB!CD stops at !") << "AB!CD" << QByteArray::fromHex("3A3B000000000000");
        QTest::newRow("lower case has no code") << "abc" << QByteArray::fromHex("0000000000000000");
        QTest::newRow("10 characters, 8 kept") << "ABCDEFGHIJ" << QByteArray::fromHex("3A3B3C3D3E3F4041");
    }

    // A name the user gives is written with zeros after it, over whatever the record held.
    void channelNameEncoding()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        Channel c =
            *decodeChannel(parseRecordText(u"80000000000000000000000000000000000000004142434445464748"));
        c.name = name;
        const RecordBytes b = encodeChannel(c);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(b.data()) + 20, 8), bytes);
    }

    void channelNameCodeCoversItsSet()
    {
        // The set's ends; every code inside it comes back in the round-trip properties.
        QVERIFY(nameCharFor(0x2F).isNull() && !nameCharFor(0x30).isNull());
        QVERIFY(!nameCharFor(0x5F).isNull() && nameCharFor(0x60).isNull());
        // The ends of its three runs: digits, letters, punctuation.
        QString ends;
        for (const int code : {0x39, 0x3A, 0x53, 0x54})
            ends += nameCharFor(code);
        QCOMPARE(ends, QStringLiteral("9AZ "));
        QVERIFY(isValidName(QStringLiteral("ABCDEFGH")) && !isValidName(QStringLiteral("ABCDEFGHI")));
        // The name ends at the first byte without a character: 0x3A 0x20 0x3B is "A".
        const std::optional<Channel> c =
            decodeChannel(record({{0, 0x80}, {20, 0x3A}, {21, 0x20}, {22, 0x3B}}));
        QVERIFY(c);
        QCOMPARE(c->name, QStringLiteral("A"));
    }

    // Property: any record that decodes, encoded again, is the same bytes: reserved bytes, odd
    // codes, bytes after a name's end and an empty channel's bytes included.
    void recordsComeBackAsTheyCame()
    {
        QRandomGenerator random(22);
        for (int round = 0; round < 20000; ++round) {
            RecordBytes b;
            for (auto &byte : b)
                byte = quint8(random.bounded(256));
            b[1] %= kModeCount + 1; // now and then a mode that does not decode
            if (round % 4)
                b[0] = round % 2 ? 0x80 : 0x88;
            if (const std::optional<Channel> c = decodeChannel(b))
                QCOMPARE(encodeChannel(*c), b);
            else
                QVERIFY(b[1] == kModeCount);
            if (const std::optional<Vfo> v = decodeVfo(b))
                QCOMPARE(encodeVfo(*v), b);
        }
    }

    void vfoRecords()
    {
        // Any status reads the same; the record goes back out as it came, an edited field laid
        // over it.
        for (int status : {0x00, 0xFF, 0x80}) {
            const RecordBytes in =
                record({{0, status}, {1, 0x04}, {5, 1}, {8, 2}, {12, 3}, {20, 4}, {31, 5}});
            std::optional<Vfo> vfo = decodeVfo(in);
            QVERIFY(vfo);
            QCOMPARE(vfoFieldText(*vfo, ColMode), QStringLiteral("AM"));
            QCOMPARE(encodeVfo(*vfo), in);
            vfo->mode = Mode::CWL;
            QCOMPARE(encodeVfo(*vfo), withByte(in, 1, 3));
        }
    }

    // The records of a new image, for each model option.
    void newImageRecords()
    {
        for (int model : {ModelJ, ModelT, ModelE, ModelPN}) {
            const RadioImage image = startupImage(model);
            QCOMPARE(image.vfos[0], image.vfos[1]);
            QCOMPARE(recordText(encodeVfo(image.vfos[0])),
                     QStringLiteral("80010001000000000000000000000000%1%2")
                         .arg(model == ModelJ ? "10936B00" : "60566C00", QString(24, QLatin1Char('0'))));
            QCOMPARE(imageRecord(image, kSettings1Address), kDefault1);
            QCOMPARE(imageRecord(image, kSettings2Address), kDefault2);
            QCOMPARE(imageRecord(image, channelAddress(0)), RecordBytes{});
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
        RadioSettings settings = defaultSettings();
        settings.values.Slider1 = 1; // set to another value first, so the shift is written
        settings.base2 = encodeSettings(settings, 2);
        settings.values.Slider1 = shift;
        const RecordBytes b = encodeSettings(settings, 2);
        QCOMPARE(int(b[16]), byte16);
        QCOMPARE(int(b[17]), byte17);
        RadioSettings back;
        QVERIFY(decodeSettings(kDefault1, b, back).ok);
        QCOMPARE(back.values.Slider1, shift);
        if (shift == 0) {
            // Negative zero decodes as 0 and, left alone, keeps its sign bit.
            QVERIFY(decodeSettings(kDefault1, withByte(kDefault2, 17, 0x80), back).ok);
            QCOMPARE(back.values.Slider1, 0);
            QCOMPARE(encodeSettings(back, 2), withByte(kDefault2, 17, 0x80));
        }
    }

    void ledCoding()
    {
        // Any byte shows as a colour; left alone it stays, chosen it is written the radio's way.
        struct {
            int byte, position, written;
        } cases[] = {{0x00, 0, 0x00}, {0x08, 1, 0x08}, {0x04, 2, 0x04}, {0x0C, 1, 0x08}, {0xFF, 1, 0x08}};
        for (auto c : cases) {
            RadioSettings settings;
            QVERIFY(decodeSettings(kDefault1, withByte(kDefault2, 6, c.byte), settings).ok);
            QCOMPARE(settings.values.cmbLED, c.position);
            QCOMPARE(int(encodeSettings(settings, 2)[6]), c.byte);
            settings.values.cmbLED = (c.position + 1) % 3;
            settings.base2 = encodeSettings(settings, 2);
            settings.values.cmbLED = c.position;
            QCOMPARE(int(encodeSettings(settings, 2)[6]), c.written);
        }
    }

    // Key speed, break-in and tone: a byte inside its list selects that item, one outside is kept
    // and goes back as it came; neither fails the decode.
    void transmitSideBytesAreKept()
    {
        RadioSettings settings = defaultSettings();
        const RecordBytes in1 = withByte(withByte(withByte(kDefault1, 7, 0x10), 25, 0xFF), 26, 0x27);
        QVERIFY(decodeSettings(in1, kDefault2, settings).ok);
        const SettingsValues &v = settings.values;
        QCOMPARE(listPosition(*findSetting("cmbWPM"), v), 0x10);
        QCOMPARE(listPosition(*findSetting("cmbBreakIn"), v), -1);
        QCOMPARE(listPosition(*findSetting("cmbTone"), v), -1);
        QCOMPARE(encodeSettings(settings, 1), in1);
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
        const auto records = [&](int value) {
            RecordBytes b1 = kDefault1, b2 = kDefault2;
            if (block == 1)
                b1 = withByte(b1, offset, value);
            else
                b2 = withByte(count < 0 ? withByte(b2, 17, 0x09) : b2, offset, value);
            return std::pair{b1, b2};
        };
        if (count > 0) {
            const auto [last1, last2] = records(count - 1);
            RadioSettings settings;
            QVERIFY(decodeSettings(last1, last2, settings).ok);
            QCOMPARE(settings.values.*findSetting(control)->member, count - 1);
            settings.values.*findSetting(control)->member = 0;
            settings.base1 = encodeSettings(settings, 1);
            settings.base2 = encodeSettings(settings, 2);
            settings.values.*findSetting(control)->member = count - 1;
            QCOMPARE(encodeSettings(settings, block), block == 1 ? last1 : last2);
        }
        RadioSettings settings = defaultSettings();
        settings.values.cmbIQStep = 3;
        settings.values.Slider1 = -7;
        const RadioSettings before = settings;
        const auto [bad1, bad2] = records(count > 0 ? count : 0x61);
        const SettingsDecodeResult r = decodeSettings(bad1, bad2, settings);
        QVERIFY(!r.ok);
        QCOMPARE(r.failedControl, control);
        QCOMPARE(settings, before);
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
        // Write Changes sends the records in which a field differs.
        const QList<int> writes = edit == FixedByte ? QList<int>() : records;
        QCOMPARE(radio.changedRecords(after), writes);
        const ChangesPlan plan = planChanges(radio, after);
        QVERIFY(plan.reads.isEmpty());
        QCOMPARE(plan.writes, writes);
    }

    // Property: whatever the radio is known to hold, Write Changes reads exactly the records not
    // known for certain (the settings as a pair) and may write the known ones the user changed and
    // the uncertain ones; after the reads it writes those that still differ and nothing never read.
    // Bytes no field covers do not count.
    void changesArePlannedFromWhatIsKnown()
    {
        QRandomGenerator random(9);
        const RadioImage held = baseImage();
        const ImageRecords heldRecords = imageRecords(held);
        for (int round = 0; round < 25; ++round) {
            RadioMemory radio;
            QList<int> unknown;
            QList<int> uncertain;
            for (int i = 0; i < kRecordCount; ++i) {
                const int address = recordAddress(i);
                if (random.bounded(4) == 0) {
                    unknown << address; // never read
                    continue;
                }
                RecordBytes bytes = heldRecords[i];
                if (i >= 4 && !held.channels[i - 4].inUse && random.bounded(2))
                    bytes.fill(0xFF); // an empty channel as some radios hold it
                else if (i >= 4 && random.bounded(2))
                    bytes[10] = 0x5A; // a byte no field covers
                radio.setRecord(address, bytes);
                if (random.bounded(10) == 0) {
                    radio.markUncertain(address); // a write went out unacknowledged
                    uncertain << address;
                }
            }
            QCOMPARE(radio.knownCount(), kRecordCount - unknown.size() - uncertain.size());
            for (int i = 0; i < kRecordCount; ++i) {
                const int address = recordAddress(i);
                QCOMPARE(radio.isKnown(address), !unknown.contains(address) && !uncertain.contains(address));
            }

            RadioImage edited = held;
            QList<int> changed;
            for (int k = 0; k < 5; ++k) {
                const int n = random.bounded(kChannelCount);
                edited.channels[n] = channel(1'000'000 + 1000 * round + k, QStringLiteral("E%1").arg(k));
                changed << channelAddress(n);
            }
            const ChangesPlan plan = planChanges(radio, edited);
            QList<int> reads = unknown + uncertain;
            const bool settingsUnsure =
                reads.contains(kSettings1Address) || reads.contains(kSettings2Address);
            if (settingsUnsure)
                reads << kSettings1Address << kSettings2Address;
            QList<int> writes = uncertain;
            for (const int address : std::as_const(changed)) {
                if (!reads.contains(address))
                    writes << address;
            }
            for (QList<int> *list : {&reads, &writes}) {
                std::sort(list->begin(), list->end());
                list->erase(std::unique(list->begin(), list->end()), list->end());
            }
            QCOMPARE(plan.reads, reads);
            QCOMPARE(plan.writes, writes);
            // What the radio is known to hold, as an image, is `held` wherever a record is known.
            const RadioImage known = radio.image(edited);
            for (int n = 0; n < kChannelCount; ++n) {
                if (radio.isKnown(channelAddress(n)))
                    QCOMPARE(channelTexts(known.channels[n]), channelTexts(held.channels[n]));
            }

            // The reads find the radio holding `held`: the uncertain and known changes are written,
            // the changes of records never read are held back.
            for (const int address : std::as_const(reads))
                radio.setRecord(address, heldRecords[recordIndex(address)]);
            QList<int> heldBack;
            QList<int> written;
            for (const int address : std::as_const(changed))
                (writes.contains(address) ? written : heldBack) << address;
            for (QList<int> *list : {&written, &heldBack}) {
                std::sort(list->begin(), list->end());
                list->erase(std::unique(list->begin(), list->end()), list->end());
            }
            QCOMPARE(writesAfterReading(plan, radio, edited), written);
            QCOMPARE(heldBackAfterReading(plan, radio, edited), heldBack);
        }
    }
};

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"
