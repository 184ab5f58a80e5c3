// Writes from the window: the preview of what a write changes, Write Changes and its read-back,
// the backups of reads and writes, against the virtual radio inside the test process.

#include "link/RadioFixture.h"
#include "support/ScriptedPrompts.h"
#include "ui/BackupsDialog.h"
#include "ui/MainWindow.h"
#include "ui/WritePreview.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <functional>

using namespace fixture;
using namespace ktv4::ui;

namespace {

struct Bench {
    explicit Bench(sim::RadioSetup setup = Radio::unpaced()) : radio(std::move(setup))
    {
        radio.loadImage(radioImage());
        // Backups go to this bench's own data folder.
        qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit());
        MainWindowOptions options;
        options.portSetting =
            PortSetting(dir.filePath(QStringLiteral("program")), dir.filePath(QStringLiteral("user")));
        options.settingsStore = dir.filePath(QStringLiteral("settings.ini"));
        options.portDevice = QStringLiteral("virtual");
        options.makeTransport = [this] { return std::make_unique<RadioTransport>(radio); };
        options.linkTimings = kInstantTimings;
        window = std::make_unique<MainWindow>(prompts, options);
        window->finishLoad();
    }

    // Starts an operation as its menu item or button does and waits for the window to be idle.
    void run(const std::function<void()> &start)
    {
        QTestEventLoop loop;
        QObject::connect(&window->transfer(), &CloneTransfer::finished, &loop, &QTestEventLoop::exitLoop,
                         Qt::QueuedConnection);
        start();
        if (window->isBusy())
            loop.enterLoopMSecs(30'000);
    }
    void trigger(const char *item)
    {
        run([this, item] { window->action(QLatin1String(item))->trigger(); });
    }
    QString status() const { return window->findChild<QLabel *>(QStringLiteral("sbStatusBar_Text"))->text(); }
    RadioImage &image() { return window->document().image(); }

    QTemporaryDir dir;
    test::ScriptedPrompts prompts;
    sim::VirtualRadio radio;
    std::unique_ptr<MainWindow> window;
};

} // namespace

class TestWritePreview : public QObject {
    Q_OBJECT
private slots:
    // Nothing known of the radio: the preview says so and sums up; Cancel sends nothing.
    void withoutBaselineSummarises()
    {
        Bench b;
        b.prompts.writeAnswers << false;
        b.trigger("mnuWrSet");
        QCOMPARE(b.prompts.writePreviews.size(), 1);
        const WritePreview &p = b.prompts.writePreviews.first();
        QVERIFY(p.summary.startsWith(QStringLiteral("Nothing is known of what the radio holds")));
        QCOMPARE(p.records, 4);
        QCOMPARE(p.lines.first(), QStringLiteral("Model: KT-V4E"));
        QVERIFY(p.lines.contains(QStringLiteral("IQ Shift(KHz): 00.00")));
        QVERIFY(p.modelWarning.isEmpty());
        QCOMPARE(b.radio.receivedCount(), 0);
        QVERIFY(BackupStore().list().isEmpty());

        // The dialog itself: Cancel is the default, the warning stands out only when there is one.
        WritePreview warned = p;
        warned.modelWarning = QStringLiteral("other radio");
        WritePreviewDialog dialog(warned);
        QVERIFY(dialog.findChild<QPushButton *>(QStringLiteral("cmdCancel"))->isDefault());
        QVERIFY(!dialog.findChild<QPushButton *>(QStringLiteral("cmdWrite"))->isDefault());
        QVERIFY(!dialog.findChild<QLabel *>(QStringLiteral("lblModelWarning"))->isHidden());
    }

    // After a read: the preview lists exactly the edits, Write Changes sends only them and reads
    // them back, and both the read and the write leave a backup.
    void listsTheChangesAndWritesOnlyThem()
    {
        Bench b;
        b.trigger("mnuReAll");
        b.image().channels[210].cells[ColName].text = QStringLiteral("DX");
        b.image().channels[0].clear();
        b.image().settings.cmbBeep = 0;
        b.image().vfos[1].cells[ColMode] = {0, modeNames().at(0)};
        b.radio.clearLog();

        b.trigger("mnuWrChg");
        const WritePreview &p = b.prompts.writePreviews.last();
        QCOMPARE(p.records, 4);
        QCOMPARE(p.lines, QStringList({"Beep: " + findSetting(QStringLiteral("cmbBeep"))->items.at(1) +
                                           " → " + findSetting(QStringLiteral("cmbBeep"))->items.at(0),
                                       "VFO B: Mode AM → USB",
                                       "0 removed (was Frequency 1.800.000, Mode USB, Gain 0, AGC Fast, Pwr "
                                       "High, Filter Wide, Tone Off, NB Off, Split Freq. 7.000.000, Name R0, "
                                       "Skip Skip)",
                                       "A 10: Name R210 → DX"}));
        QCOMPARE(b.radio.receivedCount(), 1 + 4 + 1 + 4 + 1); // enable, records, end; read-back, end
        QCOMPARE(b.status(), QStringLiteral("4 changed records were written: settings block 1, VFO B and "
                                            "channels 0 and A 10.  verified: 4 records"));
        QCOMPARE(b.radio.image().channels, b.image().channels);

        const QList<BackupEntry> backups = BackupStore().list();
        QCOMPARE(backups.size(), 2);
        QCOMPARE(backups[0].reason, BackupReason::Write);
        QCOMPARE(backups[1].reason, BackupReason::Read);
        QCOMPARE(BackupStore::channelsInUse(backups[1].path), kChannelCount);

        // Nothing left to write: no preview, no line.
        b.radio.clearLog();
        b.trigger("mnuWrChg");
        QCOMPARE(b.prompts.writePreviews.size(), 1);
        QCOMPARE(b.radio.receivedCount(), 0);

        // File > Backups... lists both and opens the chosen one.
        b.window->action(QStringLiteral("mnuFileBackups"))->trigger();
        auto *dialog = b.window->findChild<BackupsDialog *>();
        auto *list = dialog->findChild<QTreeWidget *>(QStringLiteral("lstBackups"));
        QCOMPARE(list->topLevelItemCount(), 2);
        QCOMPARE(list->topLevelItem(1)->text(2), QStringLiteral("read"));
        list->setCurrentItem(list->topLevelItem(1));
        b.prompts.answers << QMessageBox::No; // the edits need not be saved
        dialog->accept();
        QCOMPARE(b.window->document().cloneFileName(), backups[1].path);
        QCOMPARE(b.image().channels[210].cells[ColName].text, QStringLiteral("R210"));
    }

    // The radio answered as another model than the image is for: the preview says so.
    void warnsOfAnotherModel()
    {
        sim::RadioSetup setup = Radio::unpaced();
        setup.modelCode = "33";
        Bench b(setup);
        b.trigger("mnuReAll"); // reads do not identify
        b.run([&b] { b.window->startOperation(Operation::Identify); });
        b.window->document().selectModel(ModelE);
        b.prompts.writeAnswers << false;
        b.trigger("mnuWrMem");
        QCOMPARE(b.prompts.writePreviews.last().modelWarning,
                 QStringLiteral("The radio identified itself as KT-V4J, but this image is for KT-V4E."));
        QCOMPARE(b.prompts.writePreviews.last().lines, QStringList());
    }
};

QTEST_MAIN(TestWritePreview)
#include "tst_writepreview.moc"
