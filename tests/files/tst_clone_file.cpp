// SPDX-License-Identifier: GPL-3.0-or-later
// Clone files on disk: layout, every check of the loader and its message, and the guarantees
// that a failed load or save never leaves the program or the disk with mixed data; saves that
// fail at each step, names that keep their bytes, and the automatic backups.

#include "base/FileAccess.h"
#include "files/Backups.h"
#include "files/CloneDocument.h"
#include "files/FieldReader.h"
#include "files/PortSetting.h"
#include "model/ChannelNaming.h"
#include "model/FieldText.h"
#include "model/RecordText.h"
#include "support/ProcessRunner.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace ktv4;
using ktv4::test::readAll;
using ktv4::test::writeAll;

namespace {

// A full image with odd-but-legal contents: every bank used, lower-case hex, gain 7, tone 0x85.
QByteArray sampleFile(const QString &header = "Orvane KT-V4 T Clone A FileStart")
{
    QList<QByteArray> lines;
    lines << header.toLatin1();
    lines << "A50000000003000E000000000000000000000320010101010808080000000000";
    lines << "0000000000000000000001010101000596800000000000000000000000000000"; // shift -150
    lines << "80030701010000850003000000000000c0cf6a00000000000000000000000000";
    lines << "0001000000000000000000000000000060566C00000000000000000000000000";
    for (int ch = 0; ch < kChannelCount; ++ch) {
        if (ch % 50 == 7)
            lines << "88040701000001850001000000000000E0FD1C003a3b54310000000060566c00";
        else if (ch % 50 == 8)
            lines << "8000000000000000000000000000000008B3D5003A20303000000000A0B5D500";
        else
            lines << QByteArray(64, 'F');
    }
    lines << "Orvane  KT-V4   Clone  File  End";
    return lines.join("\r\n") + "\r\n";
}

int syncFailsWithIo(int)
{
    errno = EIO;
    return -1;
}

} // namespace

class TestCloneFile : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    void newImageFileIsExact()
    {
        CloneDocument doc;
        QVERIFY(doc.save(path("new.TV4")).ok());
        // 610 lines, each ended by CR LF.
        const QList<QByteArray> lines = readAll(path("new.TV4")).split('\n');
        QCOMPARE(lines.mid(0, 5),
                 QList<QByteArray>({"Orvane KT-V4 E Clone 0 FileStart\r",
                                    "A50000000003000E000000000000000000000320010100000808080000000000\r",
                                    "0000000000000000000001010001000500000000000000000000000000000000\r",
                                    "8001000100000000000000000000000060566C00000000000000000000000000\r",
                                    "8001000100000000000000000000000060566C00000000000000000000000000\r"}));
        QCOMPARE(lines.mid(5, 604), QList<QByteArray>(604, QByteArray(64, '0') + '\r'));
        QCOMPARE(lines.mid(609), QList<QByteArray>({"Orvane  KT-V4   Clone  File  End\r", ""}));
    }

    void headers_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<bool>("variantA");
        QTest::addColumn<QString>("header");
        QTest::newRow("J 0") << 0 << false << "Orvane KT-V4 J Clone 0 FileStart";
        QTest::newRow("T 0") << 1 << false << "Orvane KT-V4 T Clone 0 FileStart";
        QTest::newRow("E A") << 2 << true << "Orvane KT-V4 E Clone A FileStart";
        QTest::newRow("PN A") << 3 << true << "Orvane KT-V4 A Clone A FileStart";
        QTest::newRow("none selected") << -1 << false << "Orvane KT-V4 A Clone 0 FileStart";
    }

    void headers()
    {
        QFETCH(int, model);
        QFETCH(bool, variantA);
        QFETCH(QString, header);
        RadioImage image = startupImage();
        const QByteArray bytes = cloneFileBytes(image, model, variantA);
        QCOMPARE(bytes.left(34), header.toLatin1() + "\r\n");
    }

    void loadPutsEveryRecordInItsPlace()
    {
        QVERIFY(writeAll(path("sample.TV4"), sampleFile()));
        CloneDocument doc;
        doc.setDataChanged(true);
        QSignalSpy replaced(&doc, &CloneDocument::imageReplaced);
        const FileResult r = doc.load(path("sample.TV4"));
        QVERIFY2(r.ok(), qPrintable(r.detail));
        QCOMPARE(replaced.size(), 1);
        QCOMPARE(doc.modelIndex(), int(ModelT));
        QVERIFY(doc.cloneVariantA());
        QVERIFY(!doc.dataChanged());
        QCOMPARE(doc.cloneFileName(), path("sample.TV4"));

        // Each record in its place: the shift, VFO A (gain 7, tone 0x85), channels 7, 8 (name ended by
        // 0x20), 9 (empty) and 557.
        const RadioImage &im = doc.image();
        const Vfo &v = im.vfos[0];
        const Channel &c7 = im.channels[7];
        QCOMPARE(QStringList({QString::number(im.settings.values.Slider1), vfoFieldText(v, ColMode),
                              vfoFieldText(v, ColGain), vfoFieldText(v, ColTone),
                              vfoFieldText(v, ColFrequency), channelFieldText(c7, ColSkip), c7.name,
                              channelFieldText(c7, ColFrequency), channelFieldText(c7, ColTone),
                              im.channels[8].name, channelFieldText(im.channels[8], ColFrequency),
                              im.channels[9].inUse ? "used" : "empty", im.channels[557].name}),
                 QStringList({"-150", "CWL", "+10", "On", "7.000.000", "Skip", "AB 1", "1.900.000", "On", "A",
                              "14.005.000", "empty", "AB 1"}));
    }

    void lengthAndHeaderChecks_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        const QList<QByteArray> lines = sampleFile().split('\n');
        const auto with = [&lines](int line, const QByteArray &text) {
            QList<QByteArray> changed = lines;
            changed[line] = text;
            return changed.join('\n');
        };
        const QString dataError = QStringLiteral("Data Error");
        QTest::newRow("300 lines") << lines.mid(0, 300).join('\n') + "\n"
                                   << "File Open Error";
        QTest::newRow("empty file") << QByteArray() << "File Open Error";
        QTest::newRow("63-character block") << with(200, lines[200].mid(1)) << dataError;
        QTest::newRow("header in lower case") << with(0, "orvane KT-V4 T Clone A FileStart\r") << dataError;
        QTest::newRow("header with a trailing blank")
            << with(0, "Orvane KT-V4 T Clone A FileStart \r") << dataError;
        QTest::newRow("block with a trailing blank") << with(20, lines[20].chopped(1) + " \r") << dataError;
        QTest::newRow("comma splits a line")
            << with(10, "8000000000000000,000000000000000000000000000000000000000000000000\r") << dataError;
    }

    void lengthAndHeaderChecks()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QVERIFY(writeAll(path("bad.TV4"), content));
        CloneDocument doc;
        const RadioImage before = doc.image();
        QSignalSpy replaced(&doc, &CloneDocument::imageReplaced);
        const FileResult r = doc.load(path("bad.TV4"));
        QCOMPARE(messageText(r.status), message);
        QCOMPARE(doc.image(), before);
        QVERIFY(replaced.isEmpty() && doc.cloneFileName().isEmpty() && !doc.dataChanged());
        QCOMPARE(doc.modelIndex(), int(ModelE));
    }

    void failedDecodeLeavesDataAsItWas_data()
    {
        QTest::addColumn<int>("line"); // 0-based line to damage
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        const QString fileOpen = QStringLiteral("File Open Error");
        QTest::newRow("end line damaged")
            << 609 << QByteArray("Orvane  KT-V4   Clone  File  Emd") << QStringLiteral("Data Error");
        QTest::newRow("settings byte outside its list")
            << 1 << QByteArray("A50000000003000E000000000000000000000341010101010808080000000000")
            << fileOpen;
        QTest::newRow("shift beyond +-2400")
            << 2 << QByteArray("0000000000000000000001010101000561090000000000000000000000000000")
            << fileOpen;
        QTest::newRow("VFO B mode 6")
            << 4 << QByteArray("8006000100000000000000000000000060566C00000000000000000000000000")
            << fileOpen;
        QTest::newRow("channel 603 mode 6")
            << 608 << QByteArray("8006000100000000000000000000000060566C00000000000000000000000000")
            << fileOpen;
    }

    // Nothing of a file that fails is taken, not even its matched header, whichever line fails.
    void failedDecodeLeavesDataAsItWas()
    {
        QFETCH(int, line);
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        QList<QByteArray> lines = sampleFile("Orvane KT-V4 J Clone 0 FileStart").split('\n');
        lines[line] = text + '\r';
        QVERIFY(writeAll(path("decode.TV4"), lines.join('\n')));

        CloneDocument doc;
        QVERIFY(writeAll(path("first.TV4"),
                         sampleFile("Orvane KT-V4 E Clone A FileStart").replace("3a3b5431", "3E3F4041")));
        QVERIFY(doc.load(path("first.TV4")).ok());
        const RadioImage before = doc.image();

        const FileResult r = doc.load(path("decode.TV4"));
        QCOMPARE(messageText(r.status), message);
        QCOMPARE(doc.image(), before); // nothing of the second file is mixed in
        QCOMPARE(doc.cloneFileName(), path("first.TV4"));
        QCOMPARE(doc.modelIndex(), int(ModelE));
        QVERIFY(doc.cloneVariantA() && !doc.dataChanged());
    }

    void missingFileAndTrailingData()
    {
        CloneDocument doc;
        QCOMPARE(doc.load(path("nothing-here.TV4")).status, FileStatus::FileOpenError);
        // Anything after the end line is not read.
        QVERIFY(writeAll(path("tail.TV4"), sampleFile() + "garbage,\"more\r\n"));
        QVERIFY(doc.load(path("tail.TV4")).ok());
        // Quoted lines and lone LF line ends are read as fields.
        QByteArray quoted = sampleFile();
        quoted.replace("\r\n", "\n");
        quoted.replace("A50000000003000E000000000000000000000320010101010808080000000000",
                       "  \"A50000000003000E000000000000000000000320010101010808080000000000\"");
        QVERIFY(writeAll(path("quoted.TV4"), quoted));
        QVERIFY(doc.load(path("quoted.TV4")).ok());
    }

    void saveAndCaptionRules()
    {
        CloneDocument doc;
        QSignalSpy captions(&doc, &CloneDocument::captionChanged);
        doc.selectModel(ModelT);
        QVERIFY(doc.dataChanged());
        QVERIFY(doc.save(path("a.TV4")).ok());
        QVERIFY(!doc.dataChanged());
        QCOMPARE(captions.last().at(0).toString(), QStringLiteral("Orvane KT-V4 Clone Utility - a.TV4"));

        doc.image().channels[3].inUse = true;
        doc.newImage();
        QVERIFY(!doc.image().channels[3].inUse);
        QCOMPARE(doc.caption(), appTitle());
        QVERIFY(doc.cloneFileName().isEmpty());
        QCOMPARE(doc.modelIndex(), int(ModelT)); // New keeps the model option
        doc.selectModel(ModelJ);
        doc.newImage();
        QCOMPARE(doc.image().vfos[1].frequency, 7'050'000);
    }

    void fieldReaderRules()
    {
        // Leading blanks are skipped; the rest of an unquoted field, trailing blanks included, is kept.
        FieldReader r("  a b ,\"x,y\"  junk,\r\n\"q\"\rlast\nend");
        QStringList fields;
        while (const auto field = r.readField())
            fields << *field;
        QCOMPARE(fields, QStringList({"a b ", "x,y", "", "q", "last", "end"}));
        QVERIFY(r.atEnd());
        FieldReader unterminated("\"open");
        QCOMPARE(*unterminated.readField(), QStringLiteral("open"));
        QVERIFY(unterminated.atEnd());
    }

    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void namesOrderAndPruning()
    {
        QTemporaryDir dir;
        BackupStore store(dir.path() + QStringLiteral("/backups"), 4);
        CloneDocument document;
        const QDateTime t0(QDate(2026, 12, 7), QTime(10, 42, 33));
        const struct {
            int secondsLater;
            int model;
            BackupReason reason;
            BackupScope scope;
            const char *name;
        } saves[] = {
            {0, ModelE, BackupReason::Read, BackupScope::All, "2026-12-07_104233_KT-V4E_read_all.TV4"},
            {0, ModelE, BackupReason::Read, BackupScope::Memory,
             "2026-12-07_104233_KT-V4E_read_memory-2.TV4"},
            {1, ModelPN, BackupReason::Write, BackupScope::Changes,
             "2026-12-07_104234_PN-31-32_write_changes.TV4"},
            {2, ModelJ, BackupReason::Write, BackupScope::All, "2026-12-07_104235_KT-V4J_write_all.TV4"},
            {3, ModelT, BackupReason::Read, BackupScope::Settings,
             "2026-12-07_104236_KT-V4T_read_settings.TV4"},
            // As backups were named before they said what they hold.
            {4, ModelE, BackupReason::Write, BackupScope::Unknown, "2026-12-07_104237_KT-V4E_write.TV4"},
        };
        for (const auto &s : saves) {
            QString path;
            QVERIFY(store
                        .save(documentBackupBytes(document), s.model, s.reason, s.scope,
                              t0.addSecs(s.secondsLater), &path)
                        .ok());
            QCOMPARE(QFileInfo(path).fileName(), QString::fromLatin1(s.name));
        }
        QFile(dir.filePath(QStringLiteral("backups/notes.TV4"))).open(QIODevice::WriteOnly);

        // The newest four, newest first; the two oldest are gone, other files stay.
        const QList<BackupEntry> kept = store.list();
        QStringList names;
        for (const BackupEntry &b : kept)
            names << QFileInfo(b.path).fileName();
        QCOMPARE(names, QStringList({saves[5].name, saves[4].name, saves[3].name, saves[2].name}));
        QCOMPARE(kept.first().time, t0.addSecs(4));
        QCOMPARE(kept.first().model, QStringLiteral("KT-V4E"));
        QCOMPARE(kept.first().reason, BackupReason::Write);
        QCOMPARE(kept.first().scope, BackupScope::Unknown);
        QCOMPARE(kept[1].scope, BackupScope::Settings);
        QCOMPARE(BackupStore::scopeText(kept[1].scope), QStringLiteral("settings and VFOs"));
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("backups/notes.TV4"))));
        QCOMPARE(BackupStore::channelsInUse(kept.first().path), 0);
    }

    // Unset or not a number: the default; 0 keeps one.
    void keptCountFromTheSettings()
    {
        QTemporaryDir dir;
        QSettings settings(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
        QCOMPARE(backupsKept(settings), kDefaultBackupsKept);
        const std::pair<QVariant, int> rows[] = {
            {20, 20}, {0, 1}, {QStringLiteral("many"), kDefaultBackupsKept}};
        for (const auto &[stored, kept] : rows) {
            settings.setValue(QStringLiteral("Settings/BackupsKept"), stored);
            QCOMPARE(backupsKept(settings), kept);
        }
    }

    void radioBackupHoldsTheRadiosOwnRecords()
    {
        CloneDocument document;
        document.image().channels[3].inUse = false;
        const QByteArray raw = "80010000000000000000000000000000D0936B00313233000000000000000000";
        document.radio().setRecord(channelAddress(3), parseRecordText(QString::fromLatin1(raw)));
        document.radio().setIdentity({ModelJ, true});

        const QByteArray bytes = radioBackupBytes(document);
        QVERIFY(bytes.startsWith("Orvane KT-V4 J Clone A FileStart\r\n"));
        QVERIFY(bytes.contains("\r\n" + raw + "\r\n"));
        const CloneLoadResult load = parseCloneFile(bytes);
        QVERIFY(load.result.ok());
        QVERIFY(load.image.channels[3].inUse);
        QCOMPARE(load.image.channels[4], document.image().channels[4]);
        // Placed in the default folder of the data location.
        QVERIFY(BackupStore::defaultFolder().startsWith(
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)));
    }
    void failedSaveKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("syncFails");
        QTest::addColumn<QString>("reason");
        QTest::newRow("disk refuses the sync") << "a.TV4" << true << "cannot write to the disk";
        QTest::newRow("folder instead of a file") << "sub" << false << "is a folder, not a regular file";
        QTest::newRow("missing folder") << "none/a.TV4" << false << "no folder";
    }

    void failedSaveKeepsTheOldFile()
    {
        QFETCH(QString, name);
        QFETCH(bool, syncFails);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("sub"));
        const QString path = dir.filePath(name);
        QVERIFY(saveWholeFile(dir.filePath("a.TV4"), "old").ok());
        const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);

        const FileResult result = saveWholeFile(path, "new", syncFails ? syncFailsWithIo : nullptr);
        QCOMPARE(result.status, FileStatus::FileOpenError);
        QVERIFY2(result.detail.contains(reason), qPrintable(result.detail));
        if (syncFails)
            QVERIFY(result.detail.endsWith(qt_error_string(EIO)));
        QCOMPARE(readAll(dir.filePath("a.TV4")), QByteArray("old"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System), before);
    }

    // The new file's name fits beside a name of 255 bytes (cut at a character's start), and a save
    // removes the leftovers of killed saves to the same file that no process holds, nothing else.
    void saveBesideTheTarget_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("prefix"); // of the new file's name
        QTest::newRow("short") << QByteArray("a.TV4") << QByteArray("a.TV4.tmp");
        QTest::newRow("255 bytes") << QByteArray(251, 'n') + ".TV4" << QByteArray(245, 'n') + ".tmp";
        QTest::newRow("255 bytes, a character across the cut")
            << QByteArray(244, 'n') + "\xC3\xA9" + QByteArray(9, 'x') << QByteArray(244, 'n') + ".tmp";
    }

    void saveBesideTheTarget()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, prefix);
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path()) + '/';
        auto names = [&dir] {
            QList<QByteArray> entries;
            for (const QString &entry :
                 QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System))
                entries << QFile::encodeName(entry);
            return entries;
        };
        QList<QByteArray> kept = {prefix + "Held01", prefix + "AbC12",  prefix + "AbC1234",
                                  prefix + "Ab-123", prefix + "Link01", "other.TV4.tmpAbC123"};
        kept.removeIf([](const QByteArray &entry) { return entry.size() > 255; });
        for (const QByteArray &leftover : kept + QList<QByteArray>{prefix + "AbC123", prefix + "zz9ZZ9"})
            QVERIFY(writeAll(QFile::decodeName(folder + leftover), "half"));
        QFile::remove(QFile::decodeName(folder + prefix + "Link01"));
        QVERIFY(QFile::link(QFile::decodeName(folder + "other.TV4.tmpAbC123"),
                            QFile::decodeName(folder + prefix + "Link01")));
        const int held = ::open(folder + prefix + "Held01", O_RDONLY);
        QVERIFY(held >= 0 && ::flock(held, LOCK_EX) == 0); // a save still writing it

        QVERIFY(saveWholeFile(pathFromNative(folder + name), "new").ok());
        ::close(held);
        QCOMPARE(readAll(QFile::decodeName(folder + name)), QByteArray("new"));
        QList<QByteArray> expected = kept + QList<QByteArray>{name};
        std::sort(expected.begin(), expected.end());
        QList<QByteArray> found = names();
        std::sort(found.begin(), found.end());
        QCOMPARE(found, expected);
    }

    // A file of exactly the size a reader allows is read; one byte more is refused unread.
    void readUpToTheLimit_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("read");
        QTest::newRow("at the limit") << 16 << true;
        QTest::newRow("one byte over") << 17 << false;
    }

    void readUpToTheLimit()
    {
        QFETCH(int, size);
        QFETCH(bool, read);
        QVERIFY(writeAll(path("sized"), QByteArray(size, 'x')));
        const FileRead result = readWholeFile(path("sized"), 16, FileStatus::DataError);
        QCOMPARE(result.result.status, read ? FileStatus::Ok : FileStatus::DataError);
        QCOMPARE(result.bytes.size(), read ? size : 0);
    }

    // The port file: ports 1 to 14; anything else is port 1.
    void portFileNumbers_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("port");
        const std::pair<const char *, int> rows[] = {{"7\r\n", 7}, {"14\r\n", 14}, {"15\r\n", 1},
                                                     {"0\r\n", 1}, {"-3\r\n", 1},  {"x\r\n", 1}};
        for (const auto &[content, port] : rows)
            QTest::addRow("%s", QByteArray(content).trimmed().constData()) << QByteArray(content) << port;
    }

    void portFileNumbers()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, port);
        QCOMPARE(portNumberFromFile(content), port);
    }

    // Any bytes as a name come back as the same bytes; UTF-8 names read as their text.
    void namesKeepTheirBytes()
    {
        QCOMPARE(pathFromNative("caf\xC3\xA9"), QStringLiteral("caf\u00E9"));
        // In a name that is not UTF-8 as a whole, the sequences that are keep their characters.
        QCOMPARE(pathFromNative("\xC2\xA9\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBD\xF0\x9F\x93\xBB\xFF"),
                 QStringLiteral("\u00A9\u07FF\u0800\uFFFD\U0001F4FB") + QChar(0xDCFF));
        auto *random = QRandomGenerator::global();
        for (int i = 0; i < 2000; ++i) {
            QByteArray bytes(random->bounded(1, 12), Qt::Uninitialized);
            for (char &c : bytes)
                c = char(random->bounded(1, 256));
            QCOMPARE(nativePath(pathFromNative(bytes)), bytes);
        }
    }

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }
};

QTEST_GUILESS_MAIN(TestCloneFile)
#include "tst_clone_file.moc"
