// SPDX-License-Identifier: GPL-3.0-or-later
// Shows one state of the program's windows and stays open, so a screenshot can be taken of it;
// with --shot, saves the picture of the front window itself and quits. Not a test.
//
//   ktv4ui_scenes
//   settings|memory|sorted|arrange|about|comport|portcheck|preview|changes|error|noreply|backups|splash
//                 [--ja] [--file F.TV4] [--port DEV] [--shot OUT.png]

#include "files/Backups.h"
#include "model/ChannelNaming.h"
#include "model/FieldText.h"
#include "model/ImageDiff.h"
#include "ui/AboutDialog.h"
#include "ui/ChannelSortProxy.h"
#include "ui/ComPortDialog.h"
#include "ui/FileController.h"
#include "ui/Language.h"
#include "ui/MainWindow.h"
#include "ui/MemoryPanel.h"
#include "ui/PortCheckDialog.h"
#include "ui/Startup.h"
#include "ui/TransferMessages.h"
#include "ui/UserPrompts.h"
#include "ui/WritePreview.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>

using namespace ktv4::ui;

namespace {

QString argumentAfter(const QStringList &args, const QString &option)
{
    const int at = args.indexOf(option);
    return at > 0 ? args.value(at + 1) : QString();
}

// What the user looks at: the dialog in front when there is one, otherwise the main window, or
// before it exists the splash.
QWidget *frontWindow(QWidget *main)
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    QWidget *shown = main;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget != main && widget->isVisible() && widget->inherits("QDialog"))
            return widget;
        if (!shown && widget->isVisible())
            shown = widget;
    }
    return shown;
}

bool saveShot(QWidget *window, const QString &path)
{
    QWidget *front = frontWindow(window);
    return front && front->grab().save(path);
}

// The radio as last read: the open image with a few channels and a setting as they were before
// the user edited them, and another model, so the preview has something of each kind to show.
void rememberOlderRadio(ktv4::CloneDocument &document)
{
    ktv4::RadioImage older = document.image();
    for (const int ch : {3, 17, 210})
        older.channels[ch].frequency += 5'000;
    older.channels[450].inUse = !older.channels[450].inUse;
    const ktv4::ImageRecords records = ktv4::imageRecords(older);
    for (int i = 0; i < ktv4::kRecordCount; ++i)
        document.radio().setRecord(ktv4::recordAddress(i), records[i]);
    document.radio().setIdentity({ktv4::ModelJ, false});
}

// After Read Memory: the channels are known as read, the settings and VFOs are not; then the user
// renamed two channels and moved one.
void editAfterMemoryRead(ktv4::CloneDocument &document)
{
    ktv4::RadioImage &image = document.image();
    for (int n = 0; n < ktv4::kChannelCount; ++n)
        document.radio().setRecord(ktv4::channelAddress(n), ktv4::encodeChannel(image.channels[n]));
    for (const int ch : {12, 603}) {
        if (image.channels[ch].inUse)
            image.channels[ch].name = QStringLiteral("NET %1").arg(ch % 100);
    }
    ktv4::Channel &moved = image.channels[210];
    if (moved.inUse)
        moved.frequency = 14'074'000;
}

// The window as the scene shows it.
void setScene(const QString &scene, MainWindow *window)
{
    if (scene == QLatin1String("memory"))
        window->showTab(MainWindow::MemoryTab);
    else if (scene == QLatin1String("sorted") || scene == QLatin1String("arrange")) {
        // The grid sorted by frequency, highest first; Arrange opened over it.
        window->showTab(MainWindow::MemoryTab);
        window->memoryPanel()->sortProxy()->cycleSort(ktv4::ColFrequency);
        window->memoryPanel()->sortProxy()->cycleSort(ktv4::ColFrequency);
        if (scene == QLatin1String("arrange"))
            QTimer::singleShot(0, window,
                               [window] { window->action(QStringLiteral("mnuEditArrange"))->trigger(); });
    } else if (scene == QLatin1String("about"))
        window->showAbout();
    else if (scene == QLatin1String("comport")) {
        window->transfers()->showComPortSetup();
        // What a typical computer with a USB cable reports.
        window->comPortDialog()->setAvailablePorts(
            {{QStringLiteral("/dev/ttyS0"), QString()},
             {QStringLiteral("/dev/ttyUSB0"), QStringLiteral("FT232R USB UART")}});
    } else if (scene == QLatin1String("portcheck")) {
        window->transfers()->showPortCheck();
    } else if (scene == QLatin1String("preview")) {
        window->showTab(MainWindow::MemoryTab);
        rememberOlderRadio(window->document());
        auto *preview = new WritePreviewDialog(
            writePreview(window->document(),
                         ktv4::planWrite(ktv4::Operation::WriteMemory, window->document().image(),
                                         window->document().radio())),
            window);
        preview->setAttribute(Qt::WA_DeleteOnClose);
        preview->open();
    } else if (scene == QLatin1String("changes")) {
        window->showTab(MainWindow::MemoryTab);
        editAfterMemoryRead(window->document());
        auto *preview = new WritePreviewDialog(
            writePreview(window->document(),
                         ktv4::planWrite(ktv4::Operation::WriteChanges, window->document().image(),
                                         window->document().radio())),
            window);
        preview->setAttribute(Qt::WA_DeleteOnClose);
        preview->open();
    } else if (scene == QLatin1String("backups")) {
        // A read, an edit written back, and a write of the next evening.
        ktv4::BackupStore store;
        const QDateTime morning(QDate(2026, 12, 5), QTime(9, 41, 7));
        store.save(ktv4::radioBackupBytes(window->document()), ktv4::ModelE, ktv4::BackupReason::Read,
                   ktv4::BackupScope::All, morning);
        const QByteArray edited = ktv4::documentBackupBytes(window->document());
        store.save(edited, ktv4::ModelE, ktv4::BackupReason::Write, ktv4::BackupScope::Changes,
                   morning.addSecs(1520));
        store.save(edited, ktv4::ModelE, ktv4::BackupReason::Write, ktv4::BackupScope::Settings,
                   morning.addDays(1).addSecs(36000));
        window->files()->showBackups();
    }
}

// The message of a transfer that failed, as the scene shows it.
void showFailure(const QString &scene, MainWindow *window, WidgetPrompts &prompts)
{
    if (scene == QLatin1String("error")) {
        // A port that is not there, as a read reports it.
        ktv4::TransferResult result;
        result.operation = ktv4::Operation::ReadSettings;
        result.outcome = ktv4::TransferOutcome::PortNotOpened;
        result.detail = QStringLiteral("No such file or directory");
        const QString device = QStringLiteral("/dev/ttyUSB0");
        QTimer::singleShot(0, window, [&prompts, window, result, device] {
            prompts.message(window, *finishingMessage(result, device));
        });
    } else if (scene == QLatin1String("noreply")) {
        // A radio switched off part-way through a memory read.
        ktv4::TransferResult result;
        result.operation = ktv4::Operation::ReadMemory;
        result.outcome = ktv4::TransferOutcome::NoReply;
        result.detail = QStringLiteral("OV~F2B80R: no complete reply within 2000 ms");
        for (int n = 0; n < 300; ++n)
            result.readRecords << ktv4::channelAddress(n);
        const QString device = QStringLiteral("/dev/ttyUSB0");
        QTimer::singleShot(0, window, [&prompts, window, result, device] {
            prompts.message(window, *finishingMessage(result, device));
        });
    }
}

// The picture of the front window, once the scene has settled; then the program ends.
void shootWhenSettled(const QString &scene, MainWindow *window, const QString &shot)
{
    if (shot.isEmpty())
        return;
    const auto shoot = [window, shot] {
        QCoreApplication::exit(saveShot(window, shot) ? 0 : 1);
        // A message box runs its own loop: leave it too.
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    };
    // The port check asks the radio too: wait for its report.
    if (scene == QLatin1String("portcheck")) {
        PortCheckDialog *dialog = window->portCheckDialog();
        QObject::connect(dialog->findChild<QPlainTextEdit *>(), &QPlainTextEdit::textChanged, window,
                         [window, dialog, shoot] {
                             if (!dialog->reportText().isEmpty())
                                 QTimer::singleShot(300, window, shoot);
                         });
    } else
        QTimer::singleShot(1500, window, shoot);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString scene = args.value(1, QStringLiteral("settings"));
    QTranslator captions;
    QTranslator qtCaptions;
    if (args.contains(QStringLiteral("--ja"))) {
        const QLocale japanese(QLocale::Japanese, QLocale::Japan);
        if (loadCaptions(captions, japanese))
            QApplication::installTranslator(&captions);
        if (loadQtCaptions(qtCaptions, japanese))
            QApplication::installTranslator(&qtCaptions);
    }
    const QString file = argumentAfter(args, QStringLiteral("--file"));
    const QString port = argumentAfter(args, QStringLiteral("--port"));
    const QString shot = argumentAfter(args, QStringLiteral("--shot"));

    QTemporaryDir settingsDir;
    // The backups the scene shows, in a folder of its own rather than the user's.
    if (scene == QLatin1String("backups"))
        qputenv("XDG_DATA_HOME", settingsDir.path().toLocal8Bit());
    WidgetPrompts prompts;
    StartupOptions options;
    options.window.portSetting = ktv4::PortSetting(settingsDir.path(), settingsDir.path());
    options.window.settingsStore = settingsDir.filePath(QStringLiteral("settings.ini"));
    options.startFile = file;
    options.window.portDevice = port;
    options.splashPause = std::chrono::milliseconds(scene == QLatin1String("splash") ? 600000 : 0);
    Startup startup(prompts, options);
    QObject::connect(&startup, &Startup::ready, [&] {
        MainWindow *window = startup.mainWindow();
        window->move(0, 0);
        setScene(scene, window);
        showFailure(scene, window, prompts);
        shootWhenSettled(scene, window, shot);
    });
    // The splash stays up until it is closed: its picture is taken while it shows.
    if (scene == QLatin1String("splash") && !shot.isEmpty())
        QTimer::singleShot(1500, &app, [shot] { QCoreApplication::exit(saveShot(nullptr, shot) ? 0 : 1); });
    startup.run();
    return QApplication::exec();
}
