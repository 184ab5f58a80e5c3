// Memory transfers started from the main window against the virtual radio on a pseudo-terminal:
// exactly the lines the radio must receive, the grid filling row by row, and the window's state
// while the transfer runs and after it ends.

#include "MemoryFixtures.h"
#include "support/WindowBench.h"

#include "files/CloneFile.h"

#include <QProgressBar>
#include <QTabBar>
#include <numeric>

using namespace fixture;

namespace {

QList<QByteArray> writeSettingsLines(RadioImage image)
{
    rebuildSettingsData(image);
    return {"KTSV4\r\n",
            writeLine(kSettings1Address, image.SettingsData1),
            writeLine(kSettings2Address, image.SettingsData2),
            writeLine(kVfoAAddress, MakeVFOData(image.vfos[0])),
            writeLine(kVfoBAddress, MakeVFOData(image.vfos[1])),
            "OV~E\r\n"};
}

QList<QByteArray> writeMemoryLines(const RadioImage &image)
{
    QList<QByteArray> lines{"KTSV4\r\n"};
    for (int n = 0; n < kChannelCount; ++n)
        lines.append(writeLine(channelAddress(n), MakeMemoryData(image.channels[n])));
    lines.append("OV~E\r\n");
    return lines;
}

} // namespace

class MemoryTransferTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void readAllFillsTheGridRowByRow();
    void writeAllSendsEveryRecord();
    void readAndWriteMemoryCancelled();
    void readMemoryStoppedByASilentRadio();
    void allStopsAfterAFailedSettingsHalf_data();
    void allStopsAfterAFailedSettingsHalf();

private:
    // The program starts with its own full image, loaded from a clone file as the user would.
    void start(sim::RadioSetup setup = Radio::unpaced())
    {
        const QString file = m_dir.filePath(QStringLiteral("program.TV4"));
        QVERIFY(WriteCloneFile(file, m_programImage, ModelE, false).ok());
        m = std::make_unique<WindowBench>(setup, file);
        QVERIFY(m->opened);
        QVERIFY(m->window->prompts.messages.isEmpty());
        QCOMPARE(shown(0, ColName), m_programImage.channels[0].cells[ColName].text);
        QVERIFY(QTest::qWaitForWindowExposed(&m->main()));
    }
    void trigger(const char *action) { m->window->action(QLatin1String(action))->trigger(); }
    QString shown(int channel, int column) const { return m->window->shown(channel, column); }
    const RadioImage &image() const { return m->window->document().image(); }
    QProgressBar *progress() const { return m->main().progressBar(); }
    void expectNoMessage() const
    {
        const auto &messages = m->window->prompts.messages;
        QVERIFY2(messages.isEmpty(), qPrintable(messages.value(0).text + messages.value(0).details));
    }

    QTemporaryDir m_dir;
    std::unique_ptr<WindowBench> m;
    RadioImage m_programImage;
    RadioImage m_radioImage;
};

void MemoryTransferTest::init()
{
    m_programImage = programImage();
    m_radioImage = radioImage();
}

void MemoryTransferTest::cleanup()
{
    m.reset();
}

void MemoryTransferTest::readAllFillsTheGridRowByRow()
{
    start();
    MainWindow &window = m->main();
    window.showTab(MainWindow::MemoryTab);
    QList<int> rowsRedrawn;
    connect(window.memoryPanel()->model(), &QAbstractItemModel::dataChanged, this,
            [&](const QModelIndex &from, const QModelIndex &to) {
                if (from.row() == to.row())
                    rowsRedrawn.append(from.row());
            });
    // The settings half runs on the Settings tab without the progress bar; the memory half on the
    // Memory tab with the channel number on the bar.
    bool settingsTabSeen = false;
    bool barDuringSettings = true;
    connect(&window.transfer(), &CloneTransfer::settingsDecoded, this, [&] {
        settingsTabSeen = window.shownTab() == MainWindow::SettingsTab;
        barDuringSettings = progress()->isVisible();
    });
    int highest = -1;
    connect(&window.transfer(), &CloneTransfer::progress, this, [&](int n) {
        QCOMPARE(window.shownTab(), int(MainWindow::MemoryTab));
        QVERIFY(progress()->isVisible());
        QCOMPARE(progress()->value(), n);
        highest = std::max(highest, n);
    });

    trigger("mnuReAll");
    QVERIFY(window.isBusy());
    QTRY_VERIFY_WITH_TIMEOUT(progress()->value() >= 100, 60'000);
    // Rows already read show the radio's data while later rows still show the program's.
    const int reached = rowsRedrawn.size();
    QVERIFY(reached >= 1);
    QCOMPARE(shown(reached - 1, ColName), m_radioImage.channels[reached - 1].cells[ColName].text);
    QCOMPARE(shown(603, ColName), m_programImage.channels[603].cells[ColName].text);
    // The window stays responsive: the grid scrolls while the read runs.
    window.memoryPanel()->setTopChannel(450);
    QCOMPARE(window.memoryPanel()->grid()->rowAt(0), 450);

    QVERIFY(m->waitUntilIdle());
    expectNoMessage();
    const QList<QByteArray> expected = readSettingsLines() + readMemoryLines();
    QCOMPARE(expected.size(), 610);
    QCOMPARE(m->radio.receivedLines(), expected);
    QVERIFY(settingsTabSeen);
    QVERIFY(!barDuringSettings);
    QCOMPARE(highest, 603);

    QList<int> inOrder(kChannelCount);
    std::iota(inOrder.begin(), inOrder.end(), 0);
    QCOMPARE(rowsRedrawn, inOrder); // one row after each record, in order
    for (int n = 0; n < kChannelCount; ++n) {
        QCOMPARE(image().channels[n], m_radioImage.channels[n]);
        QCOMPARE(shown(n, ColFrequency), m_radioImage.channels[n].cells[ColFrequency].text);
    }
    QCOMPARE(image().vfos, m_radioImage.vfos);
    QCOMPARE(window.shownTab(), int(MainWindow::MemoryTab));
    QVERIFY(!progress()->isVisible());
}

void MemoryTransferTest::writeAllSendsEveryRecord()
{
    start();
    // An edit just before the write goes out with it.
    RadioImage &edited = m->window->document().image();
    edited.channels[17] = test::usedChannel(14'074'000, QStringLiteral("FT8"));
    edited.channels[250].clear();
    m_programImage.channels = edited.channels;

    trigger("mnuWrAll");
    QVERIFY(m->main().isBusy());
    QVERIFY(m->waitUntilIdle());
    expectNoMessage();

    const QList<QByteArray> expected = writeSettingsLines(image()) + writeMemoryLines(m_programImage);
    QCOMPARE(expected.size(), 6 + 606);
    const QList<QByteArray> received = m->radio.receivedLines();
    QCOMPARE(received.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(received[i], expected[i]);
    const RadioImage inRadio = m->radio.image();
    for (int n = 0; n < kChannelCount; ++n)
        QCOMPARE(inRadio.channels[n], m_programImage.channels[n]);
    QCOMPARE(m->main().shownTab(), int(MainWindow::MemoryTab));
}

void MemoryTransferTest::readAndWriteMemoryCancelled()
{
    start();
    MainWindow &window = m->main();
    window.showTab(MainWindow::SettingsTab);
    const RadioImage before = image();
    // Tools > Read > Memory shows the Memory tab and counts the channels on the bar.
    trigger("mnuReMem");
    QCOMPARE(window.shownTab(), int(MainWindow::MemoryTab));
    QCOMPARE(window.tabStrip()->currentIndex(), int(MainWindow::MemoryTab));
    QVERIFY(progress()->isVisible());
    QCOMPARE(progress()->maximum(), 603);
    QTRY_VERIFY_WITH_TIMEOUT(progress()->value() >= 50, 60'000);
    auto *cancel = m->button(QStringLiteral("cmdCancel"));
    QVERIFY(cancel && cancel->isVisible());
    QTest::mouseClick(cancel, Qt::LeftButton);
    QVERIFY(m->waitUntilIdle());

    // The user asked for it: no error box. The channels read so far are the radio's, the rest the
    // program's; settings and VFOs are untouched by a memory read.
    expectNoMessage();
    const QList<QByteArray> received = m->radio.receivedLines();
    QVERIFY(received.size() < 604);
    int read = 0;
    while (read < received.size() && received[read] == readLine(channelAddress(read)))
        ++read;
    QVERIFY(read >= 50);
    for (int n = 0; n < read - 1; ++n)
        QCOMPARE(image().channels[n], m_radioImage.channels[n]);
    for (int n = read; n < kChannelCount; ++n)
        QCOMPARE(image().channels[n], m_programImage.channels[n]);
    QCOMPARE(image().vfos, before.vfos);
    QVERIFY(!progress()->isVisible());
    QVERIFY(m->button("cmbRxData")->isEnabled());

    // The panel's own "Write Memory" button starts the memory write (its full run is Write ALL's).
    m->radio.clearLog();
    m->click("cmbTxData");
    QVERIFY(window.isBusy());
    QTRY_VERIFY_WITH_TIMEOUT(m->radio.receivedCount() >= 3, 60'000);
    window.cancelTransfer();
    QVERIFY(m->waitUntilIdle());
    const QList<QByteArray> written = m->radio.receivedLines();
    QCOMPARE(written[0], QByteArray("KTSV4\r\n"));
    QCOMPARE(written[1], writeLine(channelAddress(0), MakeMemoryData(image().channels[0])));
}

void MemoryTransferTest::readMemoryStoppedByASilentRadio()
{
    // The one run that waits out the radio's time-out.
    start(unpacedRadio(
        [](sim::RadioSetup &s) { s.silentFrom = sim::CommandTarget::block(channelAddress(300)); }));
    m->click("cmbRxData");
    QVERIFY(m->waitUntilIdle());

    expectError(m->window->prompts, QStringLiteral("Communication Error"));
    QCOMPARE(m->radio.receivedLines(), readMemoryLines(301, false)); // no closing line
    for (int n = 0; n < 300; ++n)
        QCOMPARE(shown(n, ColName), m_radioImage.channels[n].cells[ColName].text);
    for (int n = 300; n < kChannelCount; ++n)
        QCOMPARE(shown(n, ColName), m_programImage.channels[n].cells[ColName].text);
    QVERIFY(!progress()->isVisible());
    QVERIFY(m->button("cmbRxData")->isEnabled());
    QVERIFY(m->button("cmbTxData")->isEnabled());
}

void MemoryTransferTest::allStopsAfterAFailedSettingsHalf_data()
{
    QTest::addColumn<bool>("read");
    QTest::newRow("Read ALL, short VFO A reply") << true;
    QTest::newRow("Write ALL, VFO A write refused") << false;
}

void MemoryTransferTest::allStopsAfterAFailedSettingsHalf()
{
    QFETCH(bool, read);
    start(unpacedRadio([read](sim::RadioSetup &s) {
        if (read) {
            s.wrongLengthAt = sim::CommandTarget::block(kVfoAAddress);
            s.wrongLength = 40;
        } else {
            s.badAckAt = sim::CommandTarget::block(kVfoAAddress);
        }
    }));
    trigger(read ? "mnuReAll" : "mnuWrAll");
    QVERIFY(m->waitUntilIdle());

    // One box, and not one channel after it: the radio and the grid keep their channels.
    expectError(m->window->prompts, QStringLiteral("Communication Error"));
    const QList<QByteArray> received = m->radio.receivedLines();
    if (read) {
        QCOMPARE(received, (QList<QByteArray>{readLine(kSettings1Address), readLine(kSettings2Address),
                                              readLine(kVfoAAddress)}));
    } else {
        QCOMPARE(received.size(), 4); // write-enable, settings 1 and 2, VFO A
        QCOMPARE(received[0], QByteArray("KTSV4\r\n"));
        QVERIFY(received[3].startsWith("OV~F0400W"));
    }
    QCOMPARE(image().channels, m_programImage.channels);
    QCOMPARE(shown(0, ColName), m_programImage.channels[0].cells[ColName].text);
    for (int n = 0; n < kChannelCount; ++n)
        QCOMPARE(m->radio.record(channelAddress(n)),
                 QByteArray(MakeMemoryData(m_radioImage.channels[n]).toLatin1()));
}

QTEST_MAIN(MemoryTransferTest)
#include "tst_memorytransfer.moc"
