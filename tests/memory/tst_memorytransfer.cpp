// Memory transfers started from the main window against the virtual radio on a pseudo-terminal:
// exactly the lines the radio must receive, the grid filling row by row, and the window's state
// while the transfer runs and after it ends.

#include "MemoryFixtures.h"
#include "link/RadioFixture.h"
#include "support/WindowFixture.h"

#include "files/CloneFile.h"
#include "ui/ChannelTableModel.h"
#include "ui/MemoryPanel.h"

#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <memory>
#include <numeric>

using namespace fixture;

namespace {

constexpr int kTransferTimeoutMs = 90'000;

QList<QByteArray> writeEnableLine()
{
    return {"KTSV4\r\n"};
}

QList<QByteArray> writeSettingsLines(RadioImage image)
{
    rebuildSettingsData(image);
    return writeEnableLine() + QList<QByteArray>{writeLine(kSettings1Address, image.SettingsData1),
                                                 writeLine(kSettings2Address, image.SettingsData2),
                                                 writeLine(kVfoAAddress, MakeVFOData(image.vfos[0])),
                                                 writeLine(kVfoBAddress, MakeVFOData(image.vfos[1])),
                                                 "OV~E\r\n"};
}

QList<QByteArray> writeMemoryLines(const RadioImage &image)
{
    QList<QByteArray> lines = writeEnableLine();
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
    void readMemoryFromTheMenuShowsTheMemoryTab();
    void readMemoryStoppedByASilentRadio();
    void readAllStopsAfterAFailedSettingsRead();
    void writeAllStopsAfterAFailedSettingsWrite();
    void cancelEndsTheReadWhereItIs();

private:
    void startRadio(sim::RadioSetup setup = Radio::unpaced());
    void waitUntilIdle();
    void trigger(const char *action) { m_window->action(QLatin1String(action))->trigger(); }
    MemoryPanel *panel() { return m_window->window->memoryPanel(); }
    QString shown(int channel, ChannelColumn column)
    {
        ChannelTableModel *model = panel()->model();
        return model->data(model->index(channel, column)).toString();
    }
    QPushButton *panelButton(const char *name)
    {
        return panel()->findChild<QPushButton *>(QLatin1String(name));
    }

    std::unique_ptr<sim::VirtualRadio> m_radio;
    std::unique_ptr<Window> m_window;
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
    m_window.reset();
    if (m_radio)
        m_radio->stop();
    m_radio.reset();
}

void MemoryTransferTest::startRadio(sim::RadioSetup setup)
{
    m_radio = std::make_unique<sim::VirtualRadio>(setup);
    m_radio->loadImage(m_radioImage);
    QString error;
    QVERIFY2(m_radio->open(error), qPrintable(error));
    m_radio->start();

    // The program starts with its own full image, loaded from a clone file as the user would.
    auto scratch = std::make_unique<QTemporaryDir>();
    const QString start = scratch->filePath(QStringLiteral("program.TV4"));
    QVERIFY(WriteCloneFile(start, m_programImage, ModelE, false).ok());
    m_window = std::make_unique<Window>(start, m_radio->devicePath());
    QVERIFY(m_window->prompts.messages.isEmpty());
    QCOMPARE(shown(0, ColName), m_programImage.channels[0].cells[ColName].text);
    m_window->window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window->window.get()));
}

void MemoryTransferTest::waitUntilIdle()
{
    QTRY_VERIFY_WITH_TIMEOUT(!m_window->window->isBusy(), kTransferTimeoutMs);
}

void MemoryTransferTest::readAllFillsTheGridRowByRow()
{
    startRadio();
    ChannelTableModel *model = panel()->model();
    QList<int> rowsRedrawn;
    connect(model, &QAbstractItemModel::dataChanged, this,
            [&](const QModelIndex &from, const QModelIndex &to) {
                if (from.row() == to.row())
                    rowsRedrawn.append(from.row());
            });
    QProgressBar *progress = m_window->window->progressBar();

    trigger("mnuReAll");
    QVERIFY(m_window->window->isBusy());
    // The memory half runs on the Memory tab with the channel number on the progress bar.
    QTRY_VERIFY_WITH_TIMEOUT(progress->value() >= 100, kTransferTimeoutMs);
    QCOMPARE(m_window->window->shownTab(), int(MainWindow::MemoryTab));
    QVERIFY(progress->isVisible());
    QVERIFY(!panelButton("cmbRxData")->isEnabled());
    QVERIFY(!panelButton("cmbInsert")->isEnabled());
    QVERIFY(!m_window->action("mnuImport")->isEnabled());
    // Rows already read show the radio's data while later rows still show the program's.
    const int reached = rowsRedrawn.size();
    QVERIFY(reached >= 1);
    QCOMPARE(shown(reached - 1, ColName), m_radioImage.channels[reached - 1].cells[ColName].text);
    QCOMPARE(shown(603, ColName), m_programImage.channels[603].cells[ColName].text);
    // The window stays responsive: the grid scrolls while the read runs.
    panel()->setTopChannel(450);
    QCOMPARE(panel()->topChannel(), 450);
    QCOMPARE(panel()->grid()->rowAt(0), 450);

    waitUntilIdle();
    QVERIFY2(m_window->prompts.messages.isEmpty(), qPrintable(m_window->prompts.messages.value(0).text +
                                                              m_window->prompts.messages.value(0).details));
    const QList<QByteArray> expected = readSettingsLines() + readMemoryLines();
    QCOMPARE(expected.size(), 610);
    QCOMPARE(m_radio->receivedLines(), expected);

    QList<int> inOrder(kChannelCount);
    std::iota(inOrder.begin(), inOrder.end(), 0);
    QCOMPARE(rowsRedrawn, inOrder); // one row after each record, in order
    for (int n = 0; n < kChannelCount; ++n) {
        QCOMPARE(m_window->document().image().channels[n], m_radioImage.channels[n]);
        QCOMPARE(shown(n, ColFrequency), m_radioImage.channels[n].cells[ColFrequency].text);
    }
    QCOMPARE(m_window->document().image().vfos, m_radioImage.vfos);
    QVERIFY(!progress->isVisible());
    QVERIFY(panelButton("cmbRxData")->isEnabled());
    QVERIFY(panelButton("cmbInsert")->isEnabled());
    QVERIFY(m_window->action("mnuImport")->isEnabled());
}

void MemoryTransferTest::writeAllSendsEveryRecord()
{
    startRadio();
    // An edit just before the write goes out with it.
    m_window->document().image().channels[17] = test::usedChannel(14'074'000, QStringLiteral("FT8"));
    m_programImage.channels[17] = m_window->document().image().channels[17];
    m_window->document().image().channels[250].clear();
    m_programImage.channels[250].clear();

    trigger("mnuWrAll");
    QVERIFY(m_window->window->isBusy());
    waitUntilIdle();
    QVERIFY2(m_window->prompts.messages.isEmpty(), qPrintable(m_window->prompts.messages.value(0).text));

    const QList<QByteArray> expected =
        writeSettingsLines(m_window->document().image()) + writeMemoryLines(m_programImage);
    QCOMPARE(expected.size(), 6 + 606);
    const QList<QByteArray> received = m_radio->receivedLines();
    QCOMPARE(received.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(received[i], expected[i]);
    const RadioImage inRadio = m_radio->image();
    for (int n = 0; n < kChannelCount; ++n)
        QCOMPARE(inRadio.channels[n], m_programImage.channels[n]);
    QCOMPARE(m_window->window->shownTab(), int(MainWindow::MemoryTab));
}

void MemoryTransferTest::readMemoryFromTheMenuShowsTheMemoryTab()
{
    startRadio();
    m_window->window->showTab(MainWindow::SettingsTab);
    const RadioImage settingsBefore = m_window->document().image();
    trigger("mnuReMem");
    QCOMPARE(m_window->window->shownTab(), int(MainWindow::MemoryTab));
    QCOMPARE(m_window->window->tabStrip()->currentIndex(), int(MainWindow::MemoryTab));
    waitUntilIdle();
    QVERIFY(m_window->prompts.messages.isEmpty());
    QCOMPARE(m_radio->receivedLines(), readMemoryLines());
    QCOMPARE(m_window->document().image().channels, m_radioImage.channels);
    QCOMPARE(m_window->document().image().vfos, settingsBefore.vfos); // memory only

    // The panel's own "Write Memory" button starts the memory write (its full run is Write ALL's).
    m_radio->clearLog();
    QTest::mouseClick(panelButton("cmbTxData"), Qt::LeftButton);
    QVERIFY(m_window->window->isBusy());
    QTRY_VERIFY_WITH_TIMEOUT(m_radio->receivedCount() >= 3, kTransferTimeoutMs);
    m_window->window->cancelTransfer();
    waitUntilIdle();
    const QList<QByteArray> received = m_radio->receivedLines();
    QCOMPARE(received[0], QByteArray("KTSV4\r\n"));
    QCOMPARE(received[1],
             writeLine(channelAddress(0), MakeMemoryData(m_window->document().image().channels[0])));
}

void MemoryTransferTest::readMemoryStoppedByASilentRadio()
{
    sim::RadioSetup setup = Radio::unpaced();
    setup.silentFrom = sim::CommandTarget::block(channelAddress(300));
    startRadio(setup);
    QTest::mouseClick(panelButton("cmbRxData"), Qt::LeftButton);
    waitUntilIdle();

    QCOMPARE(m_window->prompts.messages.size(), 1);
    QCOMPARE(m_window->prompts.messages[0].title, QStringLiteral("ERROR"));
    QCOMPARE(m_window->prompts.messages[0].text, QStringLiteral("Communication Error"));
    QCOMPARE(m_radio->receivedLines(), readMemoryLines(301, false)); // no closing line
    for (int n = 0; n < 300; ++n)
        QCOMPARE(shown(n, ColName), m_radioImage.channels[n].cells[ColName].text);
    for (int n = 300; n < kChannelCount; ++n)
        QCOMPARE(shown(n, ColName), m_programImage.channels[n].cells[ColName].text);
    QVERIFY(!m_window->window->progressBar()->isVisible());
    QVERIFY(panelButton("cmbRxData")->isEnabled());
    QVERIFY(panelButton("cmbTxData")->isEnabled());
}

void MemoryTransferTest::readAllStopsAfterAFailedSettingsRead()
{
    sim::RadioSetup setup = Radio::unpaced();
    setup.wrongLengthAt = sim::CommandTarget::block(kVfoAAddress);
    setup.wrongLength = 40;
    startRadio(setup);
    trigger("mnuReAll");
    waitUntilIdle();

    QCOMPARE(m_window->prompts.messages.size(), 1); // one box, and no memory read after it
    QCOMPARE(m_window->prompts.messages[0].text, QStringLiteral("Communication Error"));
    QCOMPARE(m_radio->receivedLines(),
             (QList<QByteArray>{readLine(kSettings1Address), readLine(kSettings2Address),
                                readLine(kVfoAAddress)}));
    QCOMPARE(m_window->document().image().channels, m_programImage.channels);
    QCOMPARE(shown(0, ColName), m_programImage.channels[0].cells[ColName].text);
}

void MemoryTransferTest::writeAllStopsAfterAFailedSettingsWrite()
{
    sim::RadioSetup setup = Radio::unpaced();
    setup.badAckAt = sim::CommandTarget::block(kVfoAAddress);
    startRadio(setup);
    trigger("mnuWrAll");
    waitUntilIdle();

    QCOMPARE(m_window->prompts.messages.size(), 1);
    QCOMPARE(m_window->prompts.messages[0].text, QStringLiteral("Communication Error"));
    const QList<QByteArray> received = m_radio->receivedLines();
    QCOMPARE(received.size(), 4); // write-enable, settings 1 and 2, VFO A; not one channel
    QCOMPARE(received[0], QByteArray("KTSV4\r\n"));
    QVERIFY(received[3].startsWith("OV~F0400W"));
    for (int n = 0; n < kChannelCount; ++n)
        QCOMPARE(m_radio->record(channelAddress(n)),
                 QByteArray(MakeMemoryData(m_radioImage.channels[n]).toLatin1()));
}

void MemoryTransferTest::cancelEndsTheReadWhereItIs()
{
    startRadio();
    QTest::mouseClick(panelButton("cmbRxData"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(m_window->window->progressBar()->value() >= 50, kTransferTimeoutMs);
    auto *cancel = m_window->find<QPushButton>(QStringLiteral("cmdCancel"));
    QVERIFY(cancel && cancel->isVisible());
    QTest::mouseClick(cancel, Qt::LeftButton);
    waitUntilIdle();

    QVERIFY(m_window->prompts.messages.isEmpty()); // the user asked for it: no error box
    const QList<QByteArray> received = m_radio->receivedLines();
    QVERIFY(received.size() < 604);
    int read = 0;
    while (read < received.size() && received[read] == readLine(channelAddress(read)))
        ++read;
    QVERIFY(read >= 50);
    for (int n = 0; n < read - 1; ++n)
        QCOMPARE(m_window->document().image().channels[n], m_radioImage.channels[n]);
    for (int n = read; n < kChannelCount; ++n)
        QCOMPARE(m_window->document().image().channels[n], m_programImage.channels[n]);
    QVERIFY(panelButton("cmbRxData")->isEnabled());
    QVERIFY(!m_window->window->isBusy());
}

QTEST_MAIN(MemoryTransferTest)
#include "tst_memorytransfer.moc"
