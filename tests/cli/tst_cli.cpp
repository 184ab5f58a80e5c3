// SPDX-License-Identifier: GPL-3.0-or-later
// ktv4cli run as a process on real files, as scripts use it; and given outputs and inputs that
// are not what they seem: FIFOs, devices, sockets, folders, the same file twice, a full disk,
// files too large to be what they claim, names that are not UTF-8. Each of those must end at once
// with its message and leave every file as it was.

#include "support/ProcessRunner.h"

#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

using namespace ktv4::test;

namespace {

// Everything in the folder: name, kind and content.
QStringList snapshot(const QString &dir)
{
    QStringList entries;
    QDirIterator it(dir, QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat st {};
        ::lstat(QFile::encodeName(path).constData(), &st);
        // The sparse giants by size and time, the rest by content.
        const bool small = S_ISREG(st.st_mode) && st.st_size < (1 << 20);
        const QByteArray content = small ? readAll(path) : QByteArray::number(qint64(st.st_mtim.tv_nsec));
        entries << QStringLiteral("%1 %2 %3 %4")
                       .arg(path)
                       .arg(st.st_mode, 0, 8)
                       .arg(st.st_size)
                       .arg(qHash(content));
    }
    entries.sort();
    return entries;
}

// A CSV file naming all 604 channels.
QByteArray fullCsv()
{
    QByteArray csv;
    for (int ch = 0; ch < 200; ++ch) {
        for (const char *bank : {"", "A", "B"})
            csv += QByteArray("KT-V4,MEMORY,") + bank + QByteArray::number(ch) +
                   ",7100000,USB,0,FAST,WIDE,OFF,N,\r\n";
    }
    for (const char *p : {"A-P1", "A-P2", "B-P1", "B-P2"})
        csv += QByteArray("KT-V4,MEMORY,") + p + ",7100000,USB,0,FAST,WIDE,OFF,N,\r\n";
    return csv;
}

Run shell(const QString &dir, const QString &script)
{
    QProcess p;
    p.setWorkingDirectory(dir);
    p.start(QStringLiteral("/bin/sh"), {"-c", script, QStringLiteral(KTV4CLI_PATH)});
    if (!p.waitForFinished(120000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QCOMPARE(cli({"new", "-o", path("good.TV4")}).exitCode, 0);
        QVERIFY(writeAll(path("full.csv"), fullCsv()));
        QCOMPARE(cli({"import-csv", path("good.TV4"), path("full.csv"), "-o", path("full.TV4")}).exitCode, 0);
        QCOMPARE(cli({"convert", path("full.TV4"), "-o", path("full.yaml")}).exitCode, 0);
        QCOMPARE(cli({"convert", path("good.TV4"), "-o", path("good.yml")}).exitCode, 0);
        QVERIFY(QFile::rename(path("good.yml"), path("good.yaml")));
        QVERIFY(QDir(m_dir.path()).mkdir("folder"));
        QCOMPARE(::mkfifo(QFile::encodeName(path("fifo")).constData(), 0600), 0);
        m_socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, QFile::encodeName(path("socket")).constData(), sizeof address.sun_path);
        QCOMPARE(::bind(m_socket, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
        // A device node of its own (the null device's numbers), so no system device is at risk.
        m_haveDevice =
            ::mknod(QFile::encodeName(path("device")).constData(), S_IFCHR | 0600, makedev(1, 3)) == 0;
        QVERIFY(writeAll(path("old.csv"), "old\r\n"));
        QFile huge(path("huge.TV4"));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(2) << 30));
        QVERIFY(writeAll(path("mixed.csv"), "KT-V4,MEMORY,A5,14200000,USB,0,FAST,WIDE,OFF,TWENTY,\r\n"
                                            "KT-V4,MEMORY,A1,7100000,LSB,0,FAST,WIDE,OFF,FORTY,\r\n"
                                            "KT-V4,MEMORY,A9,9500000,AM,0,FAST,WIDE,OFF,BC31,\r\n"
                                            "KT-V4,MEMORY,3,7100000,LSB,0,FAST,WIDE,OFF,DUP,\r\n"));
        QCOMPARE(cli({"import-csv", path("good.TV4"), path("mixed.csv"), "-o", path("mixed.TV4")}).exitCode,
                 0);
        QByteArray distinct; // 604 channels, each with a frequency and name of its own
        for (int ch = 0; ch < 604; ++ch) {
            const QString bank = ch < 200 ? "" : ch < 402 ? "A" : "B";
            const int n = ch < 200 ? ch : ch < 402 ? ch - 200 : ch - 402;
            const QString label =
                n < 200 ? bank + QString::number(n) : bank + "-P" + QString::number(n - 199);
            distinct += QStringLiteral("KT-V4,MEMORY,%1,%2,USB,0,FAST,WIDE,OFF,N%3,\r\n")
                            .arg(label)
                            .arg(1'800'000 + 1000 * ch)
                            .arg(ch)
                            .toLatin1();
        }
        QVERIFY(writeAll(path("distinct.csv"), distinct));
        QCOMPARE(
            cli({"import-csv", path("good.TV4"), path("distinct.csv"), "-o", path("受信機.TV4")}).exitCode,
            0);
        QFile big(path("big.csv"));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(17 << 20));
    }

    void newFile_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QByteArray>("vfo");
        // The other models' headers and VFOs are left to tst_clone_file and tst_model.
        QTest::newRow("default") << QStringList{} << QByteArray("Orvane KT-V4 E Clone 0 FileStart")
                                 << QByteArray("8001000100000000000000000000000060566C00");
        QTest::newRow("J, variant A")
            << QStringList{"--model", "0", "--variant-a"} << QByteArray("Orvane KT-V4 J Clone A FileStart")
            << QByteArray("8001000100000000000000000000000010936B00");
    }

    // new writes the start-up image (convert passes it through unchanged in namesKeepTheirBytes).
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
    }

    void dumpForPeopleAndScripts()
    {
        QCOMPARE(cli({"new", "--model", "1", "-o", path("new.TV4")}).exitCode, 0);
        QVERIFY(writeAll(path("d.csv"), "KT-V4,MEMORY,A-P1,3.573.000,USB,0,SLOW,WIDE,OFF,FT8,\r\n"));
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
        QCOMPARE(channels[0].toObject()["index"].toInt(), 400);
        QCOMPARE(channels[0].toObject()["Name"].toObject()["text"].toString(), QStringLiteral("FT8"));
    }

    // Wherever a clone file is read, its memory file gives the very same result; and convert writes
    // each form by its name, or by --to for standard output.
    void memoryFilesEverywhere_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("sameAs");
        QTest::newRow("convert") << QStringList{"convert", "@dir/full.yaml", "-o", "-"}
                                 << QStringList{"convert", "@dir/full.TV4", "-o", "-"};
        QTest::newRow("convert --to yaml")
            << QStringList{"convert", "--to", "yaml", "@dir/full.TV4", "-o", "-"}
            << QStringList{"convert", "@dir/full.yaml", "-o", "-", "--to", "YAML"};
        QTest::newRow("dump") << QStringList{"dump", "@dir/full.yaml"}
                              << QStringList{"dump", "@dir/full.TV4"};
        QTest::newRow("diff") << QStringList{"diff", "@dir/full.TV4", "@dir/good.yaml"}
                              << QStringList{"diff", "@dir/full.TV4", "@dir/good.TV4"};
        QTest::newRow("export-csv") << QStringList{"export-csv", "@dir/full.yaml", "-o", "-"}
                                    << QStringList{"export-csv", "@dir/full.TV4", "-o", "-"};
        QTest::newRow("import-csv") << QStringList{"import-csv", "@dir/good.yaml", "@dir/full.csv", "-o", "-"}
                                    << QStringList{"import-csv", "@dir/good.TV4", "@dir/full.csv", "-o", "-"};
        // Without a radio: the file loads, then the port is missing.
        QTest::newRow("verify") << QStringList{"verify", "--port", "/dev/ktv4-none", "@dir/full.yaml"}
                                << QStringList{"verify", "--port", "/dev/ktv4-none", "@dir/full.TV4"};
    }

    void memoryFilesEverywhere()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, sameAs);
        QVERIFY(readAll(path("full.yaml")).contains("\n  B-P2: {frequency: 7100000, mode: USB,"));
        const Run run = cli(arguments.replaceInStrings("@dir", m_dir.path()));
        const Run expected = cli(sameAs.replaceInStrings("@dir", m_dir.path()));
        QVERIFY2(!expected.err.contains("Error") || expected.err.startsWith("COM Port Error"),
                 qPrintable(expected.err));
        QCOMPARE(run.exitCode, expected.exitCode);
        QCOMPARE(run.out, expected.out);
        QCOMPARE(run.err, expected.err);
    }

    // Each failure names the file it is about, and which of two clone files it was.
    void failuresWriteNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        const QString fileOpen = QStringLiteral("File Open Error");
        QTest::newRow("damaged header") << QStringList{"convert", "@dir/badheader.TV4", "-o", "@dir/out.TV4"}
                                        << "Data Error\n  (@dir/badheader.TV4: unknown header line)";
        QTest::newRow("dump of a damaged file") << QStringList{"dump", "@dir/badheader.TV4"}
                                                << "Data Error\n  (@dir/badheader.TV4: unknown header line)";
        QTest::newRow("write, the base is bad")
            << QStringList{"write",        "--port", "/dev/none", "--changes-from", "@dir/badheader.TV4",
                           "@dir/good.TV4"}
            << "Data Error\n  (--changes-from @dir/badheader.TV4: unknown header line)";
        QTest::newRow("write, the file to write is bad")
            << QStringList{"write",          "--port",        "/dev/none",
                           "--changes-from", "@dir/good.TV4", "@dir/badheader.TV4"}
            << "Data Error\n  (IN.TV4 @dir/badheader.TV4: unknown header line)";
        QTest::newRow("memory file with a fault")
            << QStringList{"import-csv", "@dir/bad.yaml", "@dir/full.csv", "-o", "@dir/out.TV4"}
            << "File Open Error\n  (@dir/bad.yaml line 2: unknown key \"frequncy\" in channel A-P1; the keys "
               "are frequency, mode, gain, agc, power, filter, tone, nb, split, name, skip, raw)";
        QTest::newRow("csv ends inside a row")
            << QStringList{"import-csv", "@dir/good.TV4", "@dir/cut.csv", "-o", "@dir/out.TV4"} << fileOpen;
        QTest::newRow("unwritable output")
            << QStringList{"convert", "@dir/good.TV4", "-o", "@dir/no/out.TV4"} << fileOpen;
    }

    void failuresWriteNothing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const QByteArray good = readAll(path("good.TV4"));
        QVERIFY(writeAll(path("badheader.TV4"), QByteArray(good).replace("Clone 0", "clone 0")));
        QVERIFY(writeAll(path("cut.csv"), "KT-V4,MEMORY,1,7000000"));
        QVERIFY(writeAll(path("bad.yaml"), "channels:\n  A-P1: {frequncy: 7050000, mode: USB}\n"));
        QFile::remove(path("out.TV4"));

        arguments.replaceInStrings("@dir", m_dir.path());
        const Run r = cli(arguments);
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.startsWith(message.replace("@dir", m_dir.path()) + '\n'), qPrintable(r.err));
        QVERIFY(!QFile::exists(path("out.TV4")));
    }

    void importSchedule_data()
    {
        QTest::addColumn<QStringList>("options"); // after IN.TV4 SKED.csv
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("err");
        QTest::addColumn<QString>("out"); // also in the dump of the file written, when one is
        QTest::newRow("band") << QStringList{"--into", "A0", "--band", "49m", "-o", "@out"} << 0
                              << "20 rows read\n3 rows dropped\n  line 14: bad frequency \"abc\"\n"
                              << "A  1   6.070.000   AM      0       Slow    High    Wide    Off     Off     "
                                 "6.070.000   CHAN 292";
        QTest::newRow("dry run") << QStringList{"--into", "b-p1", "--station", "wbcq", "--dry-run"} << 0
                                 << "1 channel made"
                                 << "B-P1      7490 AM  WBCQ     WBCQ      ";
        QTest::newRow("no room") << QStringList{"--into", "B-P2", "--at", "0015", "-o", "@out"} << 1
                                 << "7 left out for lack of room"
                                 << "";
        QTest::newRow("held already")
            << QStringList{"--into", "0", "--from", "4319", "--to", "4319", "-o", "@out"} << 0
            << "0 channels made\n1 duplicate skipped\n  4319 kHz USB: channel 5 holds it"
            << "";
        QTest::newRow("bad time") << QStringList{"--into", "0", "--at", "2400", "--dry-run"} << 2
                                  << "--at must be"
                                  << "";
        QTest::newRow("no such band")
            << QStringList{"--into", "0", "--band", "99m", "--dry-run"} << 2 << "--band 99m is no band"
            << "";
        QTest::newRow("days unknown")
            << QStringList{"--into", "0", "--days", "irr", "--dry-run"} << 2 << "--days must be"
            << "";
        QTest::newRow("no start") << QStringList{"-o", "@out"} << 2 << "needs --into"
                                  << "";
    }

    // Schedules go into empty channels or nowhere: a refusal writes no file.
    void importSchedule()
    {
        QFETCH(QStringList, options);
        QFETCH(int, exitCode);
        QFETCH(QString, err);
        QFETCH(QString, out);
        QFile::remove(path("out.TV4"));
        const QString sked = qEnvironmentVariable("KTV4_SOURCE_DIR") + "/tests/files/data/sked-test.csv";
        QVERIFY(writeAll(path("held.csv"), "KT-V4,MEMORY,5,4319000,USB,0,FAST,WIDE,OFF,N,\r\n"));
        QCOMPARE(cli({"import-csv", path("good.TV4"), path("held.csv"), "-o", path("held.TV4")}).exitCode, 0);
        const Run r = cli(QStringList{"import-schedule", path("held.TV4"), sked} +
                          options.replaceInStrings("@out", path("out.TV4")));
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(r.err.contains(err), qPrintable(r.err));
        const bool written = options.contains("-o") && exitCode == 0;
        QCOMPARE(QFile::exists(path("out.TV4")), written);
        const QString shown = written ? cli({"dump", path("out.TV4")}).out : r.out;
        QVERIFY2(shown.contains(out), qPrintable(shown));
    }

    void arrangeAndDuplicates_data()
    {
        QTest::addColumn<QStringList>("arguments"); // arrange's after "arrange mixed.TV4 -o out.TV4"
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out"); // standard output, or the start of the error stream
        QTest::newRow("frequency, packed, gaps between bands")
            << QStringList{"--by", "frequency", "--range", "A 0-A99", "--pack", "--gap"} << 0
            << "A1 -> A0\nA9 -> A2\nA5 -> A4\n";
        QTest::newRow("name, the places in use kept")
            << QStringList{"--by", "name", "--range", "A0-A9"} << 0 << "A9 -> A1\nA1 -> A5\nA5 -> A9\n";
        QTest::newRow("band then frequency, every bank")
            << QStringList{"--by", "band,frequency"} << 0 << "A9 -> A5\nA5 -> A9\n";
        QTest::newRow("a range outside the channels in use")
            << QStringList{"--by", "name", "--range", "B0-B9"} << 0 << "";
        QTest::newRow("unknown rule") << QStringList{"--by", "size"} << 2 << "ktv4cli arrange: --by must be";
        QTest::newRow("range backwards") << QStringList{"--by", "name", "--range", "A9-A1"} << 2
                                         << "ktv4cli arrange: --range A9-A1 names no channels";
    }

    // The moves are printed one per line; arranging the result again moves nothing.
    void arrangeAndDuplicates()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFile::remove(path("out.TV4"));
        const Run r = cli(QStringList{"arrange", path("mixed.TV4"), "-o", path("out.TV4")} + arguments);
        QCOMPARE(r.exitCode, exitCode);
        if (exitCode != 0) {
            QVERIFY2(r.err.startsWith(out), qPrintable(r.err));
            QVERIFY(!QFile::exists(path("out.TV4")));
            return;
        }
        QCOMPARE(r.out, out);
        const Run again = cli(QStringList{"arrange", path("out.TV4"), "-o", path("out2.TV4")} + arguments);
        QCOMPARE(again.out, QString());
        QCOMPARE(cli({"dump", "--duplicates", path("out.TV4")}).out.count(QStringLiteral(" repeats ")), 1);
        QCOMPARE(cli({"dump", "--duplicates", path("mixed.TV4")}).out,
                 QStringLiteral("A  1   7.100.000 LSB FORTY    repeats 3\n"));
    }

    void printToPdf_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("first"); // the channels printed, by their CSV numbers
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("pages"); // 0: as many as the list needs
        QTest::addColumn<QString>("paper");
        QTest::newRow("list, A4") << QStringList{} << 0 << 603 << 0 << "595 x 842";
        QTest::newRow("list, Letter") << QStringList{"--paper", "letter"} << 0 << 603 << 0 << "612 x 792";
        QTest::newRow("cards, 150 a page") << QStringList{"--layout", "card"} << 0 << 603 << 5 << "595 x 842";
        QTest::newRow("cards of a range")
            << QStringList{"--layout", "card", "--range", "10-159"} << 10 << 159 << 1 << "595 x 842";
    }

    // The PDF read back as text: every channel's frequency and name once, the file's Japanese name
    // on every page, "Page N of M" on each of the M pages.
    void printToPdf()
    {
        QFETCH(QStringList, options);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(int, pages);
        QFETCH(QString, paper);
        const QString pdf = path("out.pdf");
        const Run printed = cli(QStringList{"print", path("受信機.TV4"), "-o", pdf} + options);
        QVERIFY2(printed.exitCode == 0, qPrintable(printed.err));
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY2(info.waitForFinished(), "pdfinfo (poppler-utils) must be installed");
        const QString facts = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(facts.contains(paper), qPrintable(facts));
        const int count =
            QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(facts).captured(1).toInt();
        QVERIFY(pages == 0 ? count > 1 : count == pages);
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished());
        const QString words = QString::fromUtf8(text.readAllStandardOutput());
        QCOMPARE(words.count(QStringLiteral("受信機.TV4")), count);
        for (int page = 1; page <= count; ++page)
            QVERIFY(words.contains(QStringLiteral("Page %1 of %2").arg(page).arg(count)));
        QVERIFY(!words.contains(QStringLiteral("Page %1 of").arg(count + 1)));
        for (int ch = 0; ch < 604; ++ch) {
            const bool wanted = ch >= first && ch <= last;
            const QString frequency = QStringLiteral("%1.%2.000")
                                          .arg((1800 + ch) / 1000)
                                          .arg((1800 + ch) % 1000, 3, 10, QLatin1Char('0'));
            QVERIFY2(words.count(frequency) == (wanted ? 1 : 0), qPrintable(frequency));
            QVERIFY2(words.contains(QRegularExpression(QStringLiteral("\\bN%1\\b").arg(ch))) == wanted,
                     qPrintable(frequency));
        }
    }

    void usage()
    {
        QCOMPARE(cli({}).exitCode, 2);
        QCOMPARE(cli({"frobnicate"}).exitCode, 2);
        QCOMPARE(cli({"convert", path("x.TV4")}).exitCode, 2); // no -o
        QCOMPARE(cli({"new", "--model", "7", "-o", path("m.TV4")}).exitCode, 2);
        QCOMPARE(cli({"convert", "--to", "yaml", path("good.TV4"), "-o", path("m.TV4")}).exitCode, 2);
        QCOMPARE(cli({"convert", "--to", "json", path("good.TV4"), "-o", "-"}).exitCode, 2);
        const Run help = cli({"--help"});
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.contains("import-csv"));
        // A command's help names the command as the user types it, not the program's path.
        const Run commandHelp = cli({"export-csv", "--help"});
        QCOMPARE(commandHelp.out.section(QLatin1Char('\n'), 0, 0),
                 QStringLiteral("Usage: ktv4cli export-csv [options] IN.TV4"));
        QCOMPARE(cli({"convert", "a", "b", "-o", "c"}).err.contains("expects 1 file argument\n"), true);
    }

    void hostileOutputs_data()
    {
        QTest::addColumn<QString>("script"); // run by sh in the folder; "$0" is ktv4cli
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");

        QTest::newRow("FIFO") << R"sh("$0" export-csv good.TV4 -o fifo)sh" << 1
                              << "fifo is a FIFO (named pipe)";
        QTest::newRow("socket") << R"sh("$0" convert good.TV4 -o socket)sh" << 1 << "socket is a socket";
        if (m_haveDevice)
            QTest::newRow("device node") << R"sh("$0" new -o device)sh" << 1 << "device is a device";
        QTest::newRow("folder") << R"sh("$0" convert good.TV4 -o folder)sh" << 1 << "folder is a folder";
        QTest::newRow("missing folder, before reading the radio")
            << R"sh("$0" read --port /dev/no-such-radio -o nowhere/x.TV4)sh" << 1 << "no folder";
        QTest::newRow("two outputs, one file")
            << R"sh("$0" import-csv good.TV4 full.csv -o x.TV4 --csv-out ./folder/../x.TV4)sh" << 2
            << "-o and --csv-out are the same file";
        QTest::newRow("clone file over itself") << R"sh("$0" import-csv good.TV4 full.csv -o ./good.TV4)sh"
                                                << 2 << "IN.TV4 and -o are the same file";
        QTest::newRow("trace over the file being written")
            << R"sh("$0" write good.TV4 --port /dev/no-such-radio --trace good.TV4)sh" << 2
            << "IN.TV4 and --trace are the same file";
        QTest::newRow("both to standard output")
            << R"sh("$0" import-csv good.TV4 full.csv -o - --csv-out -)sh" << 2 << "are the same file";
        // A file system that fills up half-way (the file size limit stands in for a full disk).
        QTest::newRow("full disk") << R"sh(trap '' XFSZ; ulimit -f 8; "$0" export-csv full.TV4 -o old.csv)sh"
                                   << 1 << "File too large";
        // Standard output is checked like any file: a list that did not arrive is a failure.
        QTest::newRow("CSV to a full standard output")
            << R"sh("$0" export-csv full.TV4 -o - >/dev/full)sh" << 1 << "No space left on device";
        QTest::newRow("dump to a full disk")
            << R"sh("$0" dump full.TV4 >/dev/full)sh" << 1 << "No space left on device";
        QTest::newRow("dump --json to a full disk")
            << R"sh("$0" dump --json full.TV4 >/dev/full)sh" << 1 << "No space left on device";
        QTest::newRow("backups --json to a full disk")
            << R"sh("$0" backups --json >/dev/full)sh" << 1 << "No space left on device";
        QTest::newRow("diff to a full disk, trouble as for diff(1)")
            << R"sh("$0" diff good.TV4 full.TV4 >/dev/full)sh" << 2 << "No space left on device";
    }

    void hostileOutputs()
    {
        QFETCH(QString, script);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const QStringList before = snapshot(m_dir.path());
        const Run r = shell(m_dir.path(), script);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QCOMPARE(snapshot(m_dir.path()), before);
    }

    void hostileInputs_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("message");
        QTest::newRow("huge clone file")
            << R"sh("$0" convert huge.TV4 -o out.TV4)sh"
            << "Data Error\n  (huge.TV4: the file has 2147483648 bytes, more than the "
               "1048576 it may have; a clone file has 40196)";
        QTest::newRow("huge CSV file")
            << R"sh("$0" import-csv good.TV4 big.csv -o out.TV4)sh"
            << "File Open Error\n  (the file has 17825792 bytes, more than the 16777216";
        QTest::newRow("endless device") << R"sh("$0" dump /dev/zero)sh"
                                        << "/dev/zero is a device, not a regular file";
        QTest::newRow("FIFO") << R"sh("$0" import-csv good.TV4 fifo -o out.TV4)sh"
                              << "fifo is a FIFO";
        QTest::newRow("huge schedule")
            << R"sh("$0" import-schedule good.TV4 big.csv --into 0 -o out.TV4)sh"
            << "File Open Error\n  (the file has 17825792 bytes, more than the 16777216";
    }

    // Refused at once, without reading, without waiting, without writing.
    void hostileInputs()
    {
        QFETCH(QString, script);
        QFETCH(QString, message);
        const QStringList before = snapshot(m_dir.path());
        const Run r = shell(m_dir.path(), script);
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QCOMPARE(snapshot(m_dir.path()), before);
    }

    void cleanupTestCase() { ::close(m_socket); }

    // A name that is not UTF-8 is read and written under its own bytes; "-" is standard output.
    void namesKeepTheirBytes()
    {
        const QString script =
            R"sh(cp good.TV4 "$(printf 'caf\351.TV4')" && )sh"
            R"sh("$0" convert "$(printf 'caf\351.TV4')" -o "$(printf 'na\357ve.TV4')" && )sh"
            R"sh("$0" convert "$(printf 'na\357ve.TV4')" -o - | cmp - good.TV4)sh";
        const Run r = shell(m_dir.path(), script);
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QCOMPARE(shell(m_dir.path(), R"sh(cmp "$(printf 'na\357ve.TV4')" good.TV4)sh").exitCode, 0);
        shell(m_dir.path(), R"sh(rm "$(printf 'caf\351.TV4')" "$(printf 'na\357ve.TV4')")sh");
    }

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
    int m_socket = -1;
    bool m_haveDevice = false;
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
