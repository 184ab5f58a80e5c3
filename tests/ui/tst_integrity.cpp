// Through the window: what the user did not change stays as it was. A failed Open leaves the
// user's file to the next Save untouched; the radio's key speed, break-in and tone survive Read
// Settings and Write Settings; an import says what it took.

#include "support/WindowBench.h"

#include <QComboBox>

using namespace fixture;

namespace {

// A clone file from `image` with one line replaced (0-based; -1 replaces none).
QByteArray fileWith(RadioImage image, int model, bool variantA, int line, const QByteArray &text)
{
    QList<QByteArray> lines = cloneFileBytes(image, model, variantA).split('\n');
    if (line >= 0)
        lines[line] = text + '\r';
    return lines.join('\n');
}

QString withBytes(QString text, int b7, int b25, int b26)
{
    RecordBytes bytes = parseRecordText(text);
    bytes[7] = b7;
    bytes[25] = b25;
    bytes[26] = b26;
    return recordText(bytes);
}

} // namespace

class TestIntegrity : public QObject {
    Q_OBJECT

private slots:
    void failedOpenThenSave_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("damaged end line")
            << 609 << QByteArray("Orvane  KT-V4   Clone  File  Emd") << "Data Error";
        QTest::newRow("VFO B mode 6")
            << 4 << QByteArray("80060001" + QByteArray(56, '0')) << "File Open Error";
        QTest::newRow("short channel line") << 300 << QByteArray(63, '0') << "Data Error";
    }

    // The broken file names another model; nothing of it, its header included, reaches the next
    // Save, which writes the user's own file back byte for byte.
    void failedOpenThenSave()
    {
        QFETCH(int, line);
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        Window w;
        RadioImage mine = radioImage();
        mine.settings.cmbTone = 0xC3; // a byte the tone list does not hold
        QVERIFY(writeAll(w.path("mine.TV4"), fileWith(mine, ModelT, true, -1, {})));
        QVERIFY(writeAll(w.path("broken.TV4"), fileWith(startupImage(ModelJ), ModelJ, false, line, text)));
        QVERIFY(w.window->loadCloneFile(w.path("mine.TV4")));
        const QByteArray before = readAll(w.path("mine.TV4"));
        const QString caption = w.window->windowTitle();

        w.prompts.fileNames << w.path("broken.TV4");
        w.window->fileOpen();
        expectError(w.prompts, message);
        // The reason names the file, under the box's text.
        QVERIFY(w.prompts.messages.first().informative.startsWith(w.path("broken.TV4")));
        QCOMPARE(w.window->windowTitle(), caption);
        QCOMPARE(w.document().modelIndex(), int(ModelT));
        QVERIFY(w.document().cloneVariantA());
        QVERIFY(!w.document().dataChanged());

        QVERIFY(w.window->fileSave());
        QCOMPARE(readAll(w.path("mine.TV4")), before);
    }

    void transmitSideBytesSurviveReadAndWrite_data()
    {
        QTest::addColumn<int>("wpm");
        QTest::addColumn<int>("breakIn");
        QTest::addColumn<int>("tone");
        QTest::newRow("inside the lists") << 0x10 << 0x01 << 0x26;
        QTest::newRow("outside the lists") << 0x23 << 0xFF << 0x27;
    }

    void transmitSideBytesSurviveReadAndWrite()
    {
        QFETCH(int, wpm);
        QFETCH(int, breakIn);
        QFETCH(int, tone);
        WindowBench bench;
        QVERIFY(bench.opened);
        Window &w = *bench.window;
        const QString held =
            withBytes(QString::fromLatin1(bench.radio.record(kSettings1Address)), wpm, breakIn, tone);
        bench.radio.setRecord(kSettings1Address, held.toLatin1());

        bench.click("cmbRxData1");
        QVERIFY(bench.waitUntilIdle());
        QVERIFY(w.prompts.messages.isEmpty());
        // A byte inside its list selects that item; one outside selects nothing.
        const int items[] = {35, 9, 39};
        const int bytes[] = {wpm, breakIn, tone};
        const char *lists[] = {"cmbWPM", "cmbBreakIn", "cmbTone"};
        for (int i = 0; i < 3; ++i)
            QCOMPARE(w.list(lists[i])->currentIndex(), bytes[i] < items[i] ? bytes[i] : -1);

        bench.click("cmbTxData1");
        QVERIFY(bench.waitUntilIdle());
        QVERIFY(w.prompts.messages.isEmpty());
        QCOMPARE(bench.radio.record(kSettings1Address), held.toLatin1());
    }

    void importSaysWhatItDid()
    {
        Window w;
        QVERIFY(writeAll(w.path("in.csv"), "KT-V4,MEMORY,1,7.050.000,LSB,0,SLOW,WIDE,OFF,A,\r\n"
                                           "KT-V4,MEMORY,2,7.1,LSB,0,SLOW,WIDE,OFF,B,\r\n"));
        w.prompts.fileNames << w.path("in.csv");
        w.window->fileImport();
        QVERIFY(w.prompts.messages.isEmpty());
        QCOMPARE(
            w.window->statusText(),
            QStringLiteral("1 channel imported; 1 row dropped: 1 with no frequency or one outside 30 kHz "
                           "to 35 MHz."));
    }
};

QTEST_MAIN(TestIntegrity)
#include "tst_integrity.moc"
