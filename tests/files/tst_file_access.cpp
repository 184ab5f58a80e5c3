// Saves that fail at each step leave the old file and nothing else; file names keep their bytes.

#include "files/FileAccess.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

using namespace ktv4;

namespace {

int syncFailsWithIo(int)
{
    errno = EIO;
    return -1;
}

QByteArray contentOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

} // namespace

class TestFileAccess : public QObject {
    Q_OBJECT
private slots:
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
        QCOMPARE(contentOf(dir.filePath("a.TV4")), QByteArray("old"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System), before);
    }

    // Any bytes as a name come back as the same bytes; UTF-8 names read as their text.
    void namesKeepTheirBytes()
    {
        QCOMPARE(pathFromNative("caf\xC3\xA9"), QStringLiteral("caf\u00E9"));
        auto *random = QRandomGenerator::global();
        for (int i = 0; i < 2000; ++i) {
            QByteArray bytes(random->bounded(1, 12), Qt::Uninitialized);
            for (char &c : bytes)
                c = char(random->bounded(1, 256));
            QCOMPARE(nativePath(pathFromNative(bytes)), bytes);
        }
    }
};

QTEST_GUILESS_MAIN(TestFileAccess)
#include "tst_file_access.moc"
