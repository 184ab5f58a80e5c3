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
#include <algorithm>

namespace {

void nameTheProgram()
{
    QCoreApplication::setApplicationName(QStringLiteral("ktv4clone"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KTV4_VERSION));
}

// --help and --version, and a command line that does not parse, are answered on the terminal,
// before anything needs a window system: they work where there is no display.
bool answeredOnTheTerminal(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    ktv4::ui::describeArguments(parser);
    const bool parsed = parser.parse(arguments);
    const QStringList given = parser.optionNames();
    const bool asked = std::any_of(given.cbegin(), given.cend(), [](const QString &name) {
        return QStringList{"h", "?", "help", "help-all", "v", "version"}.contains(name);
    });
    if (parsed && !asked)
        return false;
    QCoreApplication app(argc, argv);
    nameTheProgram();
    QTranslator captions;
    if (ktv4::ui::loadCaptions(captions))
        QCoreApplication::installTranslator(&captions);
    QCommandLineParser answer;
    ktv4::ui::describeArguments(answer);
    answer.process(app); // prints the help, the version or the error, and ends the program
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (answeredOnTheTerminal(argc, argv))
        return 0;
    QApplication app(argc, argv);
    nameTheProgram();
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
