// Automatic backups: names, order, pruning, and what a backup of the radio holds.

#include "files/Backups.h"
#include "files/CloneDocument.h"
#include "model/ChannelNaming.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace ktv4;

class TestBackups : public QObject {
    Q_OBJECT
private slots:
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
            const char *name;
        } saves[] = {
            {0, ModelE, BackupReason::Read, "2026-12-07_104233_KT-V4E_read.TV4"},
            {0, ModelE, BackupReason::Read, "2026-12-07_104233_KT-V4E_read-2.TV4"},
            {1, ModelPN, BackupReason::Write, "2026-12-07_104234_PN-31-32_write.TV4"},
            {2, ModelJ, BackupReason::Write, "2026-12-07_104235_KT-V4J_write.TV4"},
            {3, ModelT, BackupReason::Read, "2026-12-07_104236_KT-V4T_read.TV4"},
            {4, ModelE, BackupReason::Write, "2026-12-07_104237_KT-V4E_write.TV4"},
        };
        for (const auto &s : saves) {
            QString path;
            QVERIFY(
                store
                    .save(documentBackupBytes(document), s.model, s.reason, t0.addSecs(s.secondsLater), &path)
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
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("backups/notes.TV4"))));
        QCOMPARE(BackupStore::channelsInUse(kept.first().path), 0);

        // A folder that cannot be made: the save says why.
        QVERIFY(QFile(dir.filePath(QStringLiteral("file"))).open(QIODevice::WriteOnly));
        BackupStore blocked(dir.filePath(QStringLiteral("file/backups")));
        const FileResult failed = blocked.save(QByteArray("x"), ModelE, BackupReason::Read);
        QCOMPARE(failed.status, FileStatus::FileOpenError);
        QVERIFY(!failed.detail.isEmpty());
    }

    void keptCountFromTheSettings_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("kept");
        QTest::newRow("unset") << QVariant() << kDefaultBackupsKept;
        QTest::newRow("20") << QVariant(20) << 20;
        QTest::newRow("0 keeps one") << QVariant(0) << 1;
        QTest::newRow("not a number") << QVariant(QStringLiteral("many")) << kDefaultBackupsKept;
    }

    void keptCountFromTheSettings()
    {
        QFETCH(QVariant, stored);
        QFETCH(int, kept);
        QTemporaryDir dir;
        QSettings settings(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
        if (stored.isValid())
            settings.setValue(QStringLiteral("Settings/BackupsKept"), stored);
        QCOMPARE(backupsKept(settings), kept);
    }

    void radioBackupHoldsTheRadiosOwnRecords()
    {
        CloneDocument document;
        document.image().channels[3].inUse = false;
        const QString raw =
            QStringLiteral("80010000000000000000000000000000d0936b00313233000000000000000000");
        document.radio().setRecord(channelAddress(3), raw);
        document.radio().setRecord(channelAddress(4),
                                   QString(kRecordChars, QLatin1Char(','))); // not loadable
        document.radio().setIdentity({ModelJ, true});

        const QByteArray bytes = radioBackupBytes(document);
        QVERIFY(bytes.startsWith("Orvane KT-V4 J Clone A FileStart\r\n"));
        QVERIFY(bytes.contains("\r\n" + raw.toLatin1() + "\r\n"));
        const CloneLoadResult load = parseCloneFile(bytes, startupImage());
        QVERIFY(load.result.ok());
        QVERIFY(load.image.channels[3].inUse);
        QCOMPARE(load.image.channels[4], document.image().channels[4]);
        // Placed in the default folder of the data location.
        QVERIFY(BackupStore::defaultFolder().startsWith(
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)));
    }
};

QTEST_GUILESS_MAIN(TestBackups)
#include "tst_backups.moc"
