// SPDX-License-Identifier: GPL-3.0-or-later
// Radio operations started from the window against the virtual radio: the lines the radio
// receives, what the window shows while they run and afterwards (the grid filling row by row,
// the busy state, the progress bar), and the finishing message boxes.

#include "files/CloneFile.h"
#include "link/RadioFixture.h"
#include "memory/MemoryFixtures.h"
#include "support/ScriptedPrompts.h"
#include "support/WindowBench.h"
#include "ui/BackupsDialog.h"
#include "ui/ComPortDialog.h"
#include "ui/MainWindow.h"
#include "ui/PortCheckDialog.h"
#include "ui/TransferMessages.h"
#include "ui/VfoTableModel.h"
#include "ui/WritePreview.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <functional>
#include <numeric>

using namespace fixture;

using namespace ktv4::ui;

namespace {

// Everything a running transfer must keep the user's hands off.
const QStringList kDisabledWhileBusy =
    QStringLiteral(
        "mnuFileNew mnuFileOpen mnuFileSave mnuFileSaveAs mnuImport mnuExport mnuEditUndo mnuReSet "
        "mnuReMem mnuReAll mnuWrSet mnuWrMem mnuWrAll mnuToolsOptions tbToolBar_新規作成 tbToolBar_開く "
        "tbToolBar_上書き保存")
        .split(QLatin1Char(' '));
const QStringList kButtonsDisabledWhileBusy =
    QStringLiteral("cmdAuto cmbRxData1 cmbTxData1 cmbRxData cmbTxData cmbClear cmbInsert cmbClAll cmbDelete")
        .split(QLatin1Char(' '));

// Whether every command and button of the lists above is enabled (all true) or disabled (all false).
void expectCommandsEnabled(const WindowBench &bench, bool enabled)
{
    for (const QString &item : kDisabledWhileBusy)
        QVERIFY2(bench.window->action(item)->isEnabled() == enabled, qPrintable(item));
    for (const QString &button : kButtonsDisabledWhileBusy)
        QVERIFY2(bench.button(button)->isEnabled() == enabled, qPrintable(button));
    QCOMPARE(bench.main().tabStrip()->isEnabled(), enabled);
    QCOMPARE(bench.window->find<QWidget>(QStringLiteral("progressArea"))->isVisible(), !enabled);
}

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

// Backups of one test's reads and writes in a folder of their own, for as long as it lives.
struct OwnBackups {
    QTemporaryDir dir;
    const QByteArray before = qgetenv("XDG_DATA_HOME");
    OwnBackups() { qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit()); }
    ~OwnBackups() { qputenv("XDG_DATA_HOME", before); }
};

} // namespace

Q_DECLARE_METATYPE(ktv4::sim::RadioSetup)

class TestWindowTransfers : public QObject {
    Q_OBJECT

private:
    // The program starts with its own full image, loaded from a clone file as the user would.
    std::unique_ptr<WindowBench> startWithFile(sim::RadioSetup setup = Radio::unpaced())
    {
        const QString file = m_dir.filePath(QStringLiteral("program.TV4"));
        RadioImage image = programImage();
        if (!writeCloneFile(file, image, ModelE, false).ok())
            return nullptr;
        auto bench = std::make_unique<WindowBench>(setup, file);
        return bench->window->prompts.messages.isEmpty() ? std::move(bench) : nullptr;
    }
    QTemporaryDir m_dir;
private slots:

    void writeSettings()
    {
        WindowBench bench;
        QVERIFY(bench.opened);
        Window &w = *bench.window;
        // What the user picked on the panel is what goes out; Tools > Write > Settings shows its tab.
        w.list("cmbBeep")->setCurrentIndex(0);
        w.list("cmbScanMode")->setCurrentIndex(3);
        w.list("cmbWPM")->setCurrentIndex(30);
        bench.click("cmdMN_4");
        bench.main().showTab(MainWindow::MemoryTab);
        w.action("mnuWrSet")->trigger();
        QCOMPARE(bench.main().shownTab(), int(MainWindow::SettingsTab));
        QVERIFY(bench.waitUntilIdle());
        QVERIFY(w.prompts.messages.isEmpty());

        // The lines themselves are the engine suite's; here, that the picks reach the radio.
        const RadioImage &sent = w.document().image();
        QCOMPARE(sent.settings.values.Slider1, -100);
        QCOMPARE(bench.radio.receivedCount(), 6);
        QCOMPARE(bench.radio.image().settings.values, sent.settings.values);
        QCOMPARE(bench.radio.image().vfos, sent.vfos);
        // Writing to the radio saves nothing: the edits are still unsaved.
        QCOMPARE(w.document().dataChanged(), true);
    }

    void autoSelect_data()
    {
        QTest::addColumn<sim::RadioSetup>("setup");
        QTest::addColumn<int>("option"); // -1: refused, the window stays on KT-V4T with variant A
        QTest::addColumn<bool>("variantA");
        const auto radio = [](QByteArray model, QByteArray variant, QByteArray identity = QByteArray()) {
            return unpacedRadio([=](sim::RadioSetup &s) {
                s.modelCode = model;
                s.variantCode = variant;
                if (!identity.isEmpty())
                    s.identity = identity;
            });
        };
        QTest::newRow("33 AA: KT-V4J, variant A") << radio("33", "AA") << 0 << true;
        QTest::newRow("CC: PN-31/32") << radio("CC", "55") << 3 << false;
        QTest::newRow("someone else's radio: nothing changes") << radio("99", "00", "XYZ12") << -1 << true;
        QTest::newRow("unknown model code: variant reset") << radio("00", "00") << -1 << false;
    }

    void autoSelect()
    {
        QFETCH(sim::RadioSetup, setup);
        QFETCH(int, option);
        QFETCH(bool, variantA);
        WindowBench bench(setup);
        QVERIFY(bench.opened);
        Window &w = *bench.window;
        w.document().setIdentified(ModelT, true);
        bench.click("cmdAuto");
        QVERIFY(!bench.button("cmdAuto")->isEnabled());
        QVERIFY(bench.waitUntilIdle());
        QCOMPARE(bench.radio.receivedLines(), QList<QByteArray>{"OV~WHO\r\n"});
        if (option < 0)
            expectError(w.prompts, QStringLiteral("Communication Error"));
        else
            QVERIFY(w.prompts.messages.isEmpty());
        const int shown = option < 0 ? int(ModelT) : option;
        QVERIFY(w.find<QRadioButton>(QStringLiteral("opbModel_%1").arg(shown))->isChecked());
        QCOMPARE(w.document().modelIndex(), shown);
        QCOMPARE(w.document().cloneVariantA(), variantA);
        QVERIFY(bench.button("cmdAuto")->isEnabled());
        QCOMPARE(bench.main().statusText(),
                 option < 0 ? QStringLiteral("Communication Error")
                            : "Identified " + modelOptionCaption(option) + (variantA ? " (variant A)" : ""));
        // The radio's model is a step of the history that leaves the data as saved as it was.
        QVERIFY(!w.document().dataChanged());
        if (option >= 0 && option != int(ModelT)) {
            QAction *undo = w.window->action(QStringLiteral("mnuEditUndoStep"));
            QCOMPARE(undo->text(), QStringLiteral("Undo Auto Select(&U)"));
            undo->trigger();
            QCOMPARE(w.document().modelIndex(), int(ModelT));
            w.window->action(QStringLiteral("mnuEditRedo"))->trigger();
            QCOMPARE(w.document().modelIndex(), shown);
        }

        // The next save names the radio's model and variant.
        w.prompts.fileNames << w.path("identified.TV4");
        QVERIFY(w.window->files()->saveAs());
        const QByteArray header = readAll(w.path("identified.TV4")).left(32);
        QCOMPARE(header.mid(13, 1), QByteArray(1, "JTEA"[shown]));
        QCOMPARE(header.mid(21, 1), variantA ? QByteArray("A") : QByteArray("0"));
    }

    void portThatCannotBeOpened()
    {
        Window w(QString(), QStringLiteral("/dev/ktv4-no-such-port"));
        w.window->show();
        QTableView *grid = w.find<QTableView>(QStringLiteral("MSFlexGrid2"));
        grid->clearSelection();
        QTest::mouseClick(w.find<QPushButton>(QStringLiteral("cmbRxData1")), Qt::LeftButton);
        QTRY_VERIFY(!w.window->isBusy());
        expectError(w.prompts, QStringLiteral("COM Port Error"));
        // The reason names the port and points to the port check.
        const QString details = w.prompts.messages[0].informative;
        QVERIFY2(details.startsWith(QLatin1String("/dev/ktv4-no-such-port: no such device")) &&
                     details.endsWith(portCheckPointer()),
                 qPrintable(details));
        // The read's error exit: VFO A current and selected across.
        QCOMPARE(grid->currentIndex().row(), 0);
        QVERIFY(grid->selectionModel()->isRowSelected(0, QModelIndex()));
        QVERIFY(!QApplication::overrideCursor());

        // Every other operation says the same.
        for (const char *item : {"mnuReMem", "mnuWrAll"}) {
            w.prompts.messages.clear();
            w.action(QLatin1String(item))->trigger();
            QTRY_VERIFY(!w.window->isBusy());
            expectError(w.prompts, QStringLiteral("COM Port Error"));
        }
    }

    void busyWindowRefusesTabsClosingAndCommands()
    {
        // A radio that never answers keeps the read waiting.
        WindowBench bench(unpacedRadio([](sim::RadioSetup &s) {
                              s.silentFrom = sim::CommandTarget::block(kSettings1Address);
                          }),
                          QString(), QString(), {std::chrono::minutes(1), std::chrono::milliseconds(0)});
        QVERIFY(bench.opened);
        Window &w = *bench.window;
        MainWindow &window = bench.main();
        test::setChannels(w.document(), 3, {test::usedChannel(7'050'000, QStringLiteral("EDIT"))});
        bench.click("cmbRxData1");
        QVERIFY(window.isBusy());
        // The history is not walked while the radio is read into the image.
        QAction *undo = w.action(QStringLiteral("mnuEditUndoStep"));
        QVERIFY(!undo->isEnabled());

        QTabBar *tabs = window.tabStrip();
        tabs->setCurrentIndex(MainWindow::MemoryTab);
        QCOMPARE(tabs->currentIndex(), int(MainWindow::SettingsTab));
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QCOMPARE(window.shownTab(), int(MainWindow::SettingsTab));

        // Closing is refused silently, commands reached some other way do nothing.
        QVERIFY(!window.close() && window.isVisible());
        window.files()->newFile();
        window.startOperation(Operation::ReadMemory);
        window.transfers()->showComPortSetup();
        QVERIFY2(w.prompts.messages.isEmpty(), qPrintable(w.prompts.messages.value(0).text));
        QVERIFY(!window.comPortDialog());
        QCOMPARE(w.document().dataChanged(), true);
        QTRY_COMPARE(bench.radio.receivedLines(), QList<QByteArray>{readLine(kSettings1Address)});

        // Cancel stops the read once the exchange under way has failed (here a garbled late reply),
        // without a message; then everything works again.
        bench.click("cmdCancel");
        QVERIFY(!bench.button("cmdCancel")->isEnabled()); // stopping
        bench.wire->inject(readLine(kSettings1Address) + "garbled\r\n");
        QVERIFY(bench.waitUntilIdle(5000));
        QVERIFY2(w.prompts.messages.isEmpty(), qPrintable(w.prompts.messages.value(0).text));
        QVERIFY(!QApplication::overrideCursor() && undo->isEnabled());
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QCOMPARE(window.shownTab(), int(MainWindow::MemoryTab));
        w.prompts.answers.enqueue(QMessageBox::Cancel);
        QVERIFY(!window.close());
        QCOMPARE(w.prompts.messages.size(), 1); // the save question
    }

    void portErrorDetails_data()
    {
        QTest::addColumn<QString>("detail");
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("hint");
        const struct {
            const char *row, *detail, *device, *hint;
        } table[] = {
            {"permission", "/dev/ttyUSB0: Permission denied", "", "dialout"},
            {"no such file", "/dev/ttyS3: No such file or directory", "", "no such device"},
            {"busy", "/dev/ttyUSB0: Device or resource busy", "", "Another program"},
            {"locked", "/dev/ttyUSB0: The device is locked by another process", "", "Another program"},
            {"anything else", "Input/output error", "", ""},
            // The device itself tells what the library's words may not.
            {"device missing, reason unsaid", "/dev/ttyACM7: Unknown error", "/dev/ttyACM7",
             "no such device"},
            {"device there and usable", "Input/output error", "/dev/null", ""},
        };
        for (const auto &r : table)
            QTest::newRow(r.row) << r.detail << r.device << r.hint;
    }

    void portErrorDetails()
    {
        QFETCH(QString, detail);
        QFETCH(QString, device);
        QFETCH(QString, hint);
        const QString details = ui::portErrorDetails(detail, device);
        QVERIFY(details.startsWith(detail));
        if (hint.isEmpty())
            QCOMPARE(details, detail);
        else
            QVERIFY2(details.contains(hint), qPrintable(details));

        // The box keeps the program's text; the reason, naming the port, stands right under it.
        const auto box =
            ui::finishingMessage({Operation::ReadMemory, TransferOutcome::PortFailed, detail}, device);
        QVERIFY(box);
        QCOMPARE(box->text, QStringLiteral("COM Port Error"));
        QVERIFY2(box->informative.startsWith(detail) && box->informative.contains(device) &&
                     box->informative.contains(hint),
                 qPrintable(box->informative));
        QVERIFY(box->details.isEmpty());
        for (TransferOutcome quiet : {TransferOutcome::Cancelled, TransferOutcome::Completed})
            QVERIFY(!ui::finishingMessage({Operation::ReadMemory, quiet, QString(), false}));
    }

    void readAllFillsTheGridRowByRow()
    {
        const auto m = startWithFile();
        QVERIFY(m);
        MainWindow &window = m->main();
        const RadioImage radio = radioImage();
        const RadioImage program = programImage();
        QList<int> rowsRedrawn;
        connect(window.memoryPanel()->model(), &QAbstractItemModel::dataChanged, this,
                [&](const QModelIndex &from, const QModelIndex &to) {
                    if (from.row() == to.row())
                        rowsRedrawn.append(from.row());
                });
        // The settings half runs on the Settings tab without the progress bar; the memory half on the
        // Memory tab with the channel number on the bar, rows read showing the radio's channels and the
        // rest still the program's, the window responsive.
        QList<bool> settingsHalf;
        connect(&window.transfer(), &CloneTransfer::settingsDecoded, this, [&] {
            settingsHalf = {window.shownTab() == MainWindow::SettingsTab, window.progressBar()->isVisible()};
        });
        QList<int> barValues;
        connect(&window.transfer(), &CloneTransfer::progress, this, [&](int n) {
            QVERIFY(window.shownTab() == MainWindow::MemoryTab && window.progressBar()->isVisible());
            barValues.append(window.progressBar()->value());
            if (n == 300) {
                QCOMPARE(window.progressBar()->text(), QStringLiteral("Channel 301 of 604"));
                QCOMPARE(m->window->shown(299, ColName), radio.channels[299].name);
                QCOMPARE(m->window->shown(300, ColName), program.channels[300].name);
                window.memoryPanel()->setTopChannel(450);
                QCOMPARE(window.memoryPanel()->grid()->rowAt(0), 450);
            }
        });

        m->window->action("mnuReAll")->trigger();
        // While it runs: the hourglass, and nothing that would start a transfer or change the data;
        // About and the view toggles stay usable.
        QVERIFY(window.isBusy());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        expectCommandsEnabled(*m, false);
        QVERIFY(!m->window->list("cmbBeep")->isEnabled() && m->button("cmdCancel")->isVisible());
        QVERIFY(m->window->action("mnuHelpAbout")->isEnabled() &&
                m->window->action("mnuViewToolbar")->isEnabled());
        QVERIFY(m->waitUntilIdle());
        QVERIFY(m->window->prompts.messages.isEmpty());
        QCOMPARE(m->radio.receivedLines(), readSettingsLines() + readMemoryLines());
        QCOMPARE(settingsHalf, (QList<bool>{true, false}));
        QList<int> inOrder(kChannelCount);
        std::iota(inOrder.begin(), inOrder.end(), 0);
        QCOMPARE(barValues, inOrder);
        QCOMPARE(rowsRedrawn, inOrder); // one row after each record, in order
        QVERIFY(m->window->document().image().channels == radio.channels);
        QCOMPARE(m->window->shown(603, ColFrequency), frequencyText(radio.channels[603].frequency));
        QCOMPARE(m->window->document().image().vfos, radio.vfos);
        QVERIFY(window.shownTab() == MainWindow::MemoryTab && !window.progressBar()->isVisible());
        // The panel and the VFO grid show the radio; reading is no change of the data.
        QCOMPARE(QStringList({m->window->list("cmbDimmer")->currentText(),
                              m->window->find<QLabel>(QStringLiteral("lblIQShift"))->text(),
                              m->vfoText(1, VfoTableModel::Frequency), m->vfoText(1, VfoTableModel::Mode)}),
                 QStringList({"07", "-01.50", "21.000.000", "AM"}));
        QVERIFY(!m->window->document().dataChanged() && !QApplication::overrideCursor());
        expectCommandsEnabled(*m, true);
        QCOMPARE(
            window.statusText(),
            QStringLiteral("Read the settings, both VFOs and 604 channels from /dev/ktv4-virtual-radio"));
    }

    void memoryTransfersCancelled()
    {
        const auto m = startWithFile();
        QVERIFY(m);
        MainWindow &window = m->main();
        const RadioImage before = m->window->document().image();
        // Cancel pressed as channel 50 is about to be read: no error box, channels 0 to 49 are the
        // radio's, the rest the program's, settings and VFOs untouched by a memory read.
        connect(&window.transfer(), &CloneTransfer::progress, this, [&](int n) {
            if (n == 50)
                m->click(QStringLiteral("cmdCancel"));
        });
        m->window->action("mnuReMem")->trigger(); // shows the Memory tab, counts channels on the bar
        QCOMPARE(window.shownTab(), int(MainWindow::MemoryTab));
        QCOMPARE(window.progressBar()->maximum(), 603);
        QVERIFY(m->waitUntilIdle());
        QVERIFY(m->window->prompts.messages.isEmpty());
        QCOMPARE(m->radio.receivedLines(), readMemoryLines(50, false));
        const RadioImage &now = m->window->document().image();
        const RadioImage radio = radioImage();
        for (int n = 0; n < kChannelCount; ++n)
            QCOMPARE(now.channels[n], n < 50 ? radio.channels[n] : before.channels[n]);
        QCOMPARE(now.vfos, before.vfos);
        QVERIFY(!window.progressBar()->isVisible() && m->button("cmbRxData")->isEnabled());
        // A mix of the file and the radio is an unsaved change, one step of the history; the status
        // bar says which part came from the radio.
        QCOMPARE(shownCaption(window), appTitle() + QStringLiteral(" - program.TV4*"));
        QCOMPARE(window.statusText(), QStringLiteral("Cancelled: channels 0 to 49 read"));
        QCOMPARE(m->window->action("mnuEditUndoStep")->text(), QStringLiteral("Undo Read Memory(&U)"));

        // The panel's own "Write Memory" button starts the memory write; cancelled too, it ends the
        // radio's write session with the closing line and says what the radio now holds.
        m->radio.clearLog();
        m->click("cmbTxData");
        QVERIFY(window.isBusy());
        QVERIFY(m->waitUntilIdle());
        QCOMPARE(m->radio.receivedLines().mid(0, 2),
                 (QList<QByteArray>{
                     "KTSV4\r\n", writeLine(channelAddress(0), recordText(encodeChannel(now.channels[0])))}));
        QCOMPARE(m->radio.receivedLines().size(), 1 + 50 + 1);
        QCOMPARE(m->radio.receivedLines().last(), QByteArray("OV~E\r\n"));
        QCOMPARE(m->window->prompts.messages.size(), 1);
        const MessageRequest &box = m->window->prompts.messages.first();
        QCOMPARE(box.text, QStringLiteral("Cancelled"));
        // What was not written was never read either: Write Changes would not send it as it stands.
        QCOMPARE(box.informative,
                 QStringLiteral("Channels 0 to 49 were written; channels 50 to B-P2 were not."));
        QCOMPARE(window.statusText(), QStringLiteral("Cancelled: channels 0 to 49 written"));
    }

    void memoryFailures_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<sim::RadioSetup>("setup");
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<int>("readUpTo"); // channels that show the radio's data
        QTest::addColumn<QString>("left"); // what the box says the operation left, under the reason
        QTest::newRow("Read Memory, radio silent from channel 300")
            << "cmbRxData" << unpacedRadio([](sim::RadioSetup &s) {
                   s.silentFrom = sim::CommandTarget::block(channelAddress(300));
               })
            << 301 << 300 << "Channels 0 to A 99 were read; the rest are as they were.";
        QTest::newRow("Read ALL, short VFO A reply") << "mnuReAll" << unpacedRadio([](sim::RadioSetup &s) {
            s.wrongLengthAt = sim::CommandTarget::block(kVfoAAddress);
            s.wrongLength = 40;
        }) << 3 << 0 << "Settings block 1 and settings block 2 were read; the rest are as they were.";
        QTest::newRow("Write ALL, VFO A write refused")
            << "mnuWrAll"
            << unpacedRadio([](sim::RadioSetup &s) { s.badAckAt = sim::CommandTarget::block(kVfoAAddress); })
            << 4 << 0
            << "Settings block 1 and settings block 2 were written; VFO A, VFO B and channels 0 to B-P2 were "
               "not.";
    }

    // One box and no closing line; the grid shows the radio's channels up to the failure and the
    // program's after it; the radio keeps its own; the buttons are back.
    void memoryFailures()
    {
        QFETCH(QString, command);
        QFETCH(sim::RadioSetup, setup);
        QFETCH(int, lineCount);
        QFETCH(int, readUpTo);
        QFETCH(QString, left);
        const auto m = startWithFile(setup);
        QVERIFY(m);
        if (command.startsWith(QLatin1String("mnu")))
            m->window->action(command)->trigger();
        else
            m->click(command);
        QVERIFY(m->waitUntilIdle());

        expectError(m->window->prompts, QStringLiteral("Communication Error"));
        // The reason, naming the port, and what the operation left stand under the text; a radio
        // that sent nothing at all gets what to check.
        const QString reason = m->window->prompts.messages.first().informative;
        QVERIFY2(reason.contains(" (port /dev/") && reason.endsWith(left), qPrintable(reason));
        QCOMPARE(reason.contains("Check that the radio is on and in clone mode.\nCheck that the cable is "
                                 "plugged in.\nHelp > Check Serial Port…"),
                 lineCount == 301);
        QCOMPARE(m->main().statusText(), "Communication Error: " + left);
        // What the read left is a mix of the file and the radio: an unsaved change.
        QCOMPARE(m->window->document().dataChanged(), command != "mnuWrAll");
        const QList<QByteArray> lines = m->radio.receivedLines();
        QCOMPARE(lines.size(), lineCount);
        QVERIFY(!lines.contains("OV~E\r\n"));
        const RadioImage radio = radioImage();
        const RadioImage program = programImage();
        for (int n = 0; n < kChannelCount; ++n) {
            const RadioImage &shown = n < readUpTo ? radio : program;
            QCOMPARE(m->window->shown(n, ColName), shown.channels[n].name);
            QCOMPARE(m->radio.record(channelAddress(n)), recordHex(encodeChannel(radio.channels[n])));
        }
        QVERIFY(!m->main().progressBar()->isVisible());
        QVERIFY(m->button("cmbRxData")->isEnabled() && m->button("cmbTxData")->isEnabled());
    }
    // The check lets go of the port the window keeps open after a transfer, then asks the radio.
    // The COM port dialog and the port check each close the port the last operation left open; the
    // next operation opens it again, and the trace records the lines.
    void dialogsCloseTheOpenPort()
    {
        QTemporaryDir dir;
        const QString trace = dir.filePath("radio.log");
        WindowBench bench(Radio::unpaced(), QString(), trace, kRadioTimings, Wire::Pty);
        QVERIFY(bench.opened);
        MainWindow &window = bench.main();
        bench.click(QStringLiteral("cmdAuto"));
        QVERIFY(bench.waitUntilIdle() && window.transfer().isPortOpen());
        window.transfers()->showComPortSetup();
        window.comPortDialog()->accept(); // OK without a change
        QVERIFY(!window.transfer().isPortOpen());
        QCOMPARE(window.portName(), bench.radio.devicePath());
        bench.click(QStringLiteral("cmbRxData1"));
        QVERIFY(bench.waitUntilIdle() && window.transfer().isPortOpen());
        QVERIFY(bench.window->prompts.messages.isEmpty());
        const QByteArray log = readAll(trace);
        QVERIFY2(log.contains("OV~WHO") && log.contains("OV~F0300"), log.constData());

        bench.window->action(QStringLiteral("mnuHelpPortCheck"))->trigger();
        PortCheckDialog *dialog = bench.main().portCheckDialog();
        // The report replaces the empty text once the radio has answered.
        QSignalSpy shown(dialog->findChild<QPlainTextEdit *>(), &QPlainTextEdit::textChanged);
        while (dialog->reportText().isEmpty())
            QVERIFY(shown.wait(10000));
        QVERIFY(dialog->isVisible());
        QVERIFY(!bench.main().transfer().isPortOpen());
        const QString device = bench.radio.devicePath();
        QVERIFY2(dialog->reportText().contains(QStringLiteral("[ ok ] %1 exists").arg(device)) &&
                     dialog->reportText().contains(QLatin1String("[ ok ] The radio answers identify")),
                 qPrintable(dialog->reportText()));
    }

    // A port with a stable name is remembered by it, typed or picked; the port file's first line
    // stays the port number.
    void comPortSetupRemembersTheStableName()
    {
        const QString byId = QStringLiteral("/dev/serial/by-id/usb-1a86_USB_Serial-if00-port0");
        Window w;
        w.window->transfers()->showComPortSetup();
        ComPortDialog *dialog = w.window->comPortDialog();
        dialog->setAvailablePorts({{QStringLiteral("/dev/ttyS0"), QString()},
                                   {QStringLiteral("/dev/ttyUSB0"), QStringLiteral("USB Serial (1a86:7523)"),
                                    byId, PortHolder{4711, QStringLiteral("chirp"), QString()}}});
        auto *list = dialog->findChild<QListWidget *>(QStringLiteral("lstPorts"));
        QCOMPARE(list->item(1)->text(),
                 QStringLiteral("/dev/ttyUSB0 — USB Serial (1a86:7523) — in use by chirp (PID 4711)"));
        auto *device = dialog->findChild<QLineEdit *>(QStringLiteral("txtDevice"));
        for (const QString &typed : {QStringLiteral("ttyUSB0"), QStringLiteral("/dev/ttyUSB0"), byId}) {
            device->setText(typed);
            QCOMPARE(dialog->choice().device, byId);
        }
        device->setText(QStringLiteral("ttyS0"));
        QCOMPARE(dialog->choice().device, QStringLiteral("ttyS0"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
        QCOMPARE(device->text(), byId);
        dialog->accept();
        QCOMPARE(w.window->portName(), byId);
        QVERIFY(w.window->close());
        QCOMPARE(readAll(w.portFile()), "1\r\n\"" + byId.toUtf8() + "\"\r\n");
    }
    void failedOpenThenSave_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("damaged end line")
            << 609 << QByteArray("Orvane  KT-V4   Clone  File  Emd") << "Data Error";
        QTest::newRow("VFO B mode 6")
            << 4 << QByteArray("80060001" + QByteArray(56, '0')) << "File Open Error";
        QTest::newRow("header in lower case")
            << 0 << QByteArray("orvane KT-V4 J Clone 0 FileStart") << "Data Error";
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
        mine.settings.values.cmbTone = 0xC3; // a byte the tone list does not hold
        QVERIFY(writeAll(w.path("mine.TV4"), fileWith(mine, ModelT, true, -1, {})));
        QVERIFY(writeAll(w.path("broken.TV4"), fileWith(startupImage(ModelJ), ModelJ, false, line, text)));
        QVERIFY(w.window->files()->loadCloneFile(w.path("mine.TV4")));
        const QByteArray before = readAll(w.path("mine.TV4"));
        const QString caption = w.window->windowTitle();

        w.prompts.fileNames << w.path("broken.TV4");
        w.window->files()->open();
        expectError(w.prompts, message);
        // The reason names the file, under the box's text.
        QVERIFY(w.prompts.messages.first().informative.startsWith(w.path("broken.TV4")));
        QCOMPARE(w.window->windowTitle(), caption);
        QCOMPARE(w.document().modelIndex(), int(ModelT));
        QVERIFY(w.document().cloneVariantA() && !w.document().dataChanged());
        QVERIFY(w.window->files()->save());
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

    // Nothing known of the radio but its model: the preview says so, sums up, and warns that the
    // radio is another model; Cancel sends nothing.
    void withoutBaselineSummarisesAndWarns()
    {
        OwnBackups backups;
        sim::RadioSetup setup = Radio::unpaced();
        setup.modelCode = "33";
        WindowBench b(setup);
        b.main().startOperation(Operation::Identify);
        b.waitUntilIdle();
        b.main().document().selectModel(ModelE);
        b.radio.clearLog();
        b.window->prompts.writeAnswers << false;
        b.trigger("mnuWrSet");
        QCOMPARE(b.window->prompts.writePreviews.size(), 1);
        const WritePreview &p = b.window->prompts.writePreviews.first();
        QVERIFY(p.summary.startsWith(QStringLiteral("Nothing is known of what the radio holds")));
        QCOMPARE(p.records, 4);
        QCOMPARE(p.lines.first(), QStringLiteral("Model: KT-V4E"));
        QVERIFY(p.lines.contains(QStringLiteral("IQ Shift(KHz): 00.00")));
        QCOMPARE(p.modelWarning,
                 QStringLiteral("The radio identified itself as KT-V4J, but this image is for KT-V4E."));
        QCOMPARE(b.radio.receivedCount(), 0);
        QVERIFY(BackupStore().list().isEmpty());

        // The dialog itself: Cancel is the default, and the warning stands out.
        WritePreviewDialog dialog(p);
        QVERIFY(dialog.findChild<QPushButton *>(QStringLiteral("cmdCancel"))->isDefault());
        QVERIFY(!dialog.findChild<QLabel *>(QStringLiteral("lblModelWarning"))->isHidden());
    }

    // The user opens a file, reads only the memory from a radio whose settings are not the file's,
    // edits one channel and writes the changes: the preview lists the channel and says the settings
    // and VFOs will be read first; the radio gets the channel and keeps its settings and VFOs byte
    // for byte. The next Write Changes shows how the settings differ before it writes any of them.
    void writeChangesLeavesWhatWasNeverSeen()
    {
        OwnBackups own;
        const auto m = startWithFile();
        QVERIFY(m);
        // Key speed and break-in outside their lists, as a radio may hold them.
        m->radio.setRecord(
            kSettings1Address,
            withBytes(QString::fromLatin1(m->radio.record(kSettings1Address)), 0x23, 0xFF, 0x27).toLatin1());
        const QList<int> untouched{kSettings1Address, kSettings2Address, kVfoAAddress, kVfoBAddress};
        QList<QByteArray> before;
        for (const int address : untouched)
            before << m->radio.record(address);
        m->trigger("mnuReMem");
        CloneDocument &document = m->main().document();
        Channel edited = document.image().channels[1];
        edited.name = QStringLiteral("MINE");
        document.submit(ImageChange::channels(document.image(), 1, {edited}, QStringLiteral("Modify")));
        m->radio.clearLog();

        m->trigger("mnuWrChg");
        const WritePreview &p = m->window->prompts.writePreviews.last();
        QCOMPARE(p.lines,
                 QStringList({"1: Name R1 → MINE",
                              "Settings block 1, settings block 2, VFO A and VFO B: will be read first"}));
        QCOMPARE(
            m->radio.receivedLines(),
            (QList<QByteArray>{readLine(kSettings1Address), readLine(kSettings2Address),
                               readLine(kVfoAAddress), readLine(kVfoBAddress), "OV~E\r\n", "KTSV4\r\n",
                               writeLine(channelAddress(1), recordText(encodeChannel(edited))), "OV~E\r\n"}));
        for (int i = 0; i < untouched.size(); ++i)
            QCOMPARE(m->radio.record(untouched[i]), before[i]);
        QCOMPARE(m->radio.record(channelAddress(1)), recordHex(encodeChannel(edited)));
        QCOMPARE(
            m->main().statusText(),
            QStringLiteral("1 changed record was written: channel 1. Settings block 1, settings block 2, VFO "
                           "A and VFO B were read first and differ from this image; they were not written, "
                           "as they had never been read. Write Changes again shows how they differ."));

        m->radio.clearLog();
        m->window->prompts.writeAnswers << false;
        m->trigger("mnuWrChg");
        const WritePreview &next = m->window->prompts.writePreviews.last();
        QVERIFY2(next.lines.contains(QStringLiteral("Break In: 255 → AUTO")) &&
                     next.lines.contains(QStringLiteral("IQ Shift(KHz): -01.50 → +24.00")),
                 qPrintable(next.lines.join(QLatin1Char('\n'))));
        QCOMPARE(m->radio.receivedCount(), 0);
    }

    // After a read: the preview lists exactly the edits, Write Changes sends only them and reads
    // them back, and both the read and the write leave a backup.
    void listsTheChangesAndWritesOnlyThem()
    {
        OwnBackups own;
        WindowBench b;
        b.main().setVerifyWrites(true);
        b.trigger("mnuReAll");
        CloneDocument &document = b.main().document();
        RadioImage edited = document.image();
        edited.channels[210].name = QStringLiteral("DX");
        edited.channels[0] = Channel{};
        edited.settings.values.cmbBeep = 0;
        edited.vfos[1].mode = Mode::USB;
        document.submit(ImageChange::between(document.image(), edited, QStringLiteral("Edits")));
        const RadioImage &image = document.image();
        b.radio.clearLog();

        b.trigger("mnuWrChg");
        const WritePreview &p = b.window->prompts.writePreviews.last();
        QCOMPARE(p.records, 4);
        QCOMPARE(p.lines, QStringList({"Beep: " + findSetting(QStringLiteral("cmbBeep"))->items.at(1) +
                                           " → " + findSetting(QStringLiteral("cmbBeep"))->items.at(0),
                                       "VFO B: Mode AM → USB",
                                       "0 removed (was Frequency 1.800.000, Mode USB, Gain 0, AGC Fast, Pwr "
                                       "High, Filter Wide, Tone Off, NB Off, Split Freq. 7.000.000, Name R0, "
                                       "Skip Skip)",
                                       "A 10: Name R210 → DX"}));
        QCOMPARE(b.radio.receivedCount(), 1 + 4 + 1 + 4 + 1); // enable, records, end; read-back, end
        QCOMPARE(b.main().statusText(),
                 QStringLiteral("4 changed records were written: settings block 1, VFO B and "
                                "channels 0 and A 10.  verified: 4 records"));
        QVERIFY(imageRecords(b.radio.image()) == imageRecords(image)); // the radio holds what the image makes

        const QList<BackupEntry> backups = BackupStore().list();
        QCOMPARE(backups.size(), 2);
        QVERIFY(backups[0].reason == BackupReason::Write && backups[1].reason == BackupReason::Read);
        QCOMPARE(BackupStore::channelsInUse(backups[1].path), kChannelCount);

        // Nothing left to write: no preview, no line.
        b.radio.clearLog();
        b.trigger("mnuWrChg");
        QCOMPARE(b.window->prompts.writePreviews.size(), 1);
        QCOMPARE(b.radio.receivedCount(), 0);

        // File > Backups... lists both and opens the chosen one.
        b.main().action(QStringLiteral("mnuFileBackups"))->trigger();
        auto *dialog = b.main().findChild<BackupsDialog *>();
        auto *list = dialog->findChild<QTreeWidget *>(QStringLiteral("lstBackups"));
        QCOMPARE(list->topLevelItemCount(), 2);
        QCOMPARE(list->topLevelItem(1)->text(2), QStringLiteral("read"));
        // What came from the radio, and what was to go to it.
        QCOMPARE(list->topLevelItem(1)->text(3), QStringLiteral("all"));
        QCOMPARE(list->topLevelItem(0)->text(3), QStringLiteral("changed records"));
        list->setCurrentItem(list->topLevelItem(1));
        b.window->prompts.answers << QMessageBox::No; // the edits need not be saved
        dialog->accept();
        QCOMPARE(b.main().document().cloneFileName(), backups[1].path);
        QCOMPARE(image.channels[210].name, QStringLiteral("R210"));
    }
};

QTEST_MAIN(TestWindowTransfers)
#include "tst_windowtransfers.moc"
