// SPDX-License-Identifier: GPL-3.0-or-later
// Channel lists in the other tool's CSV layout: files shaped as users and the tool write them,
// the report of what could not be carried, the command line, and export-import round trips.

#include "files/ChirpCsv.h"
#include "model/FieldText.h"
#include "model/RecordText.h"
#include "support/ProcessRunner.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace ktv4;

namespace {

constexpr int kTone885 = 8; // the Tone Frequency setting's start-up position, "88.5Hz"

const QByteArray kModern =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
    "CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";
const QByteArray kLegacy = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                           "DtcsPolarity,Mode,TStep,Skip,Comment,URCALL,RPT1CALL,RPT2CALL";

// "channel|frequency|mode|split|name|tone|skip" as the grid shows them.
QString describe(int ch, const Channel &c)
{
    QStringList parts{QString::number(ch)};
    for (const ChannelColumn column : {ColFrequency, ColMode, ColSplit, ColName, ColTone, ColSkip})
        parts << channelFieldText(c, column);
    return parts.join(QLatin1Char('|'));
}

QStringList describeChanged(const ChirpImport &import)
{
    QStringList out;
    for (const int ch : import.changed)
        out << describe(ch, import.channels[ch]);
    return out;
}

// A table of random channel records as the radio may hold them: in use or not, any byte where the
// radio keeps one, a split anywhere in 32 bits, names of up to 8 characters.
ChannelTable randomTable(QRandomGenerator &rng)
{
    ChannelTable table{};
    for (int ch = 0; ch < kChannelCount; ++ch) {
        RecordBytes b{};
        for (std::uint8_t &byte : b)
            byte = std::uint8_t(rng.bounded(256));
        static const std::uint8_t status[] = {0x80, 0x88, 0x00, 0x08};
        b[0] = status[rng.bounded(4)];
        b[1] = std::uint8_t(rng.bounded(6));
        writeInt32(b, 16, rng.bounded(30000, 35000000));
        const int nameLength = rng.bounded(9);
        for (int i = 0; i < 8; ++i)
            b[20 + i] = i < nameLength ? std::uint8_t(0x30 + rng.bounded(0x30)) : 0x00;
        if (rng.bounded(2))
            writeInt32(b, 28, rng.bounded(30000, 35000000));
        else if (rng.bounded(2))
            std::copy(b.begin() + 16, b.begin() + 20, b.begin() + 28);
        table[ch] = *decodeChannel(b); // the mode byte is one of the six
    }
    return table;
}

// What the layout and its Comment carry: the fields and the whole bytes of the choices.
QString carried(int ch, const Channel &c)
{
    QString text = describe(ch, c);
    for (const ChannelByte b : {ChannelByte::Gain, ChannelByte::Agc, ChannelByte::Power, ChannelByte::Filter,
                                ChannelByte::Tone, ChannelByte::Nb})
        text += QLatin1Char('|') + QString::number(c.inUse ? channelByte(c, b) : 0);
    return text;
}

} // namespace

class TestChirp : public QObject {
    Q_OBJECT
private slots:
    void importsFilesAsTheyAreShared_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("channels"); // describe() of each channel stored, ascending
        QTest::addColumn<QStringList>("notes");
        QTest::addColumn<QString>("summary");

        QTest::newRow("columns in another order and case, quoted fields, unknown column, LF, blank line")
            << QByteArray("\"Mode\",\"frequency\",\"LOCATION\",\"Name\",\"Skip\",\"Unknown\"\n"
                          "\"LSB\",\"7.1\",\"5\",\"Net, 40m\",\"S\",\"x\"\n\n"
                          "usb,14.070001,6,\"Say \"\"Hi\"\"\",,\n")
            << QStringList{"5|7.100.000|LSB|7.100.000|NET 40M|Off|Skip",
                           "6|14.070.001|USB|14.070.001|SAY HI|Off|"}
            << QStringList{"Line 2, Location 5: name \"Net, 40m\" stored as \"NET 40M\"",
                           "Line 4, Location 6: name \"Say \"Hi\"\" stored as \"SAY HI\""}
            << "Imported 2 channels (2 adjusted), dropped 0 rows.";

        QTest::newRow("duplex split, + and -, CRLF")
            << kModern +
                   "\r\n"
                   "0,Split,7.030000,split,7.031000,,88.5,88.5,023,NN,023,Tone->Tone,CW,1.00,,100W,,,,,\r\n"
                   "1,Up,29.620000,+,0.100000,Tone,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,50W,,,,,\r\n"
                   "2,Down,29.620000,-,0.100000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,50W,,,,,\r\n"
                   "3,Far,29.620000,+,10.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,50W,,,,,\r\n"
                   "4,Below,0.100000,-,0.200000,,88.5,88.5,023,NN,023,Tone->Tone,AM,5.00,,50W,,,,,\r\n"
            << QStringList{"0|7.030.000|CWU|7.031.000|SPLIT|Off|", "1|29.620.000|FM|29.720.000|UP|On|",
                           "2|29.620.000|FM|29.520.000|DOWN|Off|", "3|29.620.000|FM|29.620.000|FAR|Off|",
                           "4|0.100.000|AM|0.100.000|BELOW|Off|"}
            << QStringList{"Line 5, Location 3: transmit frequency 39.620000 MHz is outside the radio's "
                           "range: transmits on the receive frequency",
                           "Line 6, Location 4: transmit frequency -0.100000 MHz is outside the radio's "
                           "range: transmits on the receive frequency"}
            << "Imported 5 channels (2 adjusted), dropped 0 rows.";

        QTest::newRow("out-of-range frequencies, too-long names, rows that name no channel")
            << kLegacy + "\n"
                         "7,2m Calling,146.520000,,0.600000,,88.5,88.5,023,NN,FM,5.00,,,,,\n"
                         "8,VeryLongName,14.2,,0.000000,,88.5,88.5,023,NN,USB,5.00,,,,,\n"
                         "604,Nowhere,7.000000,,0.000000,,88.5,88.5,023,NN,USB,5.00,,,,,\n"
                         ",,,,,,,,,,,,,,,,\n"
                         "9,Bad,7.05 MHz,,0.000000,,88.5,88.5,023,NN,USB,5.00,,,,,\n"
                         "10,Fine,3.5999995,,0.000000,,88.5,88.5,023,NN,USB,5.00,,,,,\n"
                         "11,Zeros,3.50000000,,0.000000,,88.5,88.5,023,NN,USB,5.00,,,,,\n"
                         "12,Low,0.029999,,0.000000,,88.5,88.5,023,NN,USB,5.00,,,,,\n"
                         "11,Again,34.999999,,0.000000,,88.5,88.5,023,NN,AM,5.00,,,,,\n"
            << QStringList{"8|14.200.000|USB|14.200.000|VERYLONG|Off|",
                           "11|34.999.999|AM|34.999.999|AGAIN|Off|"}
            << QStringList{"Line 2, Location 7: dropped: frequency 146.520000 MHz is outside the radio's "
                           "range, 0.030000 to 34.999999 MHz",
                           "Line 3, Location 8: name \"VeryLongName\" stored as \"VERYLONG\"",
                           "Line 4, Location 604: dropped: Location \"604\" is not a channel 0 to 603",
                           "Line 6, Location 9: dropped: frequency \"7.05 MHz\" is not a frequency in MHz "
                           "with up to 6 decimals",
                           "Line 7, Location 10: dropped: frequency \"3.5999995\" is not a frequency in MHz "
                           "with up to 6 decimals",
                           "Line 9, Location 12: dropped: frequency 0.029999 MHz is outside the radio's "
                           "range, 0.030000 to 34.999999 MHz",
                           "Line 10, Location 11: replaces the row of line 8 for the same channel"}
            << "Imported 2 channels (1 adjusted), dropped 5 rows, 1 row replaced an earlier row for "
               "the "
               "same channel.";

        // A quote left open takes only its own row; a Comment of this program's sets what the layout
        // has no column for, and says which of its values it could not read.
        QTest::newRow("a quote that never closes, the program's own Comment")
            << kLegacy + "\n1,\"Open,7.000000\n2,B,7.100000,,,,,,,,USB,,,KTV4 gain=3 tone=0x85 hue=red;x,,,\n"
            << QStringList{"2|7.100.000|USB|7.100.000|B|Off|"}
            << QStringList{"Line 2, Location 1: dropped: a quoted field is never closed: the row ends with "
                           "its line",
                           "Line 3, Location 2: Comment value \"hue=red\" not understood: left out"}
            << "Imported 1 channel (1 adjusted), dropped 1 row.";
    }

    void importsFilesAsTheyAreShared()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, channels);
        QFETCH(QStringList, notes);
        QFETCH(QString, summary);
        expectImport(file, channels, notes, summary);
    }

    // Another HF radio's file as the tool writes it: each of its modes, tone modes and flags.
    void importsAnotherRadiosFile()
    {
        expectImport(
            kModern +
                "\r\n"
                "0,FT8 40m,7.074000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,USB,1.00,,100W,\"FT8, "
                "dial\",,,,\r\n"
                "1,80m Net,3.985000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,LSB,1.00,S,100W,,,,,\r\n"
                "2,CW Call,14.050000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,CWR,1.00,P,100W,,,,,\r\n"
                "3,WWV,10.000000,off,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,AM,5.00,,100W,,,,,\r\n"
                "4,10m FM,29.600000,,0.000000,TSQL,88.5,88.5,023,NN,023,Tone->Tone,NFM,5.00,,50W,,,,,\r\n"
                "5,RTTY,14.080000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,RTTY,1.00,,100W,,,,,\r\n"
                "6,10m DCS,29.640000,,0.000000,DTCS,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,50W,,,,,\r\n"
                "7,10m "
                "Rpt,29.620000,-,0.100000,Tone,88.55,88.5,023,NN,023,Tone->Tone,FM,5.00,,50W,,,,,\r\n",
            QStringList{"0|7.074.000|USB|7.074.000|FT8 40M|Off|",
                        "1|3.985.000|LSB|3.985.000|80M NET|Off|Skip",
                        "2|14.050.000|CWL|14.050.000|CW CALL|Off|", "3|10.000.000|AM|10.000.000|WWV|Off|",
                        "4|29.600.000|FM|29.600.000|10M FM|On|", "6|29.640.000|FM|29.640.000|10M DCS|Off|",
                        "7|29.620.000|FM|29.520.000|10M RPT|On|"},
            QStringList{"Line 4, Location 2: priority scan (P) is not carried: scanned like any channel",
                        "Line 5, Location 3: receive only (Duplex off) is not carried: transmits on the "
                        "receive frequency",
                        "Line 6, Location 4: mode NFM stored as FM; tone squelch (TSQL) is not carried: "
                        "the tone is sent, reception is not squelched",
                        "Line 7, Location 5: dropped: mode \"RTTY\" has no counterpart on the radio",
                        "Line 8, Location 6: tone mode DTCS is not carried: no tone",
                        "Line 9, Location 7: tone 88.55 Hz: the radio sends its Tone Frequency setting, "
                        "88.5 Hz"},
            "Imported 7 channels (5 adjusted), dropped 1 row.");
    }

    void refusesFilesNotInTheLayout_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("detail"); // empty: accepted, nothing stored

        QTest::newRow("the program's own CSV")
            << QByteArray("\"MODEL\",\"BANK\",\"CHANNEL\",\"FREQUENCY\"\r\n")
            << "the first row is not a CHIRP header: it needs Location and Frequency columns";
        QTest::newRow("header only, after a byte-order mark and a blank line")
            << "\xEF\xBB\xBF\r\n" + kModern + "\r\n"
            << QString();
    }

    void refusesFilesNotInTheLayout()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, detail);
        const ChirpImport import = importChirpCsvBytes(file, ChannelTable{}, kTone885);
        QCOMPARE(import.result.detail, detail);
        QCOMPARE(import.result.status, detail.isEmpty() ? FileStatus::Ok : FileStatus::DataError);
        QVERIFY(import.changed.isEmpty());
        QCOMPARE(import.report.imported + import.report.dropped, 0);
    }

    // The Comment says, after "KTV4", what the columns cannot: bytes other than 0, a tone byte with
    // other bits than the flag, a split the radio cannot send on, a Tone Frequency setting that is
    // no listed tone.
    void exportWritesTheToolsLayout_data()
    {
        QTest::addColumn<int>("toneSetting");
        QTest::addColumn<QByteArray>("rows");
        QTest::newRow("listed tone") << 12
                                     << QByteArray(
                                            "0,\"NET, 40\",7.050000,,0.000000,,100.0,88.5,023,NN,023,Tone->"
                                            "Tone,LSB,1.00,S,,KTV4 tone=0x05; Memory 0CH,,,,\r\n"
                                            "400,,29.620000,split,0.000000,Tone,100.0,88.5,023,NN,023,"
                                            "Tone->Tone,CWR,1.00,,,KTV4 gain=3 agc=1 pwr=2 filter=1 nb=9 "
                                            "split=-5; Memory A P1,,,,\r\n");
        QTest::newRow("the first byte that is no tone")
            << 39
            << QByteArray(
                   "0,\"NET, 40\",7.050000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,LSB,1.00,S,,KTV4 "
                   "tone=0x05; Memory 0CH,,,,\r\n"
                   "400,,29.620000,split,0.000000,Tone,88.5,88.5,023,NN,023,Tone->Tone,CWR,1.00,,,KTV4 "
                   "gain=3 agc=1 pwr=2 filter=1 nb=9 txtone=0x27 split=-5; Memory A P1,,,,\r\n");
    }

    void exportWritesTheToolsLayout()
    {
        QFETCH(int, toneSetting);
        QFETCH(QByteArray, rows);
        ChannelTable table{};
        auto set = [](Channel &c, int hz, Mode mode, int split, bool tone, const QString &name, bool skip) {
            c = newChannel(hz, mode);
            c.split = split;
            c.tone = tone;
            c.name = name;
            c.skip = skip;
        };
        set(table[0], 7050000, Mode::LSB, 7050000, false, "NET, 40", true);
        table[0] = withChannelByte(table[0], ChannelByte::Tone, 0x05);
        table[0].name = QStringLiteral("NET, 40"); // a name the other tool holds, quoted
        set(table[400], 29620000, Mode::CWL, -5, true, "", false);
        for (const auto &[byte, code] : {std::pair{ChannelByte::Gain, 3},
                                         {ChannelByte::Agc, 1},
                                         {ChannelByte::Power, 2},
                                         {ChannelByte::Filter, 1},
                                         {ChannelByte::Nb, 9}})
            table[400] = withChannelByte(table[400], byte, quint8(code));
        QCOMPARE(chirpCsvExportBytes(table, toneSetting), kModern + "\r\n" + rows);
    }

    // Export, then import, gives back every channel exactly, into an empty table and into one whose
    // channels hold other values; and the rows need no adjusting. Any Tone Frequency setting.
    void exportThenImportGivesTheSameChannels()
    {
        QRandomGenerator rng(20261207);
        for (int round = 0; round < 12; ++round) {
            const ChannelTable table = randomTable(rng);
            const ChannelTable other = randomTable(rng);
            const int tone = rng.bounded(256);
            const QByteArray csv = chirpCsvExportBytes(table, tone);
            const ChannelTable empty{};
            for (const ChannelTable *start : {&empty, &other}) {
                const ChirpImport import = importChirpCsvBytes(csv, *start, tone);
                QVERIFY(import.result.ok());
                QCOMPARE(import.report.noteLines(), QStringList());
                for (int ch = 0; ch < kChannelCount; ++ch) {
                    if (table[ch].inUse)
                        QCOMPARE(carried(ch, import.channels[ch]), carried(ch, table[ch]));
                    else
                        QVERIFY(import.channels[ch] == (*start)[ch]);
                }
            }
        }
    }

    void commandLineChoosesTheLayoutAndReportsOnStderr()
    {
        using ktv4::test::cli;
        QTemporaryDir dir;
        const QString base = dir.filePath("base.TV4"), in = dir.filePath("in.csv"),
                      out = dir.filePath("out.TV4"), back = dir.filePath("back.csv");
        QVERIFY(ktv4::test::writeAll(
            in, kLegacy + "\n3,Net,7.1,,,,,,,,USB,,S,,,,\n4,Two,146.52,,,,,,,,FM,,,,,,\n"));
        QCOMPARE(cli({"new", "-o", base}).exitCode, 0);
        const ktv4::test::Run run =
            cli({"import-csv", "--format", "chirp", base, in, "-o", out, "--csv-out", back});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QStringLiteral("Line 3, Location 4: dropped: frequency 146.520000 MHz is outside "
                                         "the radio's range, 0.030000 to 34.999999 MHz\n"
                                         "Imported 1 channel (0 adjusted), dropped 1 row.\n"));
        QVERIFY(ktv4::test::readAll(back).startsWith(kModern + "\r\n3,NET,7.100000,"));
        QCOMPARE(cli({"export-csv", "--format", "chirp", out, "-o", back}).exitCode, 0);
        QVERIFY(ktv4::test::readAll(back).startsWith(kModern + "\r\n3,NET,7.100000,"));
        QCOMPARE(cli({"export-csv", "--format", "other", out, "-o", back}).exitCode, 2);
    }

private:
    // `file` imported into an empty table: the channels stored, the notes and the summary.
    void expectImport(const QByteArray &file, const QStringList &channels, const QStringList &notes,
                      const QString &summary)
    {
        const ChannelTable empty{};
        const ChirpImport import = importChirpCsvBytes(file, empty, kTone885);
        QVERIFY2(import.result.ok(), qPrintable(import.result.detail));
        QCOMPARE(describeChanged(import), channels);
        QCOMPARE(import.report.noteLines(), notes);
        QCOMPARE(import.report.summary(), summary);
        // A channel the file does not name stays as it was.
        for (int ch = 0; ch < kChannelCount; ++ch) {
            if (!import.changed.contains(ch))
                QVERIFY(!import.channels[ch].inUse);
        }
    }
};

QTEST_GUILESS_MAIN(TestChirp)
#include "tst_chirp.moc"
