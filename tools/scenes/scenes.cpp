// Shows one state of the program's windows and stays open, so a screenshot can be taken of it
// (scripts: xvfb-run + import). Not a test.
//
//   ktv4ui_scenes settings|memory|about|comport|splash [--ja] [--file F.TV4]

#include "ui/AboutDialog.h"
#include "ui/ComPortDialog.h"
#include "ui/Language.h"
#include "ui/MainWindow.h"
#include "ui/Startup.h"
#include "ui/UserPrompts.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTranslator>

using namespace ktv4::ui;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString scene = args.value(1, QStringLiteral("settings"));
    QTranslator captions;
    if (args.contains(QStringLiteral("--ja")) &&
        loadCaptions(captions, QLocale(QLocale::Japanese, QLocale::Japan)))
        QApplication::installTranslator(&captions);
    const int fileArg = args.indexOf(QStringLiteral("--file"));
    const QString file = fileArg > 0 ? args.value(fileArg + 1) : QString();

    QTemporaryDir settingsDir;
    WidgetPrompts prompts;
    StartupOptions options;
    options.window.portSetting = ktv4::PortSetting(settingsDir.path(), settingsDir.path());
    options.window.settingsStore = settingsDir.filePath(QStringLiteral("settings.ini"));
    options.startFile = file;
    options.splashPause = std::chrono::milliseconds(scene == QLatin1String("splash") ? 600000 : 0);
    Startup startup(prompts, options);
    QObject::connect(&startup, &Startup::ready, [&] {
        MainWindow *window = startup.mainWindow();
        window->move(0, 0);
        if (scene == QLatin1String("memory"))
            window->showTab(MainWindow::MemoryTab);
        else if (scene == QLatin1String("about"))
            window->showAbout();
        else if (scene == QLatin1String("comport")) {
            window->showComPortSetup();
            // What a typical computer with a USB cable reports.
            window->comPortDialog()->setAvailablePorts(
                {{QStringLiteral("/dev/ttyS0"), QString()},
                 {QStringLiteral("/dev/ttyUSB0"), QStringLiteral("FT232R USB UART")}});
        }
    });
    startup.run();
    return QApplication::exec();
}
