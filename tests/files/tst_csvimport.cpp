// What CSV import takes from a row and what it keeps of the channel, which frequencies it drops,
// and how it reports what it did.

#include "files/CsvExchange.h"

#include <QTest>

using namespace ktv4;

namespace {

QByteArray row(const QByteArray &channel, const QByteArray &frequency, const QByteArray &mode = "USB",
               const QByteArray &agc = "FAST", const QByteArray &filter = "WIDE")
{
    return "KT-V4,MEMORY," + channel + "," + frequency + "," + mode + ",0," + agc + "," + filter +
           ",OFF,NAME,\r\n";
}

ChannelRow inUse()
{
    ChannelRow r;
    r.inUse = true;
    r.cells[ColPwr] = {2, "S-Low"};
    r.cells[ColTone] = {0x85, "On"};
    r.cells[ColSplit] = {14'200'000, "14.200.000"};
    return r;
}

} // namespace

class TestCsvImport : public QObject {
    Q_OBJECT

private slots:
    void frequencyField_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<double>("code"); // 0: the row is dropped
        QTest::newRow("dotted") << QByteArray("7.050.000") << 7'050'000.0;
        QTest::newRow("lowest") << QByteArray("30000") << 30'000.0;
        QTest::newRow("highest") << QByteArray("34.999.999") << 34'999'999.0;
        QTest::newRow("one below") << QByteArray("29999") << 0.0;
        QTest::newRow("first refused") << QByteArray("35000000") << 0.0;
        QTest::newRow("7.1 is 71 Hz") << QByteArray("7.1") << 0.0;
        QTest::newRow("2^32 + 1 does not wrap") << QByteArray("4294967297") << 0.0;
        QTest::newRow("2^31 does not turn negative") << QByteArray("2147483648") << 0.0;
        QTest::newRow("endless digits") << QByteArray(400, '9') << 0.0;
        QTest::newRow("negative") << QByteArray("-7.050.000") << 0.0;
        QTest::newRow("no digits") << QByteArray("abc") << 0.0;
    }

    // The stored text is always the program's own for the code; a dropped row leaves the channel.
    void frequencyField()
    {
        QFETCH(QByteArray, field);
        QFETCH(double, code);
        ChannelTable table{};
        const CsvImportResult r = importCsvBytes(row("5", field), table);
        QVERIFY(r.result.ok());
        QCOMPARE(r.rowsStored, code ? 1 : 0);
        QCOMPARE(r.dropped[int(CsvDropReason::Frequency)], code ? 0 : 1);
        QCOMPARE(table[5].inUse, code != 0);
        if (code)
            QCOMPARE(table[5].cells[ColFrequency], (Cell{code, frequencyText(code)}));
    }

    // Power, tone and split are not in the file: a channel in use keeps its own, an empty one
    // gets High, Off and its frequency, value and text alike.
    void whatTheFileDoesNotCarry()
    {
        ChannelTable table{};
        table[1] = inUse();
        QVERIFY(importCsvBytes(row("1", "7050000") + row("2", "7050000"), table).result.ok());
        QCOMPARE(table[1].cells[ColPwr], (Cell{2, "S-Low"}));
        QCOMPARE(table[1].cells[ColTone], (Cell{0x85, "On"}));
        QCOMPARE(table[1].cells[ColSplit], (Cell{14'200'000, "14.200.000"}));
        QCOMPARE(table[2].cells[ColPwr], (Cell{0, "High"}));
        QCOMPARE(table[2].cells[ColTone], (Cell{0, "Off"}));
        QCOMPARE(table[2].cells[ColSplit], (Cell{7'050'000, "7.050.000"}));
    }

    void summary_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("summary");
        QTest::newRow("empty") << QByteArray()
                               << "No channel was imported: the file holds no KT-V4 memory row.";
        QTest::newRow("one") << row("1", "7050000") << "1 channel imported.";
        QTest::newRow("every reason")
            << row("1", "7050000") + row("2", "7050000") + row("300", "7050000") + row("3", "1") +
                   row("4", "7.1") + row("5", "7050000", "XX") + row("6", "7050000", "USB", "MID") +
                   row("7", "7050000", "USB", "FAST", "ODD")
            << "2 channels imported; 6 rows dropped: 1 naming no channel, 2 with no frequency or one "
               "outside 30 kHz to 35 MHz, 1 with an unknown mode, 1 with an unknown AGC, 1 with an "
               "unknown filter.";
        QTest::newRow("nothing importable")
            << row("C1", "7050000") << "No channel was imported; 1 row dropped: 1 naming no channel.";
    }

    void summary()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, summary);
        ChannelTable table{};
        const CsvImportResult r = importCsvBytes(file, table);
        QVERIFY(r.result.ok());
        QCOMPARE(csvImportSummary(r), summary);
    }
};

QTEST_GUILESS_MAIN(TestCsvImport)
#include "tst_csvimport.moc"
