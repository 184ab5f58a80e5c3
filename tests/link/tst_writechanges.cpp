// SPDX-License-Identifier: GPL-3.0-or-later
// Writing only what changed, resuming a write that stopped, and the read-back check, against the
// virtual radio; and the command line's diff, backups, write --changes-from and verify.

#include "RadioFixture.h"
#include "files/ImageFile.h"
#include "model/ImageDiff.h"
#include "support/ProcessRunner.h"
#include "support/SimProcess.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

using namespace fixture;
using namespace ktv4::test;

namespace {

const QList<int> kChangedChannels{0, 79, 80, 300, 603};

// The program's image is the radio's, once read; then these channels are renamed.
void readThenEdit(Radio &r, const QList<int> &channels)
{
    QCOMPARE(r.run(Operation::ReadAll).outcome, TransferOutcome::Completed);
    QCOMPARE(r.document.radio().knownCount(), kRecordCount);
    for (const int n : channels)
        r.document.image().channels[n].name = QStringLiteral("NEW%1").arg(n);
    r.radio.clearLog();
    r.progress.clear();
}

// The image's channels as Write Changes sends them; `foreign`: the image holds reserved byte 5
// flipped, which the write leaves as the radio holds it.
QList<QByteArray> writeLines(const Radio &r, const QList<int> &channels, bool foreign = false)
{
    QList<QByteArray> lines{"KTSV4\r\n"};
    for (const int n : channels) {
        RecordBytes record = encodeChannel(r.image().channels[n]);
        record[5] ^= foreign ? 0x01 : 0;
        lines << writeLine(channelAddress(n), recordText(record));
    }
    lines << "OV~E\r\n";
    return lines;
}

} // namespace

class TestWriteChanges : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // Backups of the command line's reads and writes go here, not to the user's folder.
        qputenv("XDG_DATA_HOME", m_dir.filePath(QStringLiteral("data")).toLocal8Bit());
    }

    void sendsExactlyTheDifferingRecords_data()
    {
        QTest::addColumn<QList<int>>("channels");
        QTest::addColumn<bool>("verify");
        QTest::addColumn<bool>("foreign"); // the image's records carry a byte the radio's do not
        QTest::newRow("five channels") << kChangedChannels << false << false;
        QTest::newRow("five channels, read back") << kChangedChannels << true << false;
        QTest::newRow("five channels, a byte no field covers") << kChangedChannels << true << true;
        QTest::newRow("nothing changed") << QList<int>() << true << false;
    }

    void sendsExactlyTheDifferingRecords()
    {
        QFETCH(QList<int>, channels);
        QFETCH(bool, verify);
        QFETCH(bool, foreign);
        Radio r;
        readThenEdit(r, channels);
        for (const int n : channels)
            r.document.image().channels[n].base[5] ^= foreign ? 0x01 : 0;
        r.transfer.setVerifyWrites(verify);
        const TransferResult result = r.run(Operation::WriteChanges);
        QCOMPARE(result.outcome, TransferOutcome::Completed);
        if (channels.isEmpty()) {
            QVERIFY(r.lines().isEmpty()); // nothing goes on the line
            return;
        }
        QList<QByteArray> expected = writeLines(r, channels, foreign);
        if (verify) {
            for (const int n : channels)
                expected << readLine(channelAddress(n));
            expected << "OV~E\r\n";
        }
        QCOMPARE(r.lines(), expected);
        QCOMPARE(result.verifiedRecords, verify ? int(channels.size()) : 0);
        QCOMPARE(r.progress, verify ? channels + channels : channels); // each channel as it goes out
        QCOMPARE(imageRecords(r.radio.image()) == imageRecords(r.image()), !foreign);
        QVERIFY(planWrite(Operation::WriteChanges, r.image(), r.document.radio()).isEmpty());
    }

    // A write refused at the third changed record: the next Write Changes reads that record first,
    // as the radio may or may not have stored it, and sends only the rest.
    void resumesAfterAFailure()
    {
        sim::RadioSetup setup = Radio::unpaced();
        setup.badAckAt = sim::CommandTarget::block(channelAddress(kChangedChannels[2]));
        Radio r(setup);
        readThenEdit(r, kChangedChannels);
        const TransferResult stopped = r.run(Operation::WriteChanges);
        QCOMPARE(stopped.outcome, TransferOutcome::BadReply);
        QCOMPARE(r.lines(), writeLines(r, kChangedChannels).mid(0, 4));
        QCOMPARE(writtenSummary(stopped),
                 QStringLiteral("Channels 0 and 79 were written; channels 80, A100 and B-P2 were not."));

        r.radio.setSetup(Radio::unpaced());
        r.radio.clearLog();
        QCOMPARE(r.run(Operation::WriteChanges).outcome, TransferOutcome::Completed);
        QCOMPARE(r.lines(), QList<QByteArray>({readLine(channelAddress(kChangedChannels[2])), "OV~E\r\n"}) +
                                writeLines(r, kChangedChannels.mid(2)));
        QVERIFY(imageRecords(r.radio.image()) ==
                imageRecords(r.image())); // the radio holds what the image makes
    }

    // The radio acknowledges a record but stores something else: the read-back names it, for
    // every kind of write.
    void readBackCatchesWhatWasNotStored_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<int>("address");
        QTest::addColumn<int>("written");
        QTest::newRow("changes, channel 80") << int(Operation::WriteChanges) << channelAddress(80) << 5;
        QTest::newRow("settings, VFO B") << int(Operation::WriteSettings) << kVfoBAddress << 4;
        QTest::newRow("ALL, last channel") << int(Operation::WriteAll) << channelAddress(603) << kRecordCount;
    }

    void readBackCatchesWhatWasNotStored()
    {
        QFETCH(int, operation);
        QFETCH(int, address);
        QFETCH(int, written);
        sim::RadioSetup setup = Radio::unpaced();
        setup.corruptAt = sim::CommandTarget::block(address);
        Radio r(setup);
        readThenEdit(r, kChangedChannels);
        r.transfer.setVerifyWrites(true);
        const TransferResult result = r.run(Operation(operation));
        QCOMPARE(result.outcome, TransferOutcome::VerifyFailed);
        QCOMPARE(result.mismatchedRecords, QList<int>{address});
        QCOMPARE(result.verifiedRecords, written - 1);
        QVERIFY(result.detail.contains(recordLabel(address).simplified()));
        // What the radio really holds is now known, so the next Write Changes sends it again.
        QVERIFY(
            planWrite(Operation::WriteChanges, r.image(), r.document.radio()).addresses().contains(address));
        QCOMPARE(r.lines().last(), QByteArray("OV~E\r\n"));
    }

    void diffExitCodesAndJson()
    {
        const QString a = m_dir.filePath(QStringLiteral("a.TV4"));
        const QString b = m_dir.filePath(QStringLiteral("b.TV4"));
        RadioImage image = radioImage();
        QVERIFY(writeCloneFile(a, image, ModelE, false).ok());
        image.channels[210].name = QStringLiteral("DX");
        image.channels[0] = Channel{};
        image.settings.values.cmbBeep = 0;
        QVERIFY(writeCloneFile(b, image, ModelJ, false).ok());

        QCOMPARE(cli({"diff", a, a}).exitCode + cli({"diff", a}).exitCode, 0 + 2);
        const Run text = cli({"diff", a, b});
        QCOMPARE(text.exitCode, 1);
        QVERIFY2(text.out.startsWith(QStringLiteral("Model: KT-V4E → KT-V4J\n")), qPrintable(text.out));
        QVERIFY(text.out.contains(QStringLiteral("A 10: Name R210 → DX\n")));

        const Run json = cli({"diff", "--json", a, b});
        QCOMPARE(json.exitCode, 1);
        const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QCOMPARE(o["model"].toObject()["after"].toString(), QStringLiteral("KT-V4J"));
        QCOMPARE(o["channels"].toArray()[0].toObject()["change"].toString(), QStringLiteral("removed"));
        QCOMPARE(o["records"].toArray().toVariantList(),
                 QVariantList({"0300", addressText(channelAddress(0)), addressText(channelAddress(210))}));
    }

    // write --changes-from --verify and the backup it leaves, over ktv4sim. (verify reads the whole
    // radio at the radio's pace; the read-back above covers its comparison.)
    void commandLineWritesChangesAndVerifies()
    {
        // The two files the command reads are memory files, the one the radio holds a clone file.
        const QString base = m_dir.filePath(QStringLiteral("base.TV4"));
        const QString baseText = m_dir.filePath(QStringLiteral("base.yaml"));
        const QString edited = m_dir.filePath(QStringLiteral("edited.yml"));
        RadioImage image = radioImage();
        QVERIFY(writeCloneFile(base, image, ModelE, false).ok());
        QVERIFY(writeImageFile(baseText, image, ModelE, false).ok());
        for (const int n : kChangedChannels)
            image.channels[n].name = QStringLiteral("CLI%1").arg(n);
        QVERIFY(writeImageFile(edited, image, ModelE, false).ok());
        const QString log = m_dir.filePath(QStringLiteral("sim.log"));
        SimProcess sim({"--image", base, "--log", log, "--corrupt-at", addressText(channelAddress(603))});
        QVERIFY(!sim.device().isEmpty());

        const Run write =
            cli({"write", "--port", sim.device(), "--changes-from", baseText, "--verify", edited});
        QCOMPARE(write.exitCode, 1);
        QVERIFY2(write.err.startsWith(QStringLiteral("Verify Error\n")), qPrintable(write.err));
        QVERIFY(write.err.contains(QStringLiteral("B-P2")));
        const QString lines = QString::fromLatin1(readAll(log));
        QCOMPARE(lines.count(QStringLiteral("W")), kChangedChannels.size());
        // One backup: what was about to be written.
        const Run backups = cli({"backups", "--json"});
        QCOMPARE(backups.exitCode, 0);
        const QJsonArray list = QJsonDocument::fromJson(backups.out.toUtf8()).object()["backups"].toArray();
        QCOMPARE(list.size(), 1);
        QCOMPARE(list[0].toObject()["reason"].toString(), QStringLiteral("write"));
        QCOMPARE(list[0].toObject()["model"].toString(), QStringLiteral("KT-V4E"));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestWriteChanges)
#include "tst_writechanges.moc"
