// CSV export and import of the memory channels: the exact file that is written, every spelling
// the importer accepts, the rows it drops and the files it refuses.

#include "files/CloneDocument.h"
#include "files/CsvExchange.h"
#include "support/ProcessRunner.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ktv4;
using ktv4::test::readAll;
using ktv4::test::writeAll;

namespace {

ChannelRow channel(double hz, int mode, const QString &name, bool skip)
{
    ChannelRow row;
    row.inUse = true;
    auto &c = row.cells;
    c[ColFrequency] = {hz, frequencyText(hz)};
    c[ColMode] = {double(mode), modeNames().at(mode)};
    c[ColGain] = {1, gainText(1)};
    c[ColAgc] = {1, agcText(1)};
    c[ColPwr] = {2, powerText(2)};
    c[ColFilter] = {0, filterText(0)};
    c[ColTone] = {0x85, toneText(0x85)};
    c[ColNb] = {1, nbText(1)};
    c[ColSplit] = {hz + 5000, frequencyText(hz + 5000)};
    c[ColName] = {0, name};
    c[ColSkip] = {skip ? 1.0 : 0.0, skipText(skip)};
    return row;
}

} // namespace

class TestCsv : public QObject {
    Q_OBJECT
private slots:
    void exportWritesOnlyChannelsInUse()
    {
        ChannelTable table{};
        table[5] = channel(7050000, 1, "HOME", false);
        table[250] = channel(14200000, 0, "", true);
        table[603] = channel(21000000, 4, "P2", false);
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

    void exportImportRoundTrip()
    {
        ChannelTable table{};
        for (int ch = 0; ch < kChannelCount; ch += 7)
            table[ch] = channel(1800000 + ch * 1000, ch % 6, QStringLiteral("N%1").arg(ch).left(7), ch % 2);
        ChannelTable back{};
        const CsvImportResult r = importCsvBytes(csvExportBytes(table), back);
        QVERIFY(r.result.ok());
        QCOMPARE(r.rowsStored, (kChannelCount + 6) / 7);
        for (int ch = 0; ch < kChannelCount; ++ch) {
            QCOMPARE(back[ch].inUse, table[ch].inUse);
            if (!table[ch].inUse)
                continue;
            for (int c : {ColFrequency, ColMode, ColGain, ColAgc, ColFilter, ColNb, ColName, ColSkip})
                QCOMPARE(back[ch].cells[c].text, table[ch].cells[c].text);
            QCOMPARE(back[ch].cells[ColFrequency].value, table[ch].cells[ColFrequency].value);
        }
    }

    void acceptedSpellings()
    {
        ChannelTable table{};
        table[212].cells[ColPwr] = {2, "S-Low"};
        table[212].cells[ColSplit] = {1, "0.000.001"};
        const CsvImportResult r =
            importCsvBytes("KT-V4,memory,a12,7.050.000,lsb,-10,slow,narrow,on,abcdefghij,skip\r\n", table);
        QVERIFY(r.result.ok());
        const ChannelRow &row = table[212];
        QVERIFY(row.inUse);
        const auto &c = row.cells;
        QCOMPARE(c[ColFrequency], (Cell{7050000, "7.050.000"}));
        // An empty channel: power High, tone Off, split on the frequency, each with its text.
        QCOMPARE(c[ColSplit], (Cell{7050000, "7.050.000"}));
        QCOMPARE(c[ColPwr], (Cell{0, "High"}));
        QCOMPARE(c[ColMode], (Cell{1, "LSB"}));
        QCOMPARE(c[ColGain], (Cell{1, "-10"}));
        QCOMPARE(c[ColAgc], (Cell{1, "Slow"}));
        QCOMPARE(c[ColFilter], (Cell{1, "Narrow"}));
        QCOMPARE(c[ColNb], (Cell{1, "On"}));
        QCOMPARE(c[ColTone], (Cell{0, "Off"}));
        QCOMPARE(c[ColName], (Cell{0, "ABCDEFGH"})); // the record's 8 name characters
        QCOMPARE(c[ColSkip], (Cell{1, "Skip"}));

        // IQ is stored as FM; a frequency typed without dots gets the program's own text.
        QVERIFY(
            importCsvBytes(
                "\"KT-V4\",\"MEMORY\",\"3\",\"145000\",\"iq\",\"\",\"FAST\",\"WIDE\",\"off\",\"\",\"ON\"\n",
                table)
                .result.ok());
        QCOMPARE(table[3].cells[ColMode], (Cell{5, "FM"}));
        QCOMPARE(table[3].cells[ColFrequency], (Cell{145000, "0.145.000"}));
        QCOMPARE(table[3].cells[ColGain], (Cell{0, "0"}));
        QCOMPARE(table[3].cells[ColNb], (Cell{0, "Off"}));
        QCOMPARE(table[3].cells[ColSkip], (Cell{1, "Skip"}));
    }

    void foreignCharactersSurviveExport()
    {
        // A name with a double quote and bytes beyond ASCII, from an unquoted field of a foreign file.
        ChannelTable table{};
        QVERIFY(
            importCsvBytes("KT-V4,MEMORY,1,7000000,USB,0,FAST,WIDE,OFF,\xff\"ab,\r\n", table).result.ok());
        QCOMPARE(table[1].cells[ColName].text, QString::fromLatin1("\xff\"AB"));
        ChannelTable again{};
        QVERIFY(importCsvBytes(csvExportBytes(table), again).result.ok());
        QCOMPARE(again[1].cells[ColName].text, QString::fromLatin1("\xff"
                                                                   "AB"));
        QCOMPARE(again[1].cells[ColFrequency].text, QStringLiteral("7.000.000"));
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
        const char *rows[][2] = {{"-15", "-20"}, {"-10", "-10"}, {"-5", "-10"}, {"", "0"},
                                 {"3", "+10"},   {"+10", "+10"}, {"high", "0"}};
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
        QCOMPARE(table[1].cells[ColGain].text, text);
    }

    void droppedRowsDoNotDisturbTheNext()
    {
        ChannelTable table{};
        table[1] = channel(3500000, 0, "KEEP", false);
        const QByteArray csv = "junk,KT-V4\r\n"                                   // KT-V4 then a foreign bank
                               "KT-V4,MEMORY,1,abc,USB,0,FAST,WIDE,OFF,X,\r\n"    // no digits: dropped
                               "KT-V4,MEMORY,2,7000000,XX,0,FAST,WIDE,OFF,X,\r\n" // unknown mode
                               "KT-V4,MEMORY,3,7000000,USB,0,MEDIUM,WIDE,OFF,X,\r\n" // unknown AGC
                               "KT-V4,MEMORY,4,7000000,USB,0,FAST,MID,OFF,X,\r\n"    // unknown filter
                               "KT-V4,MEMORY,5,000,USB,0,FAST,WIDE,OFF,X,\r\n"       // zero
                               "KT-V4,MEMORY,,7000000,USB,0,FAST,WIDE,OFF,X,\r\n"    // empty channel field
                               "KT-V4,MEMORY,6,7.100.000,CWU,0,FAST,WIDE,OFF,SIX,\r\n";
        const CsvImportResult r = importCsvBytes(csv, table);
        QVERIFY(r.result.ok());
        QCOMPARE(r.rowsStored, 1);
        QCOMPARE(table[1].cells[ColName].text, QStringLiteral("KEEP"));
        for (int ch : {2, 3, 4, 5})
            QVERIFY(!table[ch].inUse);
        QVERIFY(table[6].inUse);
        QCOMPARE(table[6].cells[ColName].text, QStringLiteral("SIX"));
        QCOMPARE(table[6].cells[ColMode].text, QStringLiteral("CWU"));
    }

    void refusedFiles_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::newRow("ends inside a row") << QByteArray("KT-V4,MEMORY,7,7000000,USB\r\n");
        QTest::newRow("ends after the model") << QByteArray("KT-V4");
        QTest::newRow("bank letter alone") << QByteArray("KT-V4,MEMORY,A,7000000,USB,0,FAST,WIDE,OFF,,\r\n");
        QTest::newRow("channel beyond 16 bits")
            << QByteArray("KT-V4,MEMORY,B32400,7000000,USB,0,FAST,WIDE,OFF,,\r\n");
        QTest::newRow("gain beyond 16 bits")
            << QByteArray("KT-V4,MEMORY,8,7000000,USB,99999,FAST,WIDE,OFF,,\r\n");
    }

    void refusedFiles()
    {
        QFETCH(QByteArray, csv);
        ChannelTable table{};
        const QByteArray first = "KT-V4,MEMORY,0,7000000,USB,0,FAST,WIDE,OFF,FIRST,\r\n";
        const CsvImportResult r = importCsvBytes(first + csv, table);
        QCOMPARE(messageText(r.result.status), QStringLiteral("File Open Error"));
        QCOMPARE(table[0].cells[ColName].text, QStringLiteral("FIRST")); // rows before the fault stay
    }

    void headerOnlyKeepsTheCloneFile()
    {
        QTemporaryDir dir;
        const QString csvPath = dir.filePath("header.csv");
        writeAll(csvPath, csvExportBytes(ChannelTable{}));
        CloneDocument doc;
        QVERIFY(doc.save(dir.filePath("x.TV4")).ok());
        doc.setDataChanged(true);
        const ChannelTable before = doc.image().channels;
        QVERIFY(doc.importCsv(csvPath).result.ok());
        QCOMPARE(doc.image().channels, before);
        QCOMPARE(doc.cloneFileName(), dir.filePath("x.TV4"));
        QVERIFY(doc.dataChanged()); // earlier edits are still unsaved
        doc.setDataChanged(false);
        QVERIFY(doc.importCsv(csvPath).result.ok());
        QVERIFY(!doc.dataChanged()); // nothing merged, nothing to save
        QCOMPARE(doc.importCsv(dir.filePath("missing.csv")).result.status, FileStatus::FileOpenError);
        QVERIFY(!doc.dataChanged());

        // Refused half-way: the rows before the fault are in the table and count as unsaved.
        writeAll(dir.filePath("bad.csv"),
                 "KT-V4,MEMORY,4,7000000,USB,0,FAST,WIDE,OFF,,\r\nKT-V4,MEMORY,A,7000000\r\n");
        QCOMPARE(doc.importCsv(dir.filePath("bad.csv")).result.status, FileStatus::FileOpenError);
        QVERIFY(doc.image().channels[4].inUse);
        QVERIFY(doc.dataChanged());
        QCOMPARE(doc.caption(), appTitle() + QStringLiteral(" - x.TV4"));
    }

    void documentRules()
    {
        QTemporaryDir dir;
        CloneDocument doc;
        doc.image().channels[9] = channel(7000000, 0, "X", false);
        QVERIFY(doc.save(dir.filePath("clone.TV4")).ok());
        doc.setDataChanged(true);
        const QString csvPath = dir.filePath("out.csv");
        QVERIFY(doc.exportCsv(csvPath).ok());
        QCOMPARE(doc.caption(), QStringLiteral("Orvane KT-V4 Clone Utility - clone.TV4"));
        QVERIFY(doc.dataChanged()); // the CSV file holds no settings, VFOs, power, tone or split
        // Rows merged from a CSV file are unsaved until a clone file is written.
        doc.image().channels[9].clear();
        doc.setDataChanged(false);
        QVERIFY(doc.importCsv(csvPath).result.ok());
        QVERIFY(doc.dataChanged());
        // A later Save writes the clone file, never the CSV file.
        QCOMPARE(doc.cloneFileName(), dir.filePath("clone.TV4"));

        // A failed export leaves the earlier file and the state as they were.
        doc.setDataChanged(true);
        QCOMPARE(doc.exportCsv(dir.filePath("no/such/dir/x.csv")).status, FileStatus::FileOpenError);
        QVERIFY(doc.dataChanged());
        QVERIFY(readAll(csvPath).contains("\"9\",\"7.000.000\""));
    }
};

QTEST_GUILESS_MAIN(TestCsv)
#include "tst_csv.moc"
