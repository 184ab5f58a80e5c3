// SPDX-License-Identifier: GPL-3.0-or-later
// CSV export and import of the memory channels: the exact file that is written, every spelling
// the importer accepts, the rows it drops and the files it refuses.

#include "files/CloneDocument.h"
#include "files/CsvExchange.h"
#include "model/FieldText.h"
#include "support/ProcessRunner.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ktv4;
using ktv4::test::readAll;
using ktv4::test::writeAll;

namespace {

Channel channel(int hz, Mode mode, const QString &name, bool skip)
{
    Channel c = newChannel(hz, mode);
    c.gain = Gain::Minus10;
    c.agc = Agc::Slow;
    c.power = Power::SLow;
    c.tone = true;
    c.nb = true;
    c.split = hz + 5000;
    c.name = name;
    c.skip = skip;
    return c;
}

QStringList fieldTexts(const Channel &c)
{
    QStringList texts;
    for (int column = 0; column < kChannelColumns; ++column)
        texts << channelFieldText(c, ChannelColumn(column));
    return texts;
}

QByteArray row(const QByteArray &channel, const QByteArray &frequency, const QByteArray &mode = "USB",
               const QByteArray &agc = "FAST", const QByteArray &filter = "WIDE")
{
    return "KT-V4,MEMORY," + channel + "," + frequency + "," + mode + ",0," + agc + "," + filter +
           ",OFF,NAME,\r\n";
}

// A channel in use as the radio may hold it: power S-Low, tone byte 0x85, a split.
Channel inUse()
{
    RecordBytes b{};
    b[0] = 0x80;
    b[4] = 2;
    b[7] = 0x85;
    writeInt32(b, 16, 7'000'000);
    writeInt32(b, 28, 14'200'000);
    return *decodeChannel(b);
}

} // namespace

class TestCsv : public QObject {
    Q_OBJECT
private slots:
    void exportWritesOnlyChannelsInUse()
    {
        ChannelTable table{};
        table[5] = channel(7050000, Mode::LSB, "HOME", false);
        table[250] = channel(14200000, Mode::USB, "", true);
        table[603] = channel(21000000, Mode::AM, "P2", false);
        const QByteArray csv = csvExportBytes(table);
        const auto line = [](const QStringList &fields) {
            return ('"' + fields.join("\",\"") + "\"\r\n").toLatin1();
        };
        const QByteArray expected =
            line({"MODEL", "BANK", "CHANNEL", "FREQUENCY", "MODE", "GAIN", "AGC", "FILTER", "NB", "NAME",
                  "SKIP"}) +
            line({"KT-V4", "MEMORY", "5", "7.050.000", "LSB", "-10", "Slow", "Wide", "On", "HOME", ""}) +
            line({"KT-V4", "MEMORY", "A50", "14.200.000", "USB", "-10", "Slow", "Wide", "On", "", "Skip"}) +
            line({"KT-V4", "MEMORY", "B-P2", "21.000.000", "AM", "-10", "Slow", "Wide", "On", "P2", ""});
        QCOMPARE(csv, expected);
    }

    void acceptedSpellings()
    {
        ChannelTable table{};
        table[212].power = Power::SLow;
        table[212].split = 1;
        const CsvImportResult r =
            importCsvBytes("KT-V4,memory,a12,7.050.000,lsb,-10,slow,narrow,on,abcdefghij,skip\r\n", table);
        QVERIFY(r.result.ok());
        // An empty channel comes into use: power High, tone Off, split on the frequency; the
        // record's 8 name characters.
        QVERIFY(table[212].inUse);
        QCOMPARE(fieldTexts(table[212]), QStringList({"7.050.000", "LSB", "-10", "Slow", "High", "Narrow",
                                                      "Off", "On", "7.050.000", "ABCDEFGH", "Skip"}));
        QCOMPARE(recordText(encodeChannel(table[212])),
                 QStringLiteral("8801010100000100000100000000000010936B003A3B3C3D3E3F404110936B00"));

        // IQ is stored as FM; a frequency typed without dots gets the program's own text.
        QVERIFY(
            importCsvBytes(
                "\"KT-V4\",\"MEMORY\",\"3\",\"145000\",\"iq\",\"\",\"FAST\",\"WIDE\",\"off\",\"\",\"ON\"\n",
                table)
                .result.ok());
        QCOMPARE(fieldTexts(table[3]), QStringList({"0.145.000", "FM", "0", "Fast", "High", "Wide", "Off",
                                                    "Off", "0.145.000", "", "Skip"}));
    }

    void foreignCharactersSurviveExport()
    {
        // A name with a double quote and bytes beyond ASCII, from an unquoted field of a foreign file.
        ChannelTable table{};
        QVERIFY(
            importCsvBytes("KT-V4,MEMORY,1,7000000,USB,0,FAST,WIDE,OFF,\xff\"ab,\r\n", table).result.ok());
        QCOMPARE(table[1].name, QString::fromLatin1("\xff\"AB"));
        ChannelTable again{};
        QVERIFY(importCsvBytes(csvExportBytes(table), again).result.ok());
        QCOMPARE(again[1].name, QString::fromLatin1("\xff"
                                                    "AB"));
        QCOMPARE(again[1].frequency, 7'000'000);
    }

    void channelField_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("row"); // -1 dropped
        // Fields past a bank's end land on the next channel up to B-P2; 2.5 rounds half to even.
        const std::pair<const char *, int> rows[] = {
            {"0", 0},      {"199", 199},  {"200", -1},  {"A0", 200}, {"A199", 399}, {"A200", -1},
            {"A-P1", 400}, {"A-P2", 401}, {"A-P3", -1}, {"B0", 402}, {"B200", 602}, {"B201", 603},
            {"B202", -1},  {"B-P2", 603}, {"AX", -1},   {"C1", -1},  {"2.5", 2},    {"1 2", 12}};
        for (const auto &[field, row] : rows)
            QTest::addRow("%s", field) << QString(field) << row;
    }

    void channelField()
    {
        QFETCH(QString, field);
        QFETCH(int, row);
        QCOMPARE(resolveCsvChannel(field), std::optional<int>(row));
    }

    void gain_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        // -32768 is the last gain of 16 bits, and still a gain (one below fails the import).
        const char *rows[][2] = {{"-15", "-20"}, {"-5", "-10"}, {"", "0"},
                                 {"3", "+10"},   {"high", "0"}, {"-32768", "-20"}};
        for (const auto &r : rows)
            QTest::addRow("%s", *r[0] ? r[0] : "empty") << QString(r[0]) << QString(r[1]);
    }

    void gain()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        ChannelTable table{};
        QVERIFY(importCsvBytes(
                    QStringLiteral("KT-V4,MEMORY,1,7000000,USB,%1,FAST,WIDE,OFF,,\r\n").arg(field).toLatin1(),
                    table)
                    .result.ok());
        QCOMPARE(channelFieldText(table[1], ColGain), text);
    }

    void droppedRowsDoNotDisturbTheNext()
    {
        ChannelTable table{};
        table[1] = channel(3500000, Mode::USB, "KEEP", false);
        const QByteArray csv = "junk,KT-V4\r\n"                                   // KT-V4 then a foreign bank
                               "KT-V4,MEMORY,1,abc,USB,0,FAST,WIDE,OFF,X,\r\n"    // no digits: dropped
                               "KT-V4,MEMORY,2,7000000,XX,0,FAST,WIDE,OFF,X,\r\n" // unknown mode
                               "KT-V4,MEMORY,,7000000,USB,0,FAST,WIDE,OFF,X,\r\n" // empty channel field
                               "KT-V4,MEMORY,6,7.100.000,CWU,0,FAST,WIDE,OFF,SIX,\r\n"
                               // A quote left open ends its field, and its row, with the line.
                               "KT-V4,MEMORY,7,7000000,USB,0,FAST,WIDE,OFF,\"OPEN,\r\n"
                               "KT-V4,MEMORY,8,7000000,USB,0,FAST,WIDE,OFF,EIGHT,\r\n"
                               "\"KT-V4,MEMORY,9,7000000,USB,0,FAST,WIDE,OFF,NINE,\n"
                               "KT-V4,\"MEMORY,10,7000000\r"
                               "KT-V4,MEMORY,11,\"7000000\r\n"
                               "KT-V4,MEMORY,12,7000000,USB,0,FAST,WIDE,OFF,TWELVE,\"\r\n"
                               "KT-V4,MEMORY,13,7000000,USB,0,FAST,WIDE,OFF,\"13\",\"";
        const CsvImportResult r = importCsvBytes(csv, table);
        QVERIFY(r.result.ok());
        QCOMPARE(r.rowsStored, 2);
        QCOMPARE(table[1].name, QStringLiteral("KEEP"));
        QVERIFY(!table[2].inUse && !table[7].inUse && !table[12].inUse && !table[13].inUse);
        QCOMPARE(table[6].name + channelFieldText(table[6], ColMode), QStringLiteral("SIXCWU"));
        QCOMPARE(table[8].name, QStringLiteral("EIGHT"));
        QCOMPARE(csvImportSummary(r),
                 QStringLiteral("2 channels imported; 8 rows dropped: 1 naming no channel, 1 with an unknown "
                                "mode, 6 with a quote left open at the end of its line."));
    }

    void refusedFiles_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::newRow("ends inside a row") << QByteArray("KT-V4,MEMORY,7,7000000,USB\r\n");
        QTest::newRow("bank letter alone") << QByteArray("KT-V4,MEMORY,A,7000000,USB,0,FAST,WIDE,OFF,,\r\n");
        QTest::newRow("channel beyond 16 bits")
            << QByteArray("KT-V4,MEMORY,B32400,7000000,USB,0,FAST,WIDE,OFF,,\r\n");
        QTest::newRow("gain beyond 16 bits")
            << QByteArray("KT-V4,MEMORY,8,7000000,USB,32768,FAST,WIDE,OFF,,\r\n");
    }

    void refusedFiles()
    {
        QFETCH(QByteArray, csv);
        ChannelTable table{};
        const QByteArray first = "KT-V4,MEMORY,0,7000000,USB,0,FAST,WIDE,OFF,FIRST,\r\n";
        const CsvImportResult r = importCsvBytes(first + csv, table);
        QCOMPARE(messageText(r.result.status), QStringLiteral("File Open Error"));
        QCOMPARE(table[0].name, QStringLiteral("FIRST")); // rows before the fault stay
    }

    // CSV files hold channels only: the clone file stays the document's file, an import that merges
    // something is unsaved, one that merges nothing changes nothing, a refused one keeps what came
    // before the fault, a failed export changes nothing.
    void documentRules()
    {
        QTemporaryDir dir;
        CloneDocument doc;
        doc.image().channels[9] = channel(7000000, Mode::USB, "X", false);
        QVERIFY(doc.save(dir.filePath("clone.TV4")).ok());
        const QString csvPath = dir.filePath("out.csv"), header = dir.filePath("header.csv");
        QVERIFY(writeAll(header, csvExportBytes(ChannelTable{})));
        doc.setDataChanged(true);
        QVERIFY(doc.exportCsv(csvPath).ok());
        QCOMPARE(doc.caption(), QStringLiteral("Orvane KT-V4 Clone Utility - clone.TV4"));
        QVERIFY(doc.dataChanged()); // the CSV file holds no settings, VFOs, power, tone or split
        doc.image().channels[9] = Channel{};
        doc.setDataChanged(false);
        QVERIFY(doc.importCsv(header).result.ok());
        QVERIFY(!doc.dataChanged()); // nothing merged, nothing to save
        QVERIFY(doc.importCsv(csvPath).result.ok());
        QVERIFY(doc.dataChanged());
        QCOMPARE(doc.cloneFileName(), dir.filePath("clone.TV4"));

        QVERIFY(writeAll(dir.filePath("bad.csv"),
                         "KT-V4,MEMORY,4,7000000,USB,0,FAST,WIDE,OFF,,\r\nKT-V4,MEMORY,A,7000000\r\n"));
        doc.setDataChanged(false);
        QCOMPARE(doc.importCsv(dir.filePath("bad.csv")).result.status, FileStatus::FileOpenError);
        QVERIFY(doc.image().channels[4].inUse && doc.dataChanged());

        QCOMPARE(doc.exportCsv(dir.filePath("no/such/dir/x.csv")).status, FileStatus::FileOpenError);
        QVERIFY(readAll(csvPath).contains("\"9\",\"7.000.000\""));
    }

    void frequencyField_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<int>("code"); // 0: the row is dropped
        QTest::newRow("lowest") << QByteArray("30000") << 30'000;
        QTest::newRow("highest") << QByteArray("34.999.999") << 34'999'999;
        QTest::newRow("one below") << QByteArray("29999") << 0;
        QTest::newRow("first refused") << QByteArray("35000000") << 0;
        QTest::newRow("7.1 is 71 Hz") << QByteArray("7.1") << 0;
        QTest::newRow("2^32 + 1 does not wrap") << QByteArray("4294967297") << 0;
        QTest::newRow("2^31 does not turn negative") << QByteArray("2147483648") << 0;
        QTest::newRow("endless digits") << QByteArray(400, '9') << 0;
        QTest::newRow("negative") << QByteArray("-7.050.000") << 0;
        QTest::newRow("no digits") << QByteArray("abc") << 0;
    }

    // A dropped row leaves the channel.
    void frequencyField()
    {
        QFETCH(QByteArray, field);
        QFETCH(int, code);
        ChannelTable table{};
        const CsvImportResult r = importCsvBytes(row("5", field), table);
        QVERIFY(r.result.ok());
        QCOMPARE(r.rowsStored, code ? 1 : 0);
        QCOMPARE(r.dropped[int(CsvDropReason::Frequency)], code ? 0 : 1);
        QCOMPARE(table[5].inUse, code != 0);
        if (code)
            QCOMPARE(table[5].frequency, code);
    }

    // Power, tone and split are not in the file: a channel in use keeps its own (an empty one gets
    // High, Off and its frequency: acceptedSpellings).
    void whatTheFileDoesNotCarry()
    {
        ChannelTable table{};
        table[1] = inUse();
        QVERIFY(importCsvBytes(row("1", "7050000"), table).result.ok());
        const RecordBytes record = encodeChannel(table[1]);
        QCOMPARE(int(record[4]), 2);    // S-Low
        QCOMPARE(int(record[7]), 0x85); // tone on, as it was
        QCOMPARE(table[1].split, 14'200'000);
    }

    void summary_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("summary");
        QTest::newRow("empty") << QByteArray()
                               << "No channel was imported: the file holds no KT-V4 memory row.";
        // Channels are counted, not rows: 100,000 rows never import more than 604 channels.
        QTest::newRow("one channel named twice")
            << row("1", "7050000") + row("1", "7000000") + row("1", "7000000") + row("2", "7000000")
            << "2 channels imported (2 rows replaced an earlier row for the same channel).";
        QTest::newRow("every reason")
            << row("1", "7050000") + row("2", "7050000") + row("300", "7050000") + row("3", "1") +
                   row("4", "7.1") + row("5", "7050000", "XX") + row("6", "7050000", "USB", "MID") +
                   row("7", "7050000", "USB", "FAST", "ODD")
            << "2 channels imported; 6 rows dropped: 1 naming no channel, 2 with no frequency or one "
               "outside "
               "30 kHz to 35 MHz, 1 with an unknown mode, 1 with an unknown AGC, 1 with an unknown filter.";
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

QTEST_GUILESS_MAIN(TestCsv)
#include "tst_csv.moc"
