// SPDX-License-Identifier: GPL-3.0-or-later
// ktv4clone: the desktop program.

#include "ui/Language.h"
#include "ui/ProgramInfo.h"
#include "ui/Startup.h"
#include "ui/StartupArguments.h"
#include "ui/UserPrompts.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ktv4clone"));
    QApplication::setApplicationVersion(QStringLiteral(KTV4_VERSION));
    // No application display name: the platform would append it to every window's caption.
    QApplication::setWindowIcon(ktv4::ui::programIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.ktv4clone.ktv4clone"));

    QCommandLineParser parser;
    ktv4::ui::describeArguments(parser);
    parser.process(app);
    const ktv4::ui::StartupArguments arguments = ktv4::ui::startupArguments(parser);

    // The captions are taken when the window is built, so the translator comes first.
    QTranslator captions;
    if (ktv4::ui::loadCaptions(captions))
        QApplication::installTranslator(&captions);
    QTranslator qtCaptions;
    if (ktv4::ui::loadQtCaptions(qtCaptions))
        QApplication::installTranslator(&qtCaptions);

    ktv4::ui::WidgetPrompts prompts;
    ktv4::ui::StartupOptions options;
    options.startFile = arguments.startFile;
    options.window.portDevice = arguments.portDevice;
    options.window.traceFile = arguments.traceFile;
    ktv4::ui::Startup startup(prompts, options);
    startup.run();
    return QApplication::exec();
}
