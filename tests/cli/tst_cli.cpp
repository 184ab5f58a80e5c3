// ktv4cli run as a process on real files, as scripts use it.

#include "support/ProcessRunner.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace ktv4::test;

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QCOMPARE(cli({"new", "-o", path("good.TV4")}).exitCode, 0);
    }

    void newFile_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QByteArray>("vfo");
        // The other models' headers and VFOs are left to tst_clone_file and tst_record_codecs.
        QTest::newRow("default") << QStringList{} << QByteArray("Orvane KT-V4 E Clone 0 FileStart")
                                 << QByteArray("8001000100000000000000000000000060566C00");
        QTest::newRow("J, variant A")
            << QStringList{"--model", "0", "--variant-a"} << QByteArray("Orvane KT-V4 J Clone A FileStart")
            << QByteArray("8001000100000000000000000000000010936B00");
    }

    // new writes the start-up image; convert loads and saves it unchanged.
    void newFile()
    {
        QFETCH(QStringList, options);
        QFETCH(QByteArray, header);
        QFETCH(QByteArray, vfo);
        QCOMPARE(cli(QStringList{"new"} + options + QStringList{"-o", path("new.TV4")}).exitCode, 0);
        const QByteArray bytes = readAll(path("new.TV4"));
        QCOMPARE(bytes.size(), 40196);
        QVERIFY(bytes.startsWith(header + "\r\n"));
        QVERIFY(bytes.contains("\r\n" + vfo));

        QCOMPARE(cli({"convert", path("new.TV4"), "-o", path("copy.TV4")}).exitCode, 0);
        QCOMPARE(readAll(path("copy.TV4")), bytes);
    }

    void csvRoundTripThroughClone()
    {
        writeAll(path("in.csv"), "\"MODEL\",\"BANK\",\"CHANNEL\"\r\n"
                                 "KT-V4,memory,a12,7.050.000,lsb,-10,slow,narrow,on,abcdefghij,skip\r\n"
                                 "KT-V4,MEMORY,B-P2,14200000,USB,0,FAST,WIDE,OFF,DX,\r\n");
        QCOMPARE(cli({"import-csv", path("good.TV4"), path("in.csv"), "-o", path("merged.TV4"), "--csv-out",
                      path("held.csv")})
                     .exitCode,
                 0);
        QCOMPARE(
            readAll(path("held.csv")),
            QByteArray(
                "\"MODEL\",\"BANK\",\"CHANNEL\",\"FREQUENCY\",\"MODE\",\"GAIN\",\"AGC\",\"FILTER\",\"NB\","
                "\"NAME\",\"SKIP\"\r\n"
                "\"KT-V4\",\"MEMORY\",\"A12\",\"7.050.000\",\"LSB\",\"-10\",\"Slow\",\"Narrow\",\"On\","
                "\"ABCDEFGH\",\"Skip\"\r\n"
                "\"KT-V4\",\"MEMORY\",\"B-P2\",\"14.200.000\",\"USB\",\"0\",\"Fast\",\"Wide\",\"Off\","
                "\"DX\",\"\"\r\n"));
        // The clone file holds the encoded channels; exported again they read as the decoder shows them.
        QCOMPARE(cli({"export-csv", path("merged.TV4"), "-o", path("again.csv")}).exitCode, 0);
        const QByteArray again = readAll(path("again.csv"));
        QVERIFY(again.contains("\"B-P2\",\"14.200.000\",\"USB\""));
        QVERIFY(again.contains(
            "\"A12\",\"7.050.000\",\"LSB\",\"-10\",\"Slow\",\"Narrow\",\"On\",\"ABCDEFGH\",\"Skip\""));
    }

    void dumpForPeopleAndScripts()
    {
        QCOMPARE(cli({"new", "--model", "1", "-o", path("new.TV4")}).exitCode, 0);
        writeAll(path("d.csv"), "KT-V4,MEMORY,A-P1,3.573.000,USB,0,SLOW,WIDE,OFF,FT8,\r\n");
        QCOMPARE(cli({"import-csv", path("new.TV4"), path("d.csv"), "-o", path("d.TV4")}).exitCode, 0);

        const Run text = cli({"dump", path("d.TV4")});
        QCOMPARE(text.exitCode, 0);
        for (const char *line : {"Model: KT-V4T", "Scan Time:             2S", "IQ Shift(KHz):       00.00",
                                 "VFO A  7.100.000", "Channels in use: 1 of 604", "A-P1   3.573.000"})
            QVERIFY2(text.out.contains(QLatin1String(line)), line);

        const Run json = cli({"dump", path("d.TV4"), "--json"});
        QCOMPARE(json.exitCode, 0);
        const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QCOMPARE(o["model"].toInt(), 1);
        QCOMPARE(o["settings"].toObject()["cmbDimmer"].toObject()["text"].toString(), QStringLiteral("32"));
        const QJsonArray channels = o["channels"].toArray();
        QCOMPARE(channels.size(), 1);
        const QJsonObject channel = channels[0].toObject();
        QCOMPARE(channel["label"].toString(), QStringLiteral("A-P1"));
        QCOMPARE(channel["index"].toInt(), 400);
        QCOMPARE(channel["Name"].toObject()["text"].toString(), QStringLiteral("FT8"));
    }

    void failuresWriteNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        const QString fileOpen = QStringLiteral("File Open Error");
        QTest::newRow("damaged header")
            << QStringList{"convert", "@dir/badheader.TV4", "-o", "@dir/out.TV4"} << "Data Error";
        QTest::newRow("dump of a short file") << QStringList{"dump", "@dir/short.TV4"} << fileOpen;
        QTest::newRow("csv ends inside a row")
            << QStringList{"import-csv", "@dir/good.TV4", "@dir/cut.csv", "-o", "@dir/out.TV4"} << fileOpen;
        QTest::newRow("unwritable csv output")
            << QStringList{"import-csv",   "@dir/good.TV4", "@dir/good.csv",  "-o",
                           "@dir/out.TV4", "--csv-out",     "@dir/no/out.csv"}
            << fileOpen;
        QTest::newRow("unwritable output")
            << QStringList{"convert", "@dir/good.TV4", "-o", "@dir/no/out.TV4"} << fileOpen;
    }

    void failuresWriteNothing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const QByteArray good = readAll(path("good.TV4"));
        writeAll(path("badheader.TV4"), QByteArray(good).replace("Clone 0", "clone 0"));
        writeAll(path("short.TV4"), good.left(34 + 66 * 10));
        writeAll(path("cut.csv"), "KT-V4,MEMORY,1,7000000");
        writeAll(path("good.csv"), "KT-V4,MEMORY,1,7000000,USB,0,FAST,WIDE,OFF,,\r\n");
        QFile::remove(path("out.TV4"));

        arguments.replaceInStrings("@dir", m_dir.path());
        const Run r = cli(arguments);
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.err.section('\n', 0, 0), message);
        QVERIFY(!QFile::exists(path("out.TV4")));
    }

    void usage()
    {
        QCOMPARE(cli({}).exitCode, 2);
        QCOMPARE(cli({"frobnicate"}).exitCode, 2);
        QCOMPARE(cli({"convert", path("x.TV4")}).exitCode, 2); // no -o
        QCOMPARE(cli({"new", "--model", "7", "-o", path("m.TV4")}).exitCode, 2);
        const Run help = cli({"--help"});
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.contains("import-csv"));
        QVERIFY(cli({"--version"}).out.startsWith("ktv4cli 0.20"));
        const Run commandHelp = cli({"dump", "--help"});
        QCOMPARE(commandHelp.exitCode, 0);
        QVERIFY(commandHelp.out.contains("--json"));
    }

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
