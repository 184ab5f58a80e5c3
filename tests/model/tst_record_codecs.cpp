// Channel and VFO records: decoding, encoding, the odd-but-legal bytes the radio may hold, and
// how channels are named and addressed.

#include "model/ChannelCodec.h"
#include "model/ChannelNaming.h"
#include "model/RadioImage.h"
#include "model/RecordText.h"

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

} // namespace

class TestRecordCodecs : public QObject {
    Q_OBJECT
private slots:
    void frequencyText_data()
    {
        QTest::addColumn<double>("hz");
        QTest::addColumn<QString>("text");
        // The last two lie beyond what the radio holds: every digit kept, the sign shown.
        const std::pair<double, const char *> rows[] = {{7050000, "7.050.000"},     {14200000, "14.200.000"},
                                                        {500000, "0.500.000"},      {135000, "0.135.000"},
                                                        {0, "0.000.000"},           {34999999, "34.999.999"},
                                                        {123456789, "123.456.789"}, {-7050000, "-7.050.000"}};
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
        // Lower case; a pair cut by a non-hex character, or past the end, reads as 0.
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
        // Lower-case hex decodes to the same row and comes back upper case.
        ChannelRow lower;
        QVERIFY(decodeMemoryData(text.toLower(), lower));
        QCOMPARE(lower, row);
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
        QTest::newRow("0x00 empty") << 0x00 << false << "" << 0x00;
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

        VfoRow vfo;
        const QString vfoIn = record({{0, 0x80}, {offset, byte}});
        QVERIFY(decodeVfoData(vfoIn, vfo));
        QCOMPARE(vfo.cells[column].text, text);
        QCOMPARE(makeVfoData(vfo), vfoIn);
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
        QTest::newRow("punctuation") << " *#+-/\\=()$_" << QByteArray::fromHex("5455565758595A5B");
        QTest::newRow("digits") << "09" << QByteArray::fromHex("3039000000000000");
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
        for (int code = 0; code < 256; ++code) {
            const QChar c = nameCharFor(code);
            QCOMPARE(!c.isNull(), code >= 0x30 && code <= 0x5F);
            if (!c.isNull())
                QCOMPARE(nameCodeFor(c), code);
        }
        // The name ends at the first byte without a character: 0x3A 0x20 0x3B is "A".
        ChannelRow row;
        QVERIFY(decodeMemoryData(record({{0, 0x80}, {20, 0x3A}, {21, 0x20}, {22, 0x3B}}), row));
        QCOMPARE(row.cells[ColName].text, QStringLiteral("A"));
        QVERIFY(!isNameCodeChar(QLatin1Char('a')));
        QVERIFY(!isNameCodeChar(QLatin1Char('.')));
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
        // A short text: what is there decodes, the rest reads as 0.
        const QString full =
            QStringLiteral("80020001000000000000000000000000") + "10936B00" + QString(24, QLatin1Char('0'));
        VfoRow vfo;
        QVERIFY(decodeVfoData(full.left(40), vfo));
        QCOMPARE(vfo.cells[ColFrequency].text + vfo.cells[ColMode].text, QStringLiteral("7.050.000CWU"));
        QVERIFY(decodeVfoData(full.left(30), vfo));
        QCOMPARE(vfo.cells[ColFrequency].text, QStringLiteral("0.000.000"));

        // Mode above five fails and changes the mode value only.
        VfoTable vfos;
        defaultVfoData(ModelE, vfos);
        VfoRow before = vfos[0];
        QVERIFY(!decodeVfoData(record({{1, 0x06}, {16, 0x55}}), vfos[0]));
        before.cells[ColMode].value = 6;
        QCOMPARE(vfos[0], before);
    }

    void defaultVfoFollowsModel()
    {
        const QString tail = QString(24, QLatin1Char('0'));
        for (int model : {ModelJ, ModelT, ModelE, ModelPN}) {
            VfoTable vfos;
            defaultVfoData(model, vfos);
            const QString text =
                (model == ModelJ ? QStringLiteral("8001000100000000000000000000000010936B00")
                                 : QStringLiteral("8001000100000000000000000000000060566C00")) +
                tail;
            QCOMPARE(vfos[0], vfos[1]);
            QCOMPARE(makeVfoData(vfos[0]), text);
            VfoRow decoded;
            QVERIFY(decodeVfoData(text, decoded));
            QCOMPARE(decoded, vfos[0]); // every cell's text as the decoder writes it
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
            {0, "Memory", "0CH", "0", "0"},
            {199, "Memory", "199CH", "199", "199"},
            {200, "Memory A", "0CH", "A  0", "A0"},
            {215, "Memory A", "15CH", "A 15", "A15"},
            {399, "Memory A", "199CH", "A199", "A199"},
            {400, "Memory A", "P1", "A-P1", "A-P1"},
            {401, "Memory A", "P2", "A-P2", "A-P2"},
            {402, "Memory B", "0CH", "B  0", "B0"},
            {601, "Memory B", "199CH", "B199", "B199"},
            {602, "Memory B", "P1", "B-P1", "B-P1"},
            {603, "Memory B", "P2", "B-P2", "B-P2"},
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
    }
};

QTEST_GUILESS_MAIN(TestRecordCodecs)
#include "tst_record_codecs.moc"
